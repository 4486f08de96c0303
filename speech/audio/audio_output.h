#pragma once

#include "speech/pcm_sink.h"
#include "speech/wave_stream.h"

#include <SDL_audio.h>
#include <SDL_mutex.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace lexamo {

class PcmStream;

/// The program's one audio device. A single callback mixes two channels: sound effects, started
/// without waiting (a new effect ends the one still playing), and speech, fed piece by piece by
/// the synthesis thread while it plays.
/// Constructing it starts the audio subsystem and destroying it shuts the subsystem down, so the
/// program creates it before its windows and destroys it last. Without an audio device it still
/// works: effects are skipped and speech returns at once. After a while with nothing to play the
/// device is closed, so that an idle program wakes neither itself nor the sound server (SDL keeps
/// a paused device's thread running); the next sound opens it again.
class AudioOutput : public PcmSink
{
public:
    static constexpr int kSampleRate = 48000;
    static constexpr int kChannels = 2;
    static constexpr int kBufferFrames = 512;
    static constexpr std::chrono::milliseconds kIdleClose{3000};

    explicit AudioOutput(std::chrono::milliseconds idleClose = kIdleClose);
    ~AudioOutput() override;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    /// Whether sound can be played: a device could be opened.
    bool hasDevice() const { return m_available; }
    /// Whether the device is open now, rather than closed for being idle.
    bool deviceOpen();

    /// Starts the WAVE image and returns at once, ending the effect still playing. The image is
    /// read in place while it plays, so it must stay valid until the sound ends (embedded images
    /// do). A malformed image, or one in an unsupported encoding, is ignored.
    void playEffect(const WaveStream& sound);

    // PcmSink: the speech channel.
    void beginSpeech(int sampleRate) override;
    void pushSpeech(const std::int16_t* samples, std::size_t count) override;
    void endSpeech() override;
    void cancelSpeech() override;
    bool waitSpeechPlayed(std::chrono::milliseconds timeout) override;

    /// Plays mono samples on the speech channel, mixed with any effect, and returns once the
    /// last sample has been handed to the device.
    void playSpeech(const std::int16_t* samples, std::size_t count, int sampleRate);

    /// How many effects the device has begun to play, and when it began the latest: for
    /// measuring the delay from playEffect() to the device.
    std::uint64_t effectsStarted() const { return m_effectsStarted.load(); }
    std::chrono::steady_clock::time_point lastEffectStart() const;
    /// How many utterances became audible (above -40 dBFS) and when the latest did: for
    /// measuring the delay from a text to the learner hearing it.
    std::uint64_t utterancesHeard() const { return m_utterancesHeard.load(); }
    std::chrono::steady_clock::time_point lastUtteranceHeard() const;

private:
    static void callback(void* self, Uint8* stream, int len);
    void mix(float* out, int frames);

    void mixSpeech(float* out, int frames);
    /// Opens the device if it was closed for being idle; false when there is none. Called with
    /// m_deviceMutex held.
    bool openDevice();
    /// Closes the device once nothing has played for the idle time.
    void watchIdle(std::stop_token stop);
    void setSpeechPlayed(bool played);
    bool devicePlaying();
    /// Swaps the speech stream under the device lock; the old one is freed outside it.
    void replaceSpeech(SDL_AudioStream* stream);

    SDL_AudioDeviceID m_device = 0;
    bool m_subsystemStarted = false;
    bool m_available = false;
    std::chrono::milliseconds m_idleClose;
    // Held while the device is used from outside the audio thread, and while it is opened or
    // closed.
    std::mutex m_deviceMutex;
    std::condition_variable_any m_deviceChanged;
    std::atomic<std::chrono::steady_clock::rep> m_lastSound{0};

    // Owned by the calling thread, swapped under the device lock, read by the audio thread.
    std::unique_ptr<PcmStream> m_effect;
    bool m_effectIsNew = false;

    // The utterance playing: filled by the synthesis thread and drained by the audio thread,
    // both under the device lock.
    SDL_AudioStream* m_speech = nullptr;
    bool m_speechEnded = false;
    bool m_speechHeard = false;
    std::mutex m_playedMutex;
    std::condition_variable m_playedChanged;
    bool m_speechPlayed = true;

    std::atomic<std::uint64_t> m_effectsStarted{0};
    std::atomic<std::chrono::steady_clock::rep> m_lastEffectStart{0};
    std::atomic<std::uint64_t> m_utterancesHeard{0};
    std::atomic<std::chrono::steady_clock::rep> m_lastUtteranceHeard{0};

    std::jthread m_idleWatch; // last: stops before the rest goes
};

} // namespace lexamo
