#include "signal_analysis.h"
#include "speech/audio/audio_output.h"
#include "speech/sounds/sound_resources.h"

#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace lexamo {
namespace {

struct EmbeddedSound
{
    const char* name;
    double seconds;
};

void PrintTo(const EmbeddedSound& row, std::ostream* os)
{
    *os << row.name;
}

class EmbeddedSounds : public ::testing::TestWithParam<EmbeddedSound>
{
};

// The program's own effects, read in place from the program image, play whole on the device.
TEST_P(EmbeddedSounds, PlayWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string file = dir.filePath(QStringLiteral("device.raw")).toStdString();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    {
        AudioOutput output;
        ASSERT_TRUE(output.hasDevice());
        output.playEffect(openWaveResource(QString::fromLatin1(GetParam().name)));
        // Waiting by speaking silence counts the wait in device frames.
        const std::vector<std::int16_t> silence(std::size_t(16000 * (GetParam().seconds + 0.2)));
        output.playSpeech(silence.data(), silence.size(), 16000);
        EXPECT_EQ(output.effectsStarted(), 1u);
    }
    const test::StereoSignal out = test::readStereoFloatFile(file, AudioOutput::kSampleRate);
    // A low threshold, so that the fading ends still count as sound.
    const double expected = GetParam().seconds * AudioOutput::kSampleRate;
    EXPECT_NEAR(double(test::loudSpan(out, 1e-4f).length()), expected, expected * 0.01 + 64);
}

INSTANTIATE_TEST_SUITE_P(Program, EmbeddedSounds,
                         ::testing::Values(EmbeddedSound{"SysPu", 1425.0 / 6000},
                                           EmbeddedSound{"Sysbubuu", 5878.0 / 22050},
                                           EmbeddedSound{"SysPingPong", 21023.0 / 44100}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace lexamo
