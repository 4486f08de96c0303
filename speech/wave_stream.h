#pragma once

#include <QString>

namespace lexamo {

/// A read-only view of one embedded WAVE image: the bytes stay where the program image holds
/// them, so opening or playing copies nothing and the view stays valid until the process ends.
struct WaveStream
{
    QString name;
    const unsigned char* data = nullptr;
    qsizetype size = 0;
};

/// Plays sound effects without waiting: play() starts the sound and returns at once, and
/// starting a sound ends the one still playing.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const WaveStream& sound) = 0;
};

} // namespace lexamo
