#include "warm_up.h"

#include "speech/synthesis/embedded_speech_engine.h"

#include <fontconfig/fontconfig.h>

namespace lexamo {

std::jthread startWarmUp()
{
    return std::jthread([] {
        // The toolkit calls FcInit itself later; it is thread-safe and then finds the work done.
        FcInit();
        EmbeddedSpeechEngine::prepareSynthesizers();
    });
}

} // namespace lexamo
