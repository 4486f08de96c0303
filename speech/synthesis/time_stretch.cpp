#include "time_stretch.h"

#include <array>
#include <sonic.h>

namespace lexamo {

TimeStretcher::TimeStretcher(int sampleRate, double speed, Output output)
    : m_stream(sonicCreateStream(sampleRate, 1)), m_output(std::move(output))
{
    sonicSetSpeed(m_stream, static_cast<float>(speed));
}

TimeStretcher::~TimeStretcher()
{
    sonicDestroyStream(m_stream);
}

bool TimeStretcher::push(const std::int16_t* samples, std::size_t count)
{
    // sonic's write takes a non-const pointer but only reads from it.
    sonicWriteShortToStream(m_stream, const_cast<short*>(samples), static_cast<int>(count));
    return drain();
}

bool TimeStretcher::finish()
{
    sonicFlushStream(m_stream);
    return drain();
}

bool TimeStretcher::drain()
{
    std::array<std::int16_t, 4096> piece{};
    int read = 0;
    while ((read = sonicReadShortFromStream(m_stream, piece.data(), int(piece.size()))) > 0) {
        if (!m_output(piece.data(), std::size_t(read)))
            return false;
    }
    return true;
}

} // namespace lexamo
