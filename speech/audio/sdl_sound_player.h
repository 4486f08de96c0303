#pragma once

#include "speech/audio/audio_output.h"
#include "speech/wave_stream.h"

namespace lexamo {

/// Plays the sound effects on the effect channel of the program's audio output.
class SdlSoundPlayer : public SoundPlayer
{
public:
    explicit SdlSoundPlayer(AudioOutput& output) : m_output(output) {}
    void play(const WaveStream& sound) override;

private:
    AudioOutput& m_output;
};

} // namespace lexamo
