#include "speech_rate.h"

#include <algorithm>
#include <cmath>

namespace lexamo {

namespace {

constexpr float kMaxRate = 10.0f;
// espeak-ng's normal and slowest speeds in words per minute (espeakRATE_NORMAL, _MINIMUM).
constexpr double kEspeakNormalWpm = 175.0;
constexpr double kEspeakMinimumWpm = 80.0;

} // namespace

float clampRate(float rate)
{
    // A value that is not a number cannot come from the speed bar; treat it as the normal speed.
    if (std::isnan(rate))
        return 0.0f;
    return std::clamp(rate, -kMaxRate, kMaxRate);
}

double fliteDurationStretch(float rate)
{
    return std::pow(3.0, -clampRate(rate) / kMaxRate);
}

EspeakSpeed espeakSpeed(float rate)
{
    const double wanted = kEspeakNormalWpm * std::pow(3.0, clampRate(rate) / kMaxRate);
    if (wanted >= kEspeakMinimumWpm)
        return {static_cast<int>(std::lround(wanted)), 1.0};
    return {static_cast<int>(kEspeakMinimumWpm), wanted / kEspeakMinimumWpm};
}

} // namespace lexamo
