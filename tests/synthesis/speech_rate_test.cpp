#include "speech/synthesis/speech_rate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace lexamo {
namespace {

struct RateCase
{
    const char* name;
    float rate;
    double durationStretch; // flite
    int wordsPerMinute;     // espeak-ng
    double stretchSpeed;    // time-stretch after espeak-ng
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const RateCase& c, std::ostream* os)
{
    *os << c.name;
}

class SpeechRateTest : public ::testing::TestWithParam<RateCase>
{
};

TEST_P(SpeechRateTest, MapsOntoBothSynthesizers)
{
    const RateCase& c = GetParam();
    EXPECT_NEAR(fliteDurationStretch(c.rate), c.durationStretch, 1e-3);
    const EspeakSpeed speed = espeakSpeed(c.rate);
    EXPECT_EQ(speed.wordsPerMinute, c.wordsPerMinute);
    EXPECT_NEAR(speed.stretchSpeed, c.stretchSpeed, 1e-3);
}

// 175 x 3^(r/10) words per minute; below 80 the rest of the slow-down goes to the time-stretch.
INSTANTIATE_TEST_SUITE_P(Rates, SpeechRateTest,
                         ::testing::Values(RateCase{"Normal", 0.0f, 1.0, 175, 1.0},
                                           RateCase{"HalfStep", 0.5f, 0.9466, 185, 1.0},
                                           RateCase{"Fastest", 10.0f, 1.0 / 3.0, 525, 1.0},
                                           RateCase{"Faster", 5.0f, 0.5774, 303, 1.0},
                                           RateCase{"Slower", -5.0f, 1.7321, 101, 1.0},
                                           RateCase{"JustAboveMinimum", -7.0f, 2.1577, 81, 1.0},
                                           RateCase{"BelowMinimum", -8.0f, 2.4082, 80, 0.9084},
                                           RateCase{"Slowest", -10.0f, 3.0, 80, 0.7292},
                                           RateCase{"AboveRangeHeld", 25.0f, 1.0 / 3.0, 525, 1.0},
                                           RateCase{"BelowRangeHeld", -40.0f, 3.0, 80, 0.7292},
                                           RateCase{"NotANumberIsNormal",
                                                    std::numeric_limits<float>::quiet_NaN(), 1.0,
                                                    175, 1.0}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lexamo
