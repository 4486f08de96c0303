// From Speak to the first audible sample (above -40 dBFS) in the audio callback, against the time
// the whole sentence takes to synthesize, for a 24-word sentence; and how long Speak blocks
// against the length of the audio. Goals for the default voice: under 50 ms at speed 0 and under
// 100 ms at -10, each at least 3 times shorter than the whole synthesis.
// Three ways to meet the sentence: cold (nothing made before), prepared (prepare() announced it
// and its audio was finished), and midway (Speak comes while the preparation is half done).
// Runs on SDL's dummy audio driver, which consumes samples in real time.

#include "speech/audio/audio_output.h"
#include "speech/synthesis/embedded_speech_engine.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

using namespace lexamo;
using Clock = std::chrono::steady_clock;

namespace {

const QString kSentence = QStringLiteral(
    "When I was a child, I used to walk to school with my friends every morning, even when "
    "it was raining very hard outside.");
constexpr std::chrono::seconds kPatience(60);

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

[[noreturn]] void fail(const char* voiceId, const char* what)
{
    std::fprintf(stderr, "%s: %s\n", voiceId, what);
    std::exit(1);
}

// A new engine each time, so that no run finds audio kept by an earlier one.
std::unique_ptr<EmbeddedSpeechEngine> freshEngine(AudioOutput& audio, const char* voiceId,
                                                  float rate)
{
    auto engine = std::make_unique<EmbeddedSpeechEngine>(audio);
    engine->Voice(VoiceToken(QString::fromLatin1(voiceId), QString()));
    engine->Rate(rate);
    return engine;
}

// Speak -> first audible, without waiting for the rest: the utterance is cut off once heard.
double toFirstAudible(AudioOutput& audio, EmbeddedSpeechEngine& engine, const char* voiceId)
{
    const std::uint64_t heardBefore = audio.utterancesHeard();
    const auto start = Clock::now();
    const std::unique_ptr<Utterance> utterance = engine.startSpeaking(kSentence);
    while (audio.utterancesHeard() == heardBefore) {
        if (Clock::now() - start > kPatience)
            fail(voiceId, "nothing was heard");
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double audible = milliseconds(audio.lastUtteranceHeard() - start);
    utterance->cancel();
    utterance->waitFor(kPatience);
    return audible;
}

void measure(AudioOutput& audio, const char* voiceId, float rate, int runs)
{
    std::vector<double> cold, prepared, midway, synthesis, blocked, audioLength;
    for (int run = 0; run < runs; ++run) {
        const auto engine = freshEngine(audio, voiceId, rate);
        const auto synthesisStart = Clock::now();
        const PcmBuffer whole = engine->synthesize(kSentence);
        const auto synthesisTime = Clock::now() - synthesisStart;
        synthesis.push_back(milliseconds(synthesisTime));
        audioLength.push_back(whole.seconds() * 1000);

        const std::uint64_t heardBefore = audio.utterancesHeard();
        const auto start = Clock::now();
        engine->Speak(kSentence, 0);
        blocked.push_back(milliseconds(Clock::now() - start));
        if (audio.utterancesHeard() == heardBefore)
            fail(voiceId, "nothing was heard");
        cold.push_back(milliseconds(audio.lastUtteranceHeard() - start));

        const auto ahead = freshEngine(audio, voiceId, rate);
        ahead->prepare(kSentence);
        if (!ahead->waitPrepared(kSentence, kPatience))
            fail(voiceId, "the preparation did not finish");
        prepared.push_back(toFirstAudible(audio, *ahead, voiceId));

        const auto halfway = freshEngine(audio, voiceId, rate);
        halfway->prepare(kSentence);
        std::this_thread::sleep_for(synthesisTime / 2);
        midway.push_back(toFirstAudible(audio, *halfway, voiceId));
    }
    const double whole = median(synthesis);
    std::printf("%-18s %+4.0f %10.1f %8.1f %6.1fx %9.1f %6.1fx %8.1f %10.0f %9.0f %8.3f\n", voiceId,
                double(rate), whole, median(cold), whole / median(cold), median(prepared),
                whole / median(prepared), median(midway), median(blocked), median(audioLength),
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
    std::printf("24-word sentence, median of %d runs; times in ms from Speak to the first audible "
                "sample, ratio = whole synthesis / that time\n",
                runs);
    std::printf("%-18s %4s %10s %8s %7s %9s %7s %8s %10s %9s %8s\n", "voice", "speed", "synthesis",
                "cold", "ratio", "prepared", "ratio", "midway", "Speak ms", "audio ms",
                "blocked/audio");
    for (const char* voice : {"flite:cmu_us_rms", "espeak:en-us"}) {
        for (const float rate : {0.0f, -10.0f, 10.0f})
            measure(audio, voice, rate, runs);
    }
    return 0;
}
