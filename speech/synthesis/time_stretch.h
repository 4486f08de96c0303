#pragma once

#include "pcm_buffer.h"

namespace lexamo {

/// Plays the samples at another speed without changing their pitch (speed 0.5 lasts twice as
/// long). The sample rate stays the same.
PcmBuffer stretchTime(const PcmBuffer& pcm, double speed);

} // namespace lexamo
