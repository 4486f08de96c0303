#include "silence_trimmer.h"

#include <algorithm>
#include <cstdlib>

namespace lexamo {

namespace {

bool audible(std::int16_t sample)
{
    return std::abs(int(sample)) >= SilenceTrimmer::QuietLevel;
}

} // namespace

SilenceTrimmer::SilenceTrimmer(int sampleRate, Output output)
    : m_output(std::move(output)), m_leadingKeep(std::size_t(sampleRate) * LeadingPauseMs / 1000),
      m_trailingKeep(std::size_t(sampleRate) * TrailingPauseMs / 1000)
{
}

void SilenceTrimmer::push(const std::int16_t* samples, std::size_t count)
{
    const std::int16_t* end = samples + count;
    if (!m_heard) {
        const std::int16_t* first = std::find_if(samples, end, audible);
        m_quiet.insert(m_quiet.end(), samples, first);
        if (m_quiet.size() > m_leadingKeep)
            m_quiet.erase(m_quiet.begin(), m_quiet.end() - std::ptrdiff_t(m_leadingKeep));
        if (first == end)
            return;
        m_heard = true;
        pass(m_quiet.data(), m_quiet.size());
        m_quiet.clear();
        samples = first;
    }
    const auto lastAudible =
        std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(samples), audible);
    if (lastAudible.base() == samples) {
        m_quiet.insert(m_quiet.end(), samples, end);
        return;
    }
    const std::int16_t* quietFrom = lastAudible.base();
    if (!m_quiet.empty()) {
        pass(m_quiet.data(), m_quiet.size());
        m_quiet.clear();
    }
    pass(samples, std::size_t(quietFrom - samples));
    m_quiet.assign(quietFrom, end);
}

void SilenceTrimmer::finish()
{
    if (m_heard)
        pass(m_quiet.data(), std::min(m_quiet.size(), m_trailingKeep));
    m_quiet.clear();
}

void SilenceTrimmer::pass(const std::int16_t* samples, std::size_t count)
{
    if (count > 0)
        m_output(samples, count);
}

} // namespace lexamo
