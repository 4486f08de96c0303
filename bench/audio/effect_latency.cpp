// How quickly a sound effect reaches the device: from the playEffect() call to the audio callback
// that first mixes it, and how long the calling thread spends inside playEffect(); also for the
// first effect after the device was closed for being idle, which opens it again.
//
// Runs on SDL's disk driver writing to /dev/null unless SDL_AUDIODRIVER names another driver.

#include "speech/audio/audio_output.h"
#include "speech/sounds/sound_resources.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index = std::size_t(fraction * double(values.size() - 1) + 0.5);
    return values[index];
}

} // namespace

int main()
{
    constexpr int kPlays = 200;
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);

    lexamo::AudioOutput output;
    if (!output.hasDevice()) {
        std::fprintf(stderr, "no audio device\n");
        return 1;
    }
    const lexamo::WaveStream click = lexamo::openWaveResource(QStringLiteral("SysPu"));

    std::vector<double> latencyMs;
    std::vector<double> callUs;
    for (int i = 0; i < kPlays; ++i) {
        // Vary the moment of the call against the device's buffer cycle.
        std::this_thread::sleep_for(std::chrono::microseconds(3000 + (i * 7919) % 11000));
        const auto started = output.effectsStarted();
        const auto before = Clock::now();
        output.playEffect(click);
        const auto after = Clock::now();
        while (output.effectsStarted() == started) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        callUs.push_back(std::chrono::duration<double, std::micro>(after - before).count());
        latencyMs.push_back(
            std::chrono::duration<double, std::milli>(output.lastEffectStart() - before).count());
    }

    std::printf("driver buffer %d frames at %d Hz, %d plays\n", lexamo::AudioOutput::kBufferFrames,
                lexamo::AudioOutput::kSampleRate, kPlays);
    std::printf("play to first mix: median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                percentile(latencyMs, 0.5), percentile(latencyMs, 0.99),
                percentile(latencyMs, 1.0));
    std::printf("time in playEffect: median %.1f us, p99 %.1f us\n", percentile(callUs, 0.5),
                percentile(callUs, 0.99));

    // After an idle spell: the device closes, the next effect opens it again.
    constexpr int kWakes = 5;
    lexamo::AudioOutput idleOutput(std::chrono::milliseconds(100));
    std::vector<double> wakeMs;
    std::vector<double> wakeCallMs;
    for (int i = 0; i < kWakes; ++i) {
        while (idleOutput.deviceOpen()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const auto started = idleOutput.effectsStarted();
        const auto before = Clock::now();
        idleOutput.playEffect(click);
        const auto after = Clock::now();
        while (idleOutput.effectsStarted() == started) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        wakeCallMs.push_back(std::chrono::duration<double, std::milli>(after - before).count());
        wakeMs.push_back(
            std::chrono::duration<double, std::milli>(idleOutput.lastEffectStart() - before)
                .count());
    }
    std::printf("after an idle close, play to first mix: median %.2f ms, max %.2f ms; time in "
                "playEffect: median %.2f ms (%d plays)\n",
                percentile(wakeMs, 0.5), percentile(wakeMs, 1.0), percentile(wakeCallMs, 0.5),
                kWakes);
    return 0;
}
