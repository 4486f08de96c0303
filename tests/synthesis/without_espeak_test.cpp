#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/discarding_sink.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

// espeak-ng starts once per process, so this runs in its own executable: pointed at an empty
// data folder, espeak-ng cannot start and only the flite voices are offered.
TEST(WithoutEspeakTest, FliteVoicesRemainAndSpeak)
{
    QTemporaryDir emptyData;
    ASSERT_TRUE(emptyData.isValid());
    qputenv("ESPEAK_DATA_PATH", emptyData.path().toLocal8Bit());

    test::DiscardingSink sink;
    EmbeddedSpeechEngine engine(sink);
    const VoiceCollection voices = engine.GetVoices();
    ASSERT_EQ(voices.Count(), 5);
    EXPECT_EQ(voices.Item(0).id(), QStringLiteral("flite:cmu_us_rms"));
    for (int i = 0; i < voices.Count(); ++i)
        EXPECT_TRUE(voices.Item(i).id().startsWith(QStringLiteral("flite:")));

    engine.Speak(QStringLiteral("I am a boy."), 0);
    EXPECT_GT(sink.pushed, 8000u);
}

} // namespace
} // namespace lexamo
