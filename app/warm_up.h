#pragma once

#include <thread>

namespace lexamo {

/// Starts loading, on another thread while the toolkit starts, what the window needs next: the
/// font configuration (read the first time any text is shown), then the voices. Both would
/// otherwise keep the learner waiting for the first frame. The thread joins when destroyed.
std::jthread startWarmUp();

} // namespace lexamo
