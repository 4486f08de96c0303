#pragma once

namespace lexamo {

/// The learner's speed runs from -10 (about three times slower) through 0 (the voice's normal
/// speed) to +10 (about three times faster); values outside are held at the ends.
float clampRate(float rate);

/// The factor flite stretches every phone duration by: 3^(-rate/10).
double fliteDurationStretch(float rate);

/// espeak-ng's speed for a rate. espeak-ng does not speak slower than its minimum words per
/// minute, so the remaining slow-down is done afterwards by time-stretching the samples.
struct EspeakSpeed
{
    int wordsPerMinute = 175;
    /// Playback speed for the time-stretch: 1 leaves the samples alone, below 1 slows them.
    double stretchSpeed = 1.0;
};

/// 175 words per minute times 3^(rate/10), with the part below espeak-ng's minimum left to the
/// time-stretch.
EspeakSpeed espeakSpeed(float rate);

} // namespace lexamo
