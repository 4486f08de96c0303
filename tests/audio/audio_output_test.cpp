#include "signal_analysis.h"
#include "speech/audio/audio_output.h"
#include "speech/audio/sdl_sound_player.h"
#include "wave_images.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <ostream>
#include <thread>
#include <vector>

namespace lexamo {
namespace {

using test::Bytes;
using test::StereoSignal;
using test::ToneWave;

constexpr int kRate = AudioOutput::kSampleRate;
constexpr std::size_t kWindow = kRate / 100; // 10 ms

WaveStream streamOver(const Bytes& image)
{
    return WaveStream{QStringLiteral("test"), image.data(), qsizetype(image.size())};
}

std::size_t framesOf(double seconds)
{
    return std::size_t(std::lround(seconds * kRate));
}

std::vector<std::int16_t> speechTone(double seconds, double frequency, double amplitude)
{
    constexpr int kSpeechRate = 16000;
    std::vector<std::int16_t> samples(std::size_t(seconds * kSpeechRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = std::int16_t(
            std::lround(amplitude * 32767.0 *
                        std::sin(2.0 * std::numbers::pi * frequency * double(i) / kSpeechRate)));
    }
    return samples;
}

/// Blocks for `seconds` of device output by speaking silence, so that waiting is counted in
/// frames the device consumed, not in wall time.
void waitFor(AudioOutput& output, double seconds)
{
    const auto silence = speechTone(seconds, 0.0, 0.0);
    output.playSpeech(silence.data(), silence.size(), 16000);
}

/// Per 10 ms window of the left channel: whether the tone is present.
std::vector<bool> presence(const StereoSignal& signal, double frequency, double minAmplitude)
{
    std::vector<bool> present;
    for (std::size_t first = 0; first + kWindow <= signal.frames(); first += kWindow) {
        present.push_back(test::toneAmplitude(signal, 0, first, kWindow, frequency) > minAmplitude);
    }
    return present;
}

int countOf(const std::vector<bool>& windows)
{
    return int(std::count(windows.begin(), windows.end(), true));
}

/// Routes the device's output into a file through SDL's disk driver.
class DiskOutput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("device.raw")).toStdString();
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
        m_output = std::make_unique<AudioOutput>();
        ASSERT_TRUE(m_output->hasDevice());
    }

    /// Closes the device and returns everything it was given.
    StereoSignal recorded()
    {
        m_output.reset();
        return test::readStereoFloatFile(m_file, kRate);
    }

    QTemporaryDir m_dir;
    std::string m_file;
    std::unique_ptr<AudioOutput> m_output;
};

struct EffectCase
{
    const char* name;
    ToneWave tone;
};

void PrintTo(const EffectCase& row, std::ostream* os)
{
    *os << row.name;
}

class EffectFormats : public DiskOutput, public ::testing::WithParamInterface<EffectCase>
{
};

TEST_P(EffectFormats, WholeEffectReachesTheDeviceAtItsPitchAndLevel)
{
    const ToneWave& tone = GetParam().tone;
    const Bytes image = test::toneImage(tone);
    SdlSoundPlayer player(*m_output);
    player.play(streamOver(image));
    waitFor(*m_output, tone.seconds + 0.2);
    EXPECT_EQ(m_output->effectsStarted(), 1u);

    const StereoSignal out = recorded();
    const test::Span span = test::loudSpan(out);
    const double expected = double(framesOf(tone.seconds));
    EXPECT_NEAR(double(span.length()), expected, expected * 0.01 + 64);

    const std::size_t middle = span.first + span.length() / 4;
    const std::size_t count = span.length() / 2;
    EXPECT_NEAR(test::crossingFrequency(out, 0, middle, count), tone.frequency,
                tone.frequency * 0.02);
    const double right = tone.channels == 2 ? tone.rightAmplitude : tone.amplitude;
    EXPECT_NEAR(test::toneAmplitude(out, 0, middle, count, tone.frequency), tone.amplitude, 0.03);
    EXPECT_NEAR(test::toneAmplitude(out, 1, middle, count, tone.frequency), right, 0.03);
}

