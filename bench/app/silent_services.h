// The windows and their services for benchmarks that drive them: speech that says nothing,
// sounds of four silent bytes, and message boxes that only remember what they said.
#pragma once

#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/message_boxes.h"
#include "app/services.h"

#include <QStringList>

#include <cstdio>
#include <memory>

namespace lexamo::bench {

class SilentSpeech : public SpeechEngine
{
public:
    VoiceCollection GetVoices() override { return VoiceCollection({VoiceToken("v", "Voice")}); }
    VoiceCollection GetVoices(const QString&, const QString&) override { return GetVoices(); }
    void Voice(const VoiceToken&) override {}
    void Rate(float) override {}
    std::unique_ptr<Utterance> startSpeaking(const QString&) override
    {
        return std::make_unique<SilentUtterance>();
    }
};

class ListeningBoxes : public MessageBoxes
{
public:
    void ShowMessage(QWidget*, const QString& text) override { messages << text; }
    void showError(QWidget*, const QString& message) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(message));
        errors << message;
    }
    QStringList messages;
    QStringList errors;
};

/// Questions in file order unless Random is switched on, words shuffled by a fixed seed.
inline Services silentServices(Application& application, SoundPlayer& player)
{
    Services services;
    services.application = &application;
    services.createSpeechEngine = [] { return std::make_unique<SilentSpeech>(); };
    services.openSound = [](const QString& name) {
        static const unsigned char bytes[4] = {};
        return WaveStream{name, bytes, 4};
    };
    services.soundPlayer = &player;
    services.randomize = [] { return std::make_unique<MtRandomGenerator>(1); };
    return services;
}

/// Both windows over the silent services, as the program wires them; the main one is shown at
/// twice the design width.
struct SilentWindows
{
    SilentWindows(Application& application, SoundPlayer& player)
        : form(silentServices(application, player)), selection(application, form)
    {
        form.setForm2(&selection);
        form.resize(1426, 720);
        form.show();
    }
    TForm1 form;
    TForm2 selection;
};

} // namespace lexamo::bench
