// Synthesis time of one drill sentence per synthesizer, at normal speed and at the slowest
// (where espeak-ng's output is time-stretched afterwards).

#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/discarding_sink.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

const QString kSentence = QStringLiteral(
    "When I was a child, I used to walk to school with my friends every morning, even when "
    "it was raining hard outside.");

void synthesizeWith(benchmark::State& state, const QString& voiceId, float rate)
{
    lexamo::test::DiscardingSink sink;
    lexamo::EmbeddedSpeechEngine engine(sink);
    engine.Voice(lexamo::VoiceToken(voiceId, QString()));
    engine.Rate(rate);
    double audioSeconds = 0.0;
    for (auto _ : state) {
        const lexamo::PcmBuffer pcm = engine.synthesize(kSentence);
        audioSeconds += pcm.seconds();
        benchmark::DoNotOptimize(pcm.samples.data());
    }
    state.counters["audio_s"] =
        benchmark::Counter(audioSeconds, benchmark::Counter::kAvgIterations);
}

BENCHMARK_CAPTURE(synthesizeWith, flite_slt, QStringLiteral("flite:cmu_us_slt"), 0.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(synthesizeWith, flite_slt_slowest, QStringLiteral("flite:cmu_us_slt"), -10.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(synthesizeWith, espeak_en_us, QStringLiteral("espeak:en-us"), 0.0f)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(synthesizeWith, espeak_en_us_slowest, QStringLiteral("espeak:en-us"), -10.0f)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
