#pragma once

#include "pcm_buffer.h"

#include <QString>

#include <cstddef>
#include <list>
#include <memory>

namespace lexamo {

/// Everything that decides what an utterance sounds like: the text as the synthesizer gets it,
/// the voice and the speed.
struct UtteranceKey
{
    QString text;
    QString voiceId;
    float rate = 0.0f;

    // Speeds are the values the learner chose, clamped, never computed: compared exactly.
    bool operator==(const UtteranceKey&) const = default;
};

/// The finished audio of the last few utterances, so that a sentence heard again, or made ahead
/// of time, starts at once. The least recently used audio goes first when a bound is reached.
class UtteranceCache
{
public:
    /// A question can be followed by its sentence, each of up to 24 words read aloud and a
    /// judgement before the next sentence made ahead of it is asked for: 32 keep that one.
    static constexpr std::size_t MaxEntries = 32;
    /// A 24-word sentence at the slowest speed is under 1 MiB and the longest speakable text
    /// about 2.6 MiB, so the sentence on screen and the next one always fit together.
    static constexpr std::size_t MaxBytes = std::size_t(8) << 20;

    explicit UtteranceCache(std::size_t maxEntries = MaxEntries, std::size_t maxBytes = MaxBytes);

    /// The audio stored under the key, which becomes the most recently used; null when none is.
    std::shared_ptr<const PcmBuffer> find(const UtteranceKey& key);
    bool contains(const UtteranceKey& key) const;
    /// Keeps the audio as the most recently used, in place of any under the same key, and drops
    /// the least recently used until both bounds hold. Audio larger than the byte bound on its
    /// own is not kept.
    void store(UtteranceKey key, std::shared_ptr<const PcmBuffer> audio);

    std::size_t size() const { return m_items.size(); }
    std::size_t bytes() const { return m_bytes; }

private:
    struct Item
    {
        UtteranceKey key;
        std::shared_ptr<const PcmBuffer> audio;
    };
    using Items = std::list<Item>;

    Items::iterator position(const UtteranceKey& key);
    void erase(Items::iterator item);

    std::size_t m_maxEntries;
    std::size_t m_maxBytes;
    Items m_items; // the most recently used first
    std::size_t m_bytes = 0;
};

} // namespace lexamo
