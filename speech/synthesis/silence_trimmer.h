#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lexamo {

/// Cuts the silence a synthesizer puts before and after speech (flite starts every sentence with
/// about 0.2 s of it, stretched with the speed) down to a short natural pause, while the samples
/// stream through: audible samples pass at once, a quiet stretch is held back until it is known
/// to lie inside the speech. Pauses within the speech are kept whole.
class SilenceTrimmer
{
public:
    /// Below this a sample counts as silence: -40 dBFS.
    static constexpr int QuietLevel = 328;
    static constexpr int LeadingPauseMs = 20;
    static constexpr int TrailingPauseMs = 80;

    using Output = std::function<void(const std::int16_t* samples, std::size_t count)>;

    SilenceTrimmer(int sampleRate, Output output);

    void push(const std::int16_t* samples, std::size_t count);
    /// The speech has ended: passes on the trailing pause.
    void finish();

private:
    void pass(const std::int16_t* samples, std::size_t count);

    Output m_output;
    std::size_t m_leadingKeep;
    std::size_t m_trailingKeep;
    bool m_heard = false;
    // The quiet samples since the last audible one (before the first: only the latest few).
    std::vector<std::int16_t> m_quiet;
};

} // namespace lexamo