// The three encodings of the program's effects: click, buzzer and chime.
INSTANTIATE_TEST_SUITE_P(
    Sounds, EffectFormats,
    ::testing::Values(EffectCase{"Pcm16Mono6000",
                                 ToneWave{1, 1, 6000, 16, 16, 0.24, 523, 0.2, 0.2, false}},
                      EffectCase{"Float32Mono22050Fmt18TrailingList",
                                 ToneWave{3, 1, 22050, 32, 18, 0.27, 440, 0.6, 0.6, true}},
                      EffectCase{"Pcm16Stereo44100Fmt18TrailingList",
                                 ToneWave{1, 2, 44100, 16, 18, 0.48, 880, 0.4, 0.8, true}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DiskOutput, NewEffectCutsTheOneStillPlaying)
{
    const Bytes first = test::toneImage({3, 1, 22050, 32, 18, 1.0, 440, 0.5, 0.5, true});
    const Bytes second = test::toneImage({1, 2, 44100, 16, 18, 0.3, 880, 0.5, 0.5, true});
    m_output->playEffect(streamOver(first));
    waitFor(*m_output, 0.1);
    m_output->playEffect(streamOver(second));
    waitFor(*m_output, 0.5);
    EXPECT_EQ(m_output->effectsStarted(), 2u);

    const StereoSignal out = recorded();
    const auto firstTone = presence(out, 440, 0.1);
    const auto secondTone = presence(out, 880, 0.1);
    const auto secondStart = std::find(secondTone.begin(), secondTone.end(), true);
    ASSERT_NE(secondStart, secondTone.end());
    const std::size_t secondIndex = std::size_t(secondStart - secondTone.begin());

    // The first sound played about as long as the wait, far from its whole second...
    EXPECT_GE(countOf(firstTone), 8);
    EXPECT_LE(countOf(firstTone), 40);
    // ...stopped when the second began, which then played whole.
    EXPECT_EQ(std::find(firstTone.begin() + std::ptrdiff_t(secondIndex) + 1, firstTone.end(), true),
              firstTone.end());
    EXPECT_NEAR(countOf(secondTone), 30, 2);
    const test::Span span = test::loudSpan(out);
    EXPECT_NEAR(double(span.length()), double(secondIndex * kWindow - span.first + framesOf(0.3)),
                double(2 * kWindow));
}

TEST_F(DiskOutput, EffectPlaysOnDuringSpeechMixedWithIt)
{
    const Bytes chime = test::toneImage({1, 1, 6000, 16, 16, 0.3, 880, 0.7, 0.7, false});
    const auto speech = speechTone(0.5, 300, 0.7);
    m_output->playEffect(streamOver(chime));
    m_output->playSpeech(speech.data(), speech.size(), 16000);
    // The device closes right away: speech cut short would show that playSpeech returned early.
    const StereoSignal out = recorded();

    const auto effectTone = presence(out, 880, 0.1);
    const auto speechTonePresent = presence(out, 300, 0.1);
    int both = 0;
    for (std::size_t i = 0; i < effectTone.size(); ++i) {
        both += effectTone[i] && speechTonePresent[i] ? 1 : 0;
    }
    EXPECT_GE(both, 27);
    EXPECT_NEAR(countOf(speechTonePresent), 50, 2);
    // Two loud tones together are clamped to full scale, never beyond it.
    const auto [low, high] = std::minmax_element(out.samples.begin(), out.samples.end());
    EXPECT_FLOAT_EQ(*high, 1.0f);
    EXPECT_FLOAT_EQ(*low, -1.0f);
}

// Speech arrives piece by piece while it plays; a piece that comes late leaves a gap, never a
// loss, and the wait ends only after the last piece.
TEST_F(DiskOutput, SpeechStreamedInPiecesPlaysWhole)
{
    const auto first = speechTone(0.3, 300, 0.5);
    const auto second = speechTone(0.3, 300, 0.5);
    m_output->beginSpeech(16000);
    m_output->pushSpeech(first.data(), first.size());
    EXPECT_FALSE(m_output->waitSpeechPlayed(std::chrono::milliseconds(50)));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    m_output->pushSpeech(second.data(), second.size());
    m_output->endSpeech();
    EXPECT_TRUE(m_output->waitSpeechPlayed(std::chrono::seconds(10)));

    EXPECT_NEAR(countOf(presence(recorded(), 300, 0.1)), 60, 3);
}

TEST_F(DiskOutput, CancelledSpeechStopsAtOnce)
{
    const auto speech = speechTone(3.0, 300, 0.5);
    m_output->beginSpeech(16000);
    m_output->pushSpeech(speech.data(), speech.size());
    EXPECT_FALSE(m_output->waitSpeechPlayed(std::chrono::milliseconds(200)));
    m_output->cancelSpeech();
    EXPECT_TRUE(m_output->waitSpeechPlayed(std::chrono::milliseconds(0)));
    waitFor(*m_output, 0.3);

    const int heard = countOf(presence(recorded(), 300, 0.1));
    EXPECT_GE(heard, 10);
    EXPECT_LE(heard, 60);
}

TEST_F(DiskOutput, MalformedImageIsIgnored)
{
    const Bytes click = test::toneImage({1, 1, 6000, 16, 16, 0.24, 523, 0.5, 0.5, false});
    Bytes broken = click;
    broken.resize(30); // cut inside the fmt chunk
    m_output->playEffect(streamOver(click));
    m_output->playEffect(streamOver(broken));
    m_output->playEffect(WaveStream{});
    waitFor(*m_output, 0.4);
    EXPECT_EQ(m_output->effectsStarted(), 1u);

    const StereoSignal out = recorded();
    EXPECT_NEAR(double(test::loudSpan(out).length()), double(framesOf(0.24)), 200);
}

// Idle, the device is closed, so the program stops waking up for it; the next sound opens it
// again and plays.
TEST(AudioOutputWhenIdle, ClosesTheDeviceAndOpensItForTheNextSound)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    AudioOutput output(std::chrono::milliseconds(200));
    ASSERT_TRUE(output.hasDevice());
    const Bytes click = test::toneImage({});
    output.playEffect(streamOver(click));
    const auto closedBy = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (output.deviceOpen() && std::chrono::steady_clock::now() < closedBy) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_FALSE(output.deviceOpen());
    EXPECT_EQ(output.effectsStarted(), 1u);

    output.playEffect(streamOver(click));
    EXPECT_TRUE(output.deviceOpen());
    const auto speech = speechTone(0.2, 300, 0.5);
    output.playSpeech(speech.data(), speech.size(), 16000);
    EXPECT_EQ(output.effectsStarted(), 2u);
    EXPECT_TRUE(output.hasDevice());
}

TEST(AudioOutputWithoutDevice, EffectsAreSkippedAndSpeechReturnsAtOnce)
{
    setenv("SDL_AUDIODRIVER", "lexamo-no-such-driver", 1);
    AudioOutput output;
    EXPECT_FALSE(output.hasDevice());

    const Bytes click = test::toneImage({});
    output.playEffect(streamOver(click));
    // Ten seconds of speech: returning only after playing it would hold the test for ten seconds
    // per call; without a device the call must not wait at all.
    const auto speech = speechTone(10.0, 300, 0.5);
    for (int i = 0; i < 50; ++i) {
        output.playSpeech(speech.data(), speech.size(), 16000);
    }
    EXPECT_EQ(output.effectsStarted(), 0u);
}

} // namespace
} // namespace lexamo
