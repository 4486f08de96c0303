#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

struct sonicStreamStruct;

namespace lexamo {

/// Plays samples at another speed without changing their pitch (speed 0.5 lasts twice as long),
/// piece by piece: each push passes on what is ready, finish() the rest. The sample rate stays
/// the same.
class TimeStretcher
{
public:
    using Output = std::function<bool(const std::int16_t* samples, std::size_t count)>;

    TimeStretcher(int sampleRate, double speed, Output output);
    ~TimeStretcher();
    TimeStretcher(const TimeStretcher&) = delete;
    TimeStretcher& operator=(const TimeStretcher&) = delete;

    /// False once the output asked to stop.
    bool push(const std::int16_t* samples, std::size_t count);
    bool finish();

private:
    bool drain();

    sonicStreamStruct* m_stream;
    Output m_output;
};

} // namespace lexamo
