#pragma once

#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/discarding_sink.h"

#include <QString>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexamo::test {

/// The ids of every voice the engine offers, for tests that run once per voice.
inline std::vector<QString> installedVoiceIds()
{
    DiscardingSink sink;
    EmbeddedSpeechEngine engine(sink);
    const VoiceCollection voices = engine.GetVoices();
    std::vector<QString> ids;
    for (int i = 0; i < voices.Count(); ++i)
        ids.push_back(voices.Item(i).id());
    return ids;
}

/// The engine's voice with this id; a test failure when there is none.
inline VoiceToken tokenWithId(EmbeddedSpeechEngine& engine, const QString& id)
{
    const VoiceCollection voices = engine.GetVoices();
    for (int i = 0; i < voices.Count(); ++i) {
        if (voices.Item(i).id() == id)
            return voices.Item(i);
    }
    ADD_FAILURE() << "no voice " << id.toStdString();
    return {};
}

/// A voice id as a test name: letters and digits, the rest as '_'.
inline std::string voiceTestName(const QString& id)
{
    std::string name;
    for (const QChar c : id)
        name += c.isLetterOrNumber() ? static_cast<char>(c.toLatin1()) : '_';
    return name;
}

} // namespace lexamo::test
