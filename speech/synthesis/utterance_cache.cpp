#include "utterance_cache.h"

#include <algorithm>

namespace lexamo {

namespace {

std::size_t bytesOf(const PcmBuffer& audio)
{
    return audio.samples.size() * sizeof(audio.samples[0]);
}

} // namespace

UtteranceCache::UtteranceCache(std::size_t maxEntries, std::size_t maxBytes)
    : m_maxEntries(maxEntries), m_maxBytes(maxBytes)
{
}

UtteranceCache::Items::iterator UtteranceCache::position(const UtteranceKey& key)
{
    return std::find_if(m_items.begin(), m_items.end(),
                        [&key](const Item& item) { return item.key == key; });
}

std::shared_ptr<const PcmBuffer> UtteranceCache::find(const UtteranceKey& key)
{
    const auto item = position(key);
    if (item == m_items.end())
        return nullptr;
    m_items.splice(m_items.begin(), m_items, item);
    return item->audio;
}

bool UtteranceCache::contains(const UtteranceKey& key) const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [&key](const Item& item) { return item.key == key; });
}

void UtteranceCache::erase(Items::iterator item)
{
    m_bytes -= bytesOf(*item->audio);
    m_items.erase(item);
}

void UtteranceCache::store(UtteranceKey key, std::shared_ptr<const PcmBuffer> audio)
{
    if (const auto old = position(key); old != m_items.end())
        erase(old);
    const std::size_t bytes = bytesOf(*audio);
    if (bytes > m_maxBytes || m_maxEntries == 0)
        return;
    while (!m_items.empty() && (m_items.size() + 1 > m_maxEntries || m_bytes + bytes > m_maxBytes))
        erase(std::prev(m_items.end()));
    m_items.push_front({std::move(key), std::move(audio)});
    m_bytes += bytes;
}

} // namespace lexamo
