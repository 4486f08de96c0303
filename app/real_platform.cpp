#include "real_platform.h"

#include "speech/sounds/sound_resources.h"
#include "speech/synthesis/embedded_speech_engine.h"

namespace lexamo {

Services RealPlatform::servicesFor(Application& application)
{
    Services services;
    services.application = &application;
    services.createSpeechEngine = [this] {
        return std::make_unique<EmbeddedSpeechEngine>(m_audio);
    };
    services.openSound = openWaveResource;
    services.soundPlayer = &m_player;
    services.randomize = [] { return std::make_unique<MtRandomGenerator>(clockSeed()); };
    return services;
}

} // namespace lexamo
