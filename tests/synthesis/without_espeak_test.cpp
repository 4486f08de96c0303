#include "speech/synthesis/embedded_speech_engine.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

class SilentSink : public PcmSink
{
public:
    void beginSpeech(int) override {}
    void pushSpeech(const std::int16_t*, std::size_t count) override { played += count; }
    void endSpeech() override {}
    void cancelSpeech() override {}
    bool waitSpeechPlayed(std::chrono::milliseconds) override { return true; }
    std::size_t played = 0;
};

// espeak-ng starts once per process, so this runs in its own executable: pointed at an empty
// data folder, espeak-ng cannot start and only the flite voices are offered.
TEST(WithoutEspeakTest, FliteVoicesRemainAndSpeak)
{
    QTemporaryDir emptyData;
    ASSERT_TRUE(emptyData.isValid());
    qputenv("ESPEAK_DATA_PATH", emptyData.path().toLocal8Bit());

    SilentSink sink;
    EmbeddedSpeechEngine engine(sink);
    const VoiceCollection voices = engine.GetVoices();
    ASSERT_EQ(voices.Count(), 5);
    EXPECT_EQ(voices.Item(0).id(), QStringLiteral("flite:cmu_us_rms"));
    for (int i = 0; i < voices.Count(); ++i)
        EXPECT_TRUE(voices.Item(i).id().startsWith(QStringLiteral("flite:")));

    engine.Speak(QStringLiteral("I am a boy."), 0);
    EXPECT_GT(sink.played, 8000u);
}

} // namespace
} // namespace lexamo
