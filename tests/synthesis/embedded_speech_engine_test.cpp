#include "courses/error.h"
#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/installed_voices.h"
#include "tests/synthesis/recording_sink.h"

#include <QSet>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// GoogleTest names parameters through PrintTo: show voice ids as text.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << text.toStdString();
}

namespace lexamo {
namespace {

const QString kSentence = QStringLiteral("I am a boy.");
const QString kDefaultVoice = QStringLiteral("flite:cmu_us_rms");
// flite's statistical voices (slt, rms, awb) mix random noise into every utterance; the diphone
// voice kal16 gives the same samples each time, so exact comparisons use it.
const QString kRepeatableVoice = QStringLiteral("flite:cmu_us_kal16");

using test::RecordingSink;

double rms(const PcmBuffer& pcm)
{
    double sum = 0.0;
    for (const std::int16_t s : pcm.samples)
        sum += static_cast<double>(s) * s;
    return pcm.samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(pcm.samples.size()));
}

// The same utterance up to the synthesizer's random noise: nearly the same length (the noise
// moves where the trimmed silence begins and ends) and, at the best alignment, nearly the
// same wave.
bool sameSpeech(const PcmBuffer& a, const PcmBuffer& b)
{
    if (a.sampleRate != b.sampleRate || a.samples.empty() || b.samples.empty())
        return false;
    const double lengthRatio = double(a.samples.size()) / double(b.samples.size());
    if (lengthRatio < 0.9 || lengthRatio > 1.1)
        return false;
    const std::ptrdiff_t maxShift = a.sampleRate / 50;
    double best = 0.0;
    for (std::ptrdiff_t shift = -maxShift; shift <= maxShift; shift += 2) {
        double aa = 0.0, bb = 0.0, ab = 0.0;
        for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(0, -shift);
             i < std::ptrdiff_t(a.samples.size()) && i + shift < std::ptrdiff_t(b.samples.size());
             ++i) {
            const double x = a.samples[std::size_t(i)];
            const double y = b.samples[std::size_t(i + shift)];
            aa += x * x;
            bb += y * y;
            ab += x * y;
        }
        if (aa > 0.0 && bb > 0.0)
            best = std::max(best, ab / std::sqrt(aa * bb));
    }
    return best > 0.95;
}

using test::tokenWithId;

class EmbeddedSpeechEngineTest : public ::testing::Test
{
protected:
    RecordingSink sink;
    EmbeddedSpeechEngine engine{sink};
};

TEST_F(EmbeddedSpeechEngineTest, ListsFliteVoicesFirstWithSltLeading)
{
    const VoiceCollection voices = engine.GetVoices();
    ASSERT_GE(voices.Count(), 5);
    EXPECT_EQ(voices.Item(0).id(), kDefaultVoice);

    QSet<QString> descriptions;
    bool espeakSeen = false;
    for (int i = 0; i < voices.Count(); ++i) {
        const VoiceToken& voice = voices.Item(i);
        SCOPED_TRACE(voice.id().toStdString());
        EXPECT_TRUE(voice.GetDescription().contains(QStringLiteral("English")));
        EXPECT_FALSE(descriptions.contains(voice.GetDescription()));
        descriptions.insert(voice.GetDescription());
        EXPECT_NE(voice.id(), QStringLiteral("flite:cmu_time_awb"));
        EXPECT_FALSE(voice.id().contains(QStringLiteral("mb-")));
        if (voice.id().startsWith(QStringLiteral("espeak:")))
            espeakSeen = true;
        else
            EXPECT_FALSE(espeakSeen) << "a flite voice after espeak-ng voices";
    }
    EXPECT_TRUE(espeakSeen);
}

TEST_F(EmbeddedSpeechEngineTest, EveryListingIsTheSame)
{
    RecordingSink otherSink;
    EmbeddedSpeechEngine other(otherSink);
    const VoiceCollection first = engine.GetVoices();
    for (const VoiceCollection& again :
         {engine.GetVoices(QString(), QString()), engine.GetVoices(), other.GetVoices()}) {
        ASSERT_EQ(again.Count(), first.Count());
        for (int i = 0; i < first.Count(); ++i) {
            EXPECT_EQ(again.Item(i).id(), first.Item(i).id());
            EXPECT_EQ(again.Item(i).GetDescription(), first.Item(i).GetDescription());
        }
    }
}

TEST_F(EmbeddedSpeechEngineTest, SentenceBecomesAudibleSpeechOfPlausibleLength)
{
    const PcmBuffer shortSpeech = engine.synthesize(kSentence);
    EXPECT_EQ(shortSpeech.sampleRate, 16000);
    EXPECT_GT(shortSpeech.seconds(), 0.5);
    EXPECT_LT(shortSpeech.seconds(), 3.0);
    EXPECT_GT(rms(shortSpeech), 300.0);

    const PcmBuffer longSpeech = engine.synthesize(
        QStringLiteral("I am a boy, and my sister is a girl who likes to read books."));
    EXPECT_GT(longSpeech.seconds(), 2.0 * shortSpeech.seconds());
}

