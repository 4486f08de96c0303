// What each sound sounds like, measured from its samples: pitch, level, timing and envelope.

#include "riff_walker.h"
#include "signal_measures.h"
#include "speech/sounds/sound_resources.h"

#include <cmath>
#include <gtest/gtest.h>

namespace lexamo {
namespace {

using namespace lexamo::test;

struct DecodedSound
{
    double rate = 0.0;
    std::vector<std::vector<double>> channels;
    double seconds() const { return double(channels.at(0).size()) / rate; }
};

DecodedSound decode(const char* name)
{
    const WaveStream stream = openWaveResource(name);
    const RiffFile wave = walkRiff({stream.data, std::size_t(stream.size)});
    return {sampleRate(wave), readChannels(wave)};
}

// "About" in the descriptions: frequencies within 2 %, levels within 0.5 dB, times within 2 ms.
constexpr double frequencyTolerance = 0.02;
constexpr double levelToleranceDb = 0.5;
constexpr double timeTolerance = 0.002;

double relativeDb(double amplitude, double reference)
{
    return toDbfs(amplitude / reference);
}

TEST(SoundCharacterTest, ClickIsAPure523HzToneFadingLinearly)
{
    const DecodedSound click = decode("SysPu");
    ASSERT_EQ(click.channels.size(), 1u);
    const std::vector<double>& s = click.channels[0];

    const double f = dominantFrequency(s, click.rate, 100.0, 2900.0);
    EXPECT_NEAR(f, 523.0, 523.0 * frequencyTolerance);
    const double fundamental = amplitudeAt(s, click.rate, f);
    for (int k = 2; k <= 5; ++k)
        EXPECT_LT(relativeDb(amplitudeAt(s, click.rate, k * f), fundamental), -50.0)
            << "overtone " << k;

    const double top = peak(s);
    EXPECT_NEAR(toDbfs(top), -14.0, levelToleranceDb);
    EXPECT_GT(peak(window(s, click.rate, 0.0, 0.002)), 0.97 * top) << "full level at once";

    // The envelope from the RMS of whole periods (69 samples are six periods) follows a straight
    // line that reaches silence at the end of the sound.
    const std::size_t block = 69;
    const double fullAmplitude = top;
    double worstDeviation = 0.0;
    for (std::size_t start = 0; start + block <= s.size(); start += block) {
        const double centre = (start + block / 2.0) / click.rate;
        const double measured = rms(std::span(s).subspan(start, block)) * std::sqrt(2.0);
        const double line = fullAmplitude * (1.0 - centre / click.seconds());
        worstDeviation = std::max(worstDeviation, std::abs(measured - line) / fullAmplitude);
    }
    EXPECT_LT(worstDeviation, 0.03);
    EXPECT_LT(peak(window(s, click.rate, click.seconds() - 0.005, click.seconds())), 0.03 * top)
        << "silent at the end";
}

TEST(SoundCharacterTest, BuzzerIsTwoBurstsOfASquareWaveWithHissBetween)
{
    const DecodedSound buzzer = decode("Sysbubuu");
    ASSERT_EQ(buzzer.channels.size(), 1u);
    const std::vector<double>& s = buzzer.channels[0];
    const double rate = buzzer.rate;

    EXPECT_NEAR(toDbfs(peak(s)), -4.0, levelToleranceDb);

    // Bursts: samples above -20 dBFS, bridging the zero crossings of the square wave.
    const auto runs = loudRuns(s, 0.1, std::size_t(0.002 * rate));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_NEAR(runs[0].first / rate, 0.004, timeTolerance);
    EXPECT_NEAR(runs[0].second / rate, 0.094, timeTolerance);
    EXPECT_NEAR(runs[1].first / rate, 0.134, timeTolerance);
    EXPECT_EQ(runs[1].second, s.size() - 1) << "the second burst runs to the last sample";

    const auto second = window(s, rate, 0.134, buzzer.seconds());
    const double f = dominantFrequency(second, rate, 20.0, 500.0);
    EXPECT_NEAR(f, 54.6, 54.6 * frequencyTolerance);
    const double fundamental = amplitudeAt(second, rate, f);
    for (int k : {3, 5, 7})
        EXPECT_GT(relativeDb(amplitudeAt(second, rate, k * f), fundamental), -20.0)
            << "odd harmonic " << k;
    for (int k : {2, 4, 6})
        EXPECT_LT(relativeDb(amplitudeAt(second, rate, k * f), fundamental), -40.0)
            << "even harmonic " << k;

    // Abrupt end: the last 10 ms are as loud as the burst as a whole.
    const double endLevel = rms(window(s, rate, buzzer.seconds() - 0.010, buzzer.seconds()));
    EXPECT_NEAR(relativeDb(endLevel, rms(second)), 0.0, 1.0);

    // A faint noise in the gap: quiet, never silent, and changing sign like noise, not a tone.
    const auto gap = window(s, rate, 0.096, 0.132);
    EXPECT_GT(toDbfs(rms(gap)), -75.0);
    EXPECT_LT(toDbfs(peak(gap)), -45.0);
    std::size_t signChanges = 0;
    for (std::size_t i = 1; i < gap.size(); ++i)
        signChanges += (gap[i] < 0) != (gap[i - 1] < 0);
    EXPECT_GT(double(signChanges) / gap.size(), 0.3);
}

TEST(SoundCharacterTest, ChimeIsTwoDecayingTonesLouderAndLongerOnTheRight)
{
    const DecodedSound chime = decode("SysPingPong");
    ASSERT_EQ(chime.channels.size(), 2u);
    const double rate = chime.rate;
    const std::vector<double>& left = chime.channels[0];
    const std::vector<double>& right = chime.channels[1];

    EXPECT_NEAR(toDbfs(peak(left)), -8.4, levelToleranceDb);
    EXPECT_NEAR(toDbfs(peak(right)), -1.7, levelToleranceDb);

    for (const auto* channel : {&left, &right}) {
        SCOPED_TRACE(channel == &left ? "left" : "right");
        const auto& s = *channel;
        EXPECT_NEAR(dominantFrequency(window(s, rate, 0.0, 0.14), rate, 100.0, 3000.0), 880.0,
                    880.0 * frequencyTolerance);
        const auto afterSecond = window(s, rate, 0.16, 0.30);
        EXPECT_NEAR(dominantFrequency(afterSecond, rate, 100.0, 3000.0), 698.0,
                    698.0 * frequencyTolerance);

        // Onset of the second tone: the centre of the first 20 ms window in which its amplitude
        // reaches half of its largest value.
        double largest = 0.0;
        std::vector<std::pair<double, double>> track;
        for (double from = 0.05; from < 0.35; from += 0.001) {
            const double a = amplitudeAt(window(s, rate, from, from + 0.02), rate, 698.0);
            track.emplace_back(from + 0.01, a);
            largest = std::max(largest, a);
        }
        const auto onset = std::find_if(track.begin(), track.end(),
                                        [&](const auto& p) { return p.second >= largest / 2; });
        EXPECT_NEAR(onset->first, 0.15, 0.005);

        // The first tone still sounds under the second and keeps fading.
        const double firstEarly = amplitudeAt(window(s, rate, 0.16, 0.22), rate, 880.0);
        const double firstLate = amplitudeAt(window(s, rate, 0.24, 0.30), rate, 880.0);
        EXPECT_GT(relativeDb(firstEarly, amplitudeAt(afterSecond, rate, 698.0)), -30.0);
        EXPECT_LT(firstLate, firstEarly / 1.5);

        // Both decay towards silence: every 50 ms after the second onset is quieter.
        double previous = rms(window(s, rate, 0.155, 0.205));
        for (double from = 0.205; from + 0.05 <= chime.seconds(); from += 0.05) {
            const double now = rms(window(s, rate, from, from + 0.05));
            EXPECT_LT(now, previous) << "at " << from << " s";
            previous = now;
        }
    }

    // Same tones on both sides: the channels move together, only their levels differ.
    const auto l = window(left, rate, 0.0, 0.02);
    const auto r = window(right, rate, 0.0, 0.02);
    double lr = 0.0;
    double ll = 0.0;
    double rr = 0.0;
    for (std::size_t i = 0; i < l.size(); ++i) {
        lr += l[i] * r[i];
        ll += l[i] * l[i];
        rr += r[i] * r[i];
    }
    EXPECT_GT(lr / std::sqrt(ll * rr), 0.99);

    // The right side ends at about -35 dBFS and loses less of its level than the left.
    const double end = chime.seconds();
    const double rightEnd = toDbfs(peak(window(right, rate, end - 0.01, end)));
    const double leftEnd = toDbfs(peak(window(left, rate, end - 0.01, end)));
    EXPECT_NEAR(rightEnd, -35.0, 1.5);
    const double rightDrop = toDbfs(peak(right)) - rightEnd;
    const double leftDrop = toDbfs(peak(left)) - leftEnd;
    EXPECT_LT(rightDrop, leftDrop - 6.0) << "the right channel must ring clearly longer";
}

TEST(SoundCharacterTest, NoMatchIsTwoShortQuietKnocksUnlikeTheBuzzer)
{
    const DecodedSound knocks = decode("NoMatch");
    ASSERT_EQ(knocks.channels.size(), 1u);
    const std::vector<double>& s = knocks.channels[0];
    EXPECT_LT(knocks.seconds(), 0.15) << "a short signal, not a judgement";
    EXPECT_NEAR(toDbfs(peak(s)), -12.0, levelToleranceDb);
    EXPECT_NEAR(dominantFrequency(s, knocks.rate, 100.0, 2000.0), 330.0,
                330.0 * frequencyTolerance);
    const auto runs = loudRuns(s, 0.1 * peak(s), std::size_t(knocks.rate * 0.003));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_NEAR(double(runs[1].first - runs[0].first) / knocks.rate, 0.055, timeTolerance);

    const DecodedSound buzzer = decode("Sysbubuu");
    EXPECT_LT(toDbfs(peak(s)), toDbfs(peak(buzzer.channels[0])) - 6.0) << "well below the buzzer";
}

} // namespace
} // namespace lexamo
