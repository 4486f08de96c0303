#include "speech/audio/sdl_sound_player.h"

namespace lexamo {

void SdlSoundPlayer::play(const WaveStream& sound)
{
    m_output.playEffect(sound);
}

} // namespace lexamo
