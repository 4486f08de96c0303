#pragma once

#include "app/services.h"
#include "speech/audio/audio_output.h"
#include "speech/audio/sdl_sound_player.h"

namespace lexamo {

class Application;

/// The real platform services: the audio output with its sound player, the embedded voices, the
/// embedded sounds and a clock-seeded generator. It must outlive the windows that use it, so
/// that the audio output is shut down last.
class RealPlatform
{
public:
    Services servicesFor(Application& application);

private:
    AudioOutput m_audio;
    SdlSoundPlayer m_player{m_audio};
};

} // namespace lexamo
