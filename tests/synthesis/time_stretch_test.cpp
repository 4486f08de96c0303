#include "speech/synthesis/pcm_buffer.h"
#include "speech/synthesis/time_stretch.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace lexamo {
namespace {

// Stretches the whole buffer, fed in uneven pieces as a synthesizer would.
PcmBuffer stretchTime(const PcmBuffer& pcm, double speed)
{
    PcmBuffer out;
    out.sampleRate = pcm.sampleRate;
    TimeStretcher stretcher(pcm.sampleRate, speed, [&](const std::int16_t* s, std::size_t n) {
        out.samples.insert(out.samples.end(), s, s + n);
        return true;
    });
    for (std::size_t first = 0; first < pcm.samples.size(); first += 1000)
        EXPECT_TRUE(stretcher.push(pcm.samples.data() + first,
                                   std::min<std::size_t>(1000, pcm.samples.size() - first)));
    EXPECT_TRUE(stretcher.finish());
    return out;
}

PcmBuffer sine(int sampleRate, double seconds, double frequency)
{
    PcmBuffer pcm;
    pcm.sampleRate = sampleRate;
    const auto count = static_cast<std::size_t>(sampleRate * seconds);
    for (std::size_t i = 0; i < count; ++i)
        pcm.samples.push_back(
            static_cast<std::int16_t>(8000.0 * std::sin(2.0 * std::numbers::pi * frequency *
                                                        static_cast<double>(i) / sampleRate)));
    return pcm;
}

// Upward zero crossings per second: the pitch must survive the stretch.
double frequencyOf(const PcmBuffer& pcm)
{
    int crossings = 0;
    for (std::size_t i = 1; i < pcm.samples.size(); ++i)
        crossings += pcm.samples[i - 1] < 0 && pcm.samples[i] >= 0;
    return crossings / pcm.seconds();
}

TEST(TimeStretchTest, SlowsDownKeepingRateAndPitch)
{
    const PcmBuffer in = sine(22050, 1.0, 200.0);
    for (const double speed : {0.5, 0.73}) {
        const PcmBuffer out = stretchTime(in, speed);
        EXPECT_EQ(out.sampleRate, 22050);
        EXPECT_NEAR(out.seconds(), 1.0 / speed, 0.05) << "speed " << speed;
        EXPECT_NEAR(frequencyOf(out), 200.0, 10.0) << "speed " << speed;
    }
}

TEST(TimeStretchTest, EmptyInputGivesEmptyOutput)
{
    PcmBuffer empty;
    empty.sampleRate = 16000;
    const PcmBuffer out = stretchTime(empty, 0.5);
    EXPECT_TRUE(out.samples.empty());
    EXPECT_EQ(out.sampleRate, 16000);
}

} // namespace
} // namespace lexamo
