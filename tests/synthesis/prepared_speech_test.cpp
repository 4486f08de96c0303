#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/installed_voices.h"
#include "tests/synthesis/recording_sink.h"

#include <QString>

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <thread>

namespace lexamo {
namespace {

using namespace std::chrono_literals;
using test::RecordingSink;
using test::tokenWithId;

const QString kSentence = QStringLiteral("I am a boy.");
// Two long sentences: at the slowest speed their synthesis takes a while, so that speech asked
// for meanwhile meets the preparation still at work.
const QString kLongText = QStringLiteral(
    "When I was a child, I used to walk to school with my friends every morning, even when it "
    "was raining very hard outside. We talked about our favourite games and books all the way, "
    "and we were never late.");
// The diphone voices give the same samples every time, so their audio can be compared exactly;
// the default voice mixes random noise into every synthesis.
const QString kRepeatableVoice = QStringLiteral("flite:cmu_us_kal16");
const QString kOtherRepeatableVoice = QStringLiteral("flite:cmu_us_kal");
// Long enough for any synthesis here, even under the sanitizers on a busy machine.
constexpr auto kPatience = 120s;
// Lets a preparation begin, so that speech asked for next meets it at work. Should it not have
// begun yet, the speech simply goes first and every check still holds.
constexpr auto kPreparationStart = 50ms;

class PreparedSpeechTest : public ::testing::Test
{
protected:
    RecordingSink sink;
    EmbeddedSpeechEngine engine{sink};
};

TEST_F(PreparedSpeechTest, PreparedTextSoundsExactlyAsWhenSpokenUnprepared)
{
    RecordingSink coldSink;
    EmbeddedSpeechEngine cold(coldSink);
    for (EmbeddedSpeechEngine* each : {&engine, &cold}) {
        each->Voice(tokenWithId(*each, kRepeatableVoice));
        each->Rate(-3.0f);
    }
    cold.Speak(kSentence, 0);
    engine.prepare(kSentence);
    ASSERT_TRUE(engine.waitPrepared(kSentence, kPatience));
    EXPECT_TRUE(sink.calls.empty()) << "preparing is silent";

    engine.Speak(kSentence, 0);
    ASSERT_EQ(sink.calls.size(), 1u);
    ASSERT_EQ(coldSink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].sampleRate, coldSink.calls[0].sampleRate);
    EXPECT_GT(sink.calls[0].samples.size(), 8000u);
    EXPECT_EQ(sink.calls[0].samples, coldSink.calls[0].samples);
    EXPECT_TRUE(sink.calls[0].ended);
}

struct Change
{
    const char* name;
    std::function<void(EmbeddedSpeechEngine&)> apply;
};

void PrintTo(const Change& change, std::ostream* os)
{
    *os << change.name;
}

class StaleAudioTest : public PreparedSpeechTest, public ::testing::WithParamInterface<Change>
{
};

TEST_P(StaleAudioTest, AnotherVoiceOrSpeedIsNotServedTheAudioPreparedBefore)
{
    engine.Voice(tokenWithId(engine, kRepeatableVoice));
    const PcmBuffer prepared = engine.synthesize(kSentence);
    engine.prepare(kSentence);
    ASSERT_TRUE(engine.waitPrepared(kSentence, kPatience));

    GetParam().apply(engine);
    EXPECT_FALSE(engine.waitPrepared(kSentence, 0ms));
    const PcmBuffer expected = engine.synthesize(kSentence);
    ASSERT_NE(expected.samples, prepared.samples);
    engine.Speak(kSentence, 0);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].sampleRate, expected.sampleRate);
    EXPECT_EQ(sink.calls[0].samples, expected.samples);

    engine.Voice(tokenWithId(engine, kRepeatableVoice));
    engine.Rate(0.0f);
    EXPECT_TRUE(engine.waitPrepared(kSentence, 0ms)) << "the first audio is still kept";
}

