#include "../qt_printers.h"
#include "hostile_texts.h"
#include "installed_voices.h"
#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/discarding_sink.h"

#include <QString>

#include <gtest/gtest.h>
#include <vector>

namespace lexamo {
namespace {

class HostileTextTest : public ::testing::TestWithParam<QString>
{
};

// At the slowest speed every text still ends, within the longest utterance allowed.
TEST_P(HostileTextTest, EveryVoiceSpeaksEveryTextBounded)
{
    test::DiscardingSink sink;
    EmbeddedSpeechEngine engine(sink);
    const VoiceCollection voices = engine.GetVoices();
    for (int i = 0; i < voices.Count(); ++i) {
        if (voices.Item(i).id() == GetParam())
            engine.Voice(voices.Item(i));
    }
    engine.Rate(-10.0f);
    for (const QString& text : test::hostileTexts()) {
        SCOPED_TRACE(text.left(40).toStdString());
        const PcmBuffer speech = engine.synthesize(text);
        EXPECT_LE(speech.seconds(), EmbeddedSpeechEngine::MaxSeconds);
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, HostileTextTest, ::testing::ValuesIn(test::installedVoiceIds()),
                         [](const auto& p) { return test::voiceTestName(p.param); });

} // namespace
} // namespace lexamo
