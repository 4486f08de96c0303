// From Speak to the first audible sample (above -40 dBFS) in the audio callback, against the time
// the whole sentence takes to synthesize, for a 24-word sentence; and how long Speak blocks
// against the length of the audio. Goals for the default voice: under 50 ms at speed 0 and under
// 100 ms at -10, each at least 3 times shorter than the whole synthesis.
// Runs on SDL's dummy audio driver, which consumes samples in real time.

#include "speech/audio/audio_output.h"
#include "speech/synthesis/embedded_speech_engine.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace lexamo;
using Clock = std::chrono::steady_clock;

namespace {

const QString kSentence = QStringLiteral(
    "When I was a child, I used to walk to school with my friends every morning, even when "
    "it was raining very hard outside.");

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(AudioOutput& audio, EmbeddedSpeechEngine& engine, const char* voiceId, float rate,
             int runs)
{
    engine.Voice(VoiceToken(QString::fromLatin1(voiceId), QString()));
    engine.Rate(rate);
    std::vector<double> toAudible, synthesis, blocked, audioLength;
    for (int run = 0; run < runs; ++run) {
        const auto synthesisStart = Clock::now();
        const PcmBuffer whole = engine.synthesize(kSentence);
        synthesis.push_back(milliseconds(Clock::now() - synthesisStart));
        audioLength.push_back(whole.seconds() * 1000);

        const std::uint64_t heardBefore = audio.utterancesHeard();
        const auto start = Clock::now();
        engine.Speak(kSentence, 0);
        blocked.push_back(milliseconds(Clock::now() - start));
        if (audio.utterancesHeard() == heardBefore) {
            std::fprintf(stderr, "%s: nothing was heard\n", voiceId);
            std::exit(1);
        }
        toAudible.push_back(milliseconds(audio.lastUtteranceHeard() - start));
    }
    const double audible = median(toAudible), whole = median(synthesis);
    std::printf("%-20s %+5.0f %12.1f %14.1f %8.1fx %12.0f %12.0f %8.3f\n", voiceId, double(rate),
                audible, whole, whole / audible, median(blocked), median(audioLength),
                median(blocked) / median(audioLength));
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    AudioOutput audio;
    if (!audio.hasDevice()) {
        std::fprintf(stderr, "no audio device\n");
        return 1;
    }
    EmbeddedSpeechEngine engine(audio);
    std::printf("24-word sentence, median of %d runs\n", runs);
    std::printf("%-20s %5s %12s %14s %9s %12s %12s %8s\n", "voice", "speed", "to audible ms",
                "synthesis ms", "ratio", "Speak ms", "audio ms", "blocked/audio");
    measure(audio, engine, "flite:cmu_us_rms", 0.0f, runs);
    measure(audio, engine, "flite:cmu_us_rms", -10.0f, runs);
    measure(audio, engine, "flite:cmu_us_rms", 10.0f, runs);
    measure(audio, engine, "espeak:en-us", 0.0f, runs);
    measure(audio, engine, "espeak:en-us", -10.0f, runs);
    measure(audio, engine, "espeak:en-us", 10.0f, runs);
    return 0;
}