INSTANTIATE_TEST_SUITE_P(
    Changes, StaleAudioTest,
    ::testing::Values(Change{"Speed", [](EmbeddedSpeechEngine& e) { e.Rate(4.0f); }},
                      Change{"Voice",
                             [](EmbeddedSpeechEngine& e) {
                                 e.Voice(tokenWithId(e, kOtherRepeatableVoice));
                             }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(PreparedSpeechTest, SpeechOfAnotherTextGoesBeforeARunningPreparation)
{
    engine.Rate(-10.0f);
    engine.prepare(kLongText);
    std::this_thread::sleep_for(kPreparationStart);
    bool preparedBeforeSpeech = true;
    sink.onBegin = [&] { preparedBeforeSpeech = engine.waitPrepared(kLongText, 0ms); };
    engine.Speak(kSentence, 0);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_TRUE(sink.calls[0].ended);
    EXPECT_FALSE(preparedBeforeSpeech) << "the speech waited for the preparation to finish";

    sink.onBegin = nullptr;
    EXPECT_TRUE(engine.waitPrepared(kLongText, kPatience))
        << "the preparation that gave way is made afterwards";
    EXPECT_EQ(sink.calls.size(), 1u);
}

TEST_F(PreparedSpeechTest, SpeechOfTheTextBeingPreparedHearsAllOfItOnce)
{
    // Speech asked for at several moments of the preparation: before its first piece, and once
    // some of the text has been made, wherever the machine's speed puts those moments. Each
    // round at its own speed, so that none finds finished audio.
    engine.Rate(-10.0f);
    const auto start = std::chrono::steady_clock::now();
    engine.synthesize(kLongText);
    const auto synthesis = std::chrono::steady_clock::now() - start;
    float rate = -9.5f;
    for (const double fraction : {0.0, 0.4, 0.7}) {
        SCOPED_TRACE(fraction);
        sink.calls.clear();
        engine.Rate(rate);
        rate += 0.5f;
        engine.prepare(kLongText);
        std::this_thread::sleep_for(fraction * synthesis);
        engine.Speak(kLongText, 0);
        // The default voice never says a text twice alike: only the kept audio sounds the same.
        engine.Speak(kLongText, 0);
        ASSERT_EQ(sink.calls.size(), 2u);
        EXPECT_TRUE(sink.calls[0].ended);
        EXPECT_TRUE(sink.calls[1].ended);
        EXPECT_GT(sink.calls[0].samples.size(), std::size_t(sink.calls[0].sampleRate) * 10);
        EXPECT_EQ(sink.calls[0].samples, sink.calls[1].samples);
    }
}

TEST_F(PreparedSpeechTest, SpeechHeardToTheEndIsKeptButSpeechCutShortIsNot)
{
    engine.Speak(kSentence, 0);
    EXPECT_TRUE(engine.waitPrepared(kSentence, 0ms));
    engine.Speak(kSentence, 0);
    ASSERT_EQ(sink.calls.size(), 2u);
    EXPECT_EQ(sink.calls[1].samples, sink.calls[0].samples) << "heard again from what was kept";

    engine.Rate(-10.0f);
    const std::unique_ptr<Utterance> utterance = engine.startSpeaking(kLongText);
    utterance->cancel();
    ASSERT_TRUE(utterance->waitFor(kPatience));
    EXPECT_FALSE(engine.waitPrepared(kLongText, 0ms));
}

TEST(PreparedSpeechEnd, AnEngineGoesAwayCleanlyWithPreparationsWaitingRunningOrHeard)
{
    RecordingSink sink;
    std::unique_ptr<Utterance> utterance;
    {
        EmbeddedSpeechEngine engine(sink);
        engine.Rate(-10.0f);
        engine.prepare(kLongText);
        engine.prepare(kSentence);
        engine.prepare(QStringLiteral("We were never late."));
        std::this_thread::sleep_for(kPreparationStart);
        utterance = engine.startSpeaking(kLongText);
        engine.prepare(QStringLiteral("Good morning, everyone."));
    }
    EXPECT_TRUE(utterance->waitFor(0ms)) << "the utterance ended with its engine";
    ASSERT_LE(sink.calls.size(), 1u) << "only the utterance reached the sink";
    if (!sink.calls.empty()) {
        EXPECT_FALSE(sink.calls[0].ended) << "it was cut short, not played to its end";
    }
}

} // namespace
} // namespace lexamo