TEST_F(EmbeddedSpeechEngineTest, DefaultVoiceAndSpeedAreTheFirstVoiceAtRateZero)
{
    const PcmBuffer untouched = engine.synthesize(kSentence);
    engine.Voice(tokenWithId(engine, QStringLiteral("flite:cmu_us_slt")));
    EXPECT_FALSE(sameSpeech(engine.synthesize(kSentence), untouched));

    engine.Voice(tokenWithId(engine, kDefaultVoice));
    engine.Rate(0.0f);
    EXPECT_TRUE(sameSpeech(engine.synthesize(kSentence), untouched));
}

TEST_F(EmbeddedSpeechEngineTest, SpeakHandsTheSynthesizedSamplesToTheSinkAsOneUtterance)
{
    engine.Voice(tokenWithId(engine, kRepeatableVoice));
    engine.Rate(2.5f);
    const PcmBuffer expected = engine.synthesize(kSentence);
    engine.Speak(kSentence, 0);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].sampleRate, expected.sampleRate);
    EXPECT_EQ(sink.calls[0].samples, expected.samples);
    EXPECT_TRUE(sink.calls[0].ended);
}

TEST_F(EmbeddedSpeechEngineTest, EmptyTextIsSilent)
{
    engine.Speak(QString(), 0);
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_TRUE(engine.synthesize(QString()).samples.empty());
}

TEST_F(EmbeddedSpeechEngineTest, UnknownVoiceIsRejectedAndTheVoiceKept)
{
    engine.Voice(tokenWithId(engine, kRepeatableVoice));
    const PcmBuffer before = engine.synthesize(kSentence);
    EXPECT_THROW(engine.Voice(VoiceToken(QStringLiteral("flite:nobody"), QStringLiteral("Nobody"))),
                 Error);
    EXPECT_THROW(engine.Voice(VoiceToken()), Error);
    EXPECT_EQ(engine.synthesize(kSentence).samples, before.samples);
}

// Every voice in the list must really speak, and speak with its own voice.
class EveryVoiceTest : public ::testing::TestWithParam<QString>
{
};

TEST_P(EveryVoiceTest, SpeaksTheSentence)
{
    RecordingSink sink;
    EmbeddedSpeechEngine engine(sink);
    const PcmBuffer defaultSpeech = engine.synthesize(kSentence);
    engine.Voice(tokenWithId(engine, GetParam()));
    const PcmBuffer speech = engine.synthesize(kSentence);
    EXPECT_GT(speech.sampleRate, 0);
    EXPECT_GT(speech.seconds(), 0.4);
    EXPECT_LT(speech.seconds(), 3.0);
    EXPECT_GT(rms(speech), 300.0);
    if (GetParam() != kDefaultVoice) {
        EXPECT_FALSE(sameSpeech(speech, defaultSpeech));
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, EveryVoiceTest, ::testing::ValuesIn(test::installedVoiceIds()),
                         [](const auto& p) { return test::voiceTestName(p.param); });

// +10 about three times faster, -10 about three times slower, for both synthesizers (espeak-ng
// needs the time-stretch for the slow end).
class RateTest : public ::testing::TestWithParam<QString>
{
};

TEST_P(RateTest, ExtremesAreAboutThreeTimesFasterAndSlower)
{
    const QString sentence = QStringLiteral("The weather is very nice today, so let us go out.");
    RecordingSink sink;
    EmbeddedSpeechEngine engine(sink);
    engine.Voice(tokenWithId(engine, GetParam()));
    const double normal = engine.synthesize(sentence).seconds();
    engine.Rate(10.0f);
    const double fast = engine.synthesize(sentence).seconds();
    engine.Rate(5.0f);
    const double faster = engine.synthesize(sentence).seconds();
    engine.Rate(-10.0f);
    const double slow = engine.synthesize(sentence).seconds();

    EXPECT_GT(normal / fast, 2.3);
    EXPECT_LT(normal / fast, 3.9);
    EXPECT_GT(slow / normal, 2.3);
    EXPECT_LT(slow / normal, 3.9);
    EXPECT_LT(faster, normal);
    EXPECT_GT(faster, fast);
}

INSTANTIATE_TEST_SUITE_P(BothSynthesizers, RateTest,
                         ::testing::Values(kDefaultVoice, QStringLiteral("espeak:en-us")),
                         [](const auto& p) { return test::voiceTestName(p.param); });

} // namespace
} // namespace lexamo
