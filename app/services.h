#pragma once

#include "drill/random_generator.h"
#include "speech/speech_engine.h"
#include "speech/wave_stream.h"

#include <QString>

#include <functional>
#include <memory>

namespace lexamo {

class Application;

/// The platform services the main window uses, wired to the real ones in main.cpp and to
/// recording fakes in tests.
struct Services
{
    Application* application = nullptr;
    std::function<std::unique_ptr<SpeechEngine>()> createSpeechEngine;
    std::function<WaveStream(const QString& name)> openSound;
    SoundPlayer* soundPlayer = nullptr;
    /// Seeds the program's one generator; called once, at start-up.
    std::function<std::unique_ptr<RandomGenerator>()> randomize;
    /// Told of every object the window creates and releases, in order (tests listen here).
    std::function<void(const QString& event)> trace;
};

} // namespace lexamo
