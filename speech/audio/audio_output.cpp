#include "speech/audio/audio_output.h"

#include "speech/audio/pcm_stream.h"
#include "speech/audio/wave_view.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

namespace lexamo {
namespace {

// How often a wait for speech checks that the device is still running.
constexpr std::chrono::milliseconds kSpeechCheck(250);
// Small enough that SDL's resampler keeps every frame, large enough to need few calls.
constexpr std::size_t kSpeechPieceFrames = 256;
// -40 dBFS: what a listener hears as the start of speech.
constexpr float kAudibleLevel = 0.01f;

SDL_AudioFormat sdlFormat(WaveView::Encoding encoding)
{
    switch (encoding) {
    case WaveView::Encoding::Pcm8:
        return AUDIO_U8;
    case WaveView::Encoding::Pcm16:
        return AUDIO_S16LSB;
    case WaveView::Encoding::Pcm32:
        return AUDIO_S32LSB;
    case WaveView::Encoding::Float32:
        return AUDIO_F32LSB;
    }
    return AUDIO_S16LSB;
}

} // namespace

AudioOutput::AudioOutput(std::chrono::milliseconds idleClose) : m_idleClose(idleClose)
{
    // SDL would otherwise catch SIGINT and SIGTERM and the program would ignore both; the
    // program handles them itself.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    m_subsystemStarted = true;
    m_available = true;
    {
        const std::lock_guard lock(m_deviceMutex);
        m_available = openDevice();
    }
    if (m_available) {
        m_idleWatch = std::jthread([this](std::stop_token stop) { watchIdle(stop); });
    }
}

AudioOutput::~AudioOutput()
{
    if (m_idleWatch.joinable()) {
        m_idleWatch.request_stop();
        m_idleWatch.join();
    }
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
    m_effect.reset();
    if (m_speech != nullptr) {
        SDL_FreeAudioStream(m_speech);
    }
    if (m_subsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool AudioOutput::openDevice()
{
    if (m_device != 0 || !m_available) {
        return m_device != 0;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kSampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = &AudioOutput::callback;
    wanted.userdata = this;
    // No allowed changes: SDL converts to whatever the hardware takes, so the mixer always works
    // in one format.
    SDL_AudioSpec obtained{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (m_device == 0) {
        m_available = false;
        return false;
    }
    m_lastSound.store(std::chrono::steady_clock::now().time_since_epoch().count());
    SDL_PauseAudioDevice(m_device, 0);
    m_deviceChanged.notify_all();
    return true;
}

bool AudioOutput::deviceOpen()
{
    const std::lock_guard lock(m_deviceMutex);
    return m_device != 0;
}

void AudioOutput::watchIdle(std::stop_token stop)
{
    std::unique_lock lock(m_deviceMutex);
    while (!stop.stop_requested()) {
        if (m_device == 0) {
            // Closed: sleep until a sound opens the device again, without waking meanwhile.
            m_deviceChanged.wait(lock, stop, [this] { return m_device != 0; });
            continue;
        }
        m_deviceChanged.wait_for(lock, stop, m_idleClose, [] { return false; });
        const auto lastSound = std::chrono::steady_clock::time_point(
            std::chrono::steady_clock::duration(m_lastSound.load()));
        if (m_device == 0 || std::chrono::steady_clock::now() - lastSound < m_idleClose) {
            continue;
        }
        SDL_LockAudioDevice(m_device);
        const bool silent = m_speech == nullptr && (!m_effect || m_effect->hasFinished());
        SDL_UnlockAudioDevice(m_device);
        if (silent) {
            SDL_CloseAudioDevice(m_device);
            m_device = 0;
            m_effect.reset();
        }
    }
}

void AudioOutput::playEffect(const WaveStream& sound)
{
    if (!m_available || sound.size <= 0) {
        return;
    }
    const auto wave = parseWave(sound.data, std::size_t(sound.size));
    if (!wave) {
        return;
    }
    auto effect =
        std::make_unique<PcmStream>(wave->samples, wave->sampleBytes, sdlFormat(wave->encoding),
                                    wave->channels, wave->sampleRate, kSampleRate);
    if (!effect->isValid()) {
        return;
    }
    const std::lock_guard lock(m_deviceMutex);
    if (!openDevice()) {
        return;
    }
    SDL_LockAudioDevice(m_device);
    m_effect.swap(effect);
    m_effectIsNew = true;
    SDL_UnlockAudioDevice(m_device);
    // The effect that was cut is released here, outside the audio thread's lock.
}

void AudioOutput::beginSpeech(int sampleRate)
{
    const std::lock_guard lock(m_deviceMutex);
    if (!openDevice()) {
        return;
    }
    SDL_AudioStream* stream =
        SDL_NewAudioStream(AUDIO_S16SYS, 1, sampleRate, AUDIO_F32SYS, kChannels, kSampleRate);
    // Swapped first, so that the end of the last utterance cannot mark this one played.
    replaceSpeech(stream);
    setSpeechPlayed(stream == nullptr);
}

void AudioOutput::pushSpeech(const std::int16_t* samples, std::size_t count)
{
    const std::lock_guard lock(m_deviceMutex);
    if (m_device == 0) {
        return;
    }
    // In small pieces: SDL 2.26's resampler loses frames when given a large block at once.
    while (count > 0) {
        const std::size_t piece = std::min(count, kSpeechPieceFrames);
        SDL_LockAudioDevice(m_device);
        if (m_speech != nullptr && !m_speechEnded) {
            SDL_AudioStreamPut(m_speech, samples, int(piece * sizeof(std::int16_t)));
        }
        SDL_UnlockAudioDevice(m_device);
        samples += piece;
        count -= piece;
    }
}

void AudioOutput::endSpeech()
{
    const std::lock_guard lock(m_deviceMutex);
    if (m_device == 0) {
        return;
    }
    SDL_LockAudioDevice(m_device);
    if (m_speech != nullptr) {
        // The resampler holds back its last frames until told that no more input follows.
        SDL_AudioStreamFlush(m_speech);
        m_speechEnded = true;
    }
    SDL_UnlockAudioDevice(m_device);
}

void AudioOutput::cancelSpeech()
{
    {
        const std::lock_guard lock(m_deviceMutex);
        if (m_device != 0) {
            replaceSpeech(nullptr);
        }
    }
    setSpeechPlayed(true);
}

bool AudioOutput::waitSpeechPlayed(std::chrono::milliseconds timeout)
{
    if (!m_available) {
        return true;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        {
            // Not held below: the audio thread takes this lock while holding the device's.
            std::unique_lock lock(m_playedMutex);
            const auto step = std::min(deadline, std::chrono::steady_clock::now() + kSpeechCheck);
            if (m_playedChanged.wait_until(lock, step, [this] { return m_speechPlayed; })) {
                return true;
            }
        }
        // A device that stopped will never finish the speech; do not wait for it forever.
        if (!devicePlaying()) {
            cancelSpeech();
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
}

void AudioOutput::playSpeech(const std::int16_t* samples, std::size_t count, int sampleRate)
{
    if (samples == nullptr || count == 0 || sampleRate <= 0) {
        return;
    }
    beginSpeech(sampleRate);
    pushSpeech(samples, count);
    endSpeech();
    while (!waitSpeechPlayed(std::chrono::hours(1))) {
    }
}

bool AudioOutput::devicePlaying()
{
    const std::lock_guard lock(m_deviceMutex);
    return m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING;
}

void AudioOutput::replaceSpeech(SDL_AudioStream* stream)
{
    SDL_LockAudioDevice(m_device);
    std::swap(m_speech, stream);
    m_speechEnded = false;
    m_speechHeard = false;
    SDL_UnlockAudioDevice(m_device);
    if (stream != nullptr) {
        SDL_FreeAudioStream(stream);
    }
}

void AudioOutput::setSpeechPlayed(bool played)
{
    {
        const std::lock_guard lock(m_playedMutex);
        m_speechPlayed = played;
    }
    m_playedChanged.notify_all();
}

std::chrono::steady_clock::time_point AudioOutput::lastEffectStart() const
{
    return std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(m_lastEffectStart.load()));
}

std::chrono::steady_clock::time_point AudioOutput::lastUtteranceHeard() const
{
    return std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(m_lastUtteranceHeard.load()));
}

void AudioOutput::callback(void* self, Uint8* stream, int len)
{
    static_cast<AudioOutput*>(self)->mix(reinterpret_cast<float*>(stream),
                                         len / int(sizeof(float) * kChannels));
}

void AudioOutput::mix(float* out, int frames)
{
    std::fill_n(out, std::size_t(frames) * kChannels, 0.0f);
    if ((m_effect && !m_effect->hasFinished()) || m_speech != nullptr) {
        m_lastSound.store(std::chrono::steady_clock::now().time_since_epoch().count());
    }

    if (m_effect && !m_effect->hasFinished()) {
        if (m_effectIsNew) {
            m_effectIsNew = false;
            m_lastEffectStart.store(std::chrono::steady_clock::now().time_since_epoch().count());
            m_effectsStarted.fetch_add(1);
        }
        m_effect->mixInto(out, frames);
    }

    mixSpeech(out, frames);

    for (int i = 0; i < frames * kChannels; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
}

void AudioOutput::mixSpeech(float* out, int frames)
{
    if (m_speech == nullptr) {
        return;
    }
    constexpr int kFrameBytes = int(sizeof(float)) * kChannels;
    float scratch[kBufferFrames * kChannels];
    int mixed = 0;
    while (mixed < frames) {
        const int wanted = std::min(frames - mixed, kBufferFrames);
        const int got = SDL_AudioStreamGet(m_speech, scratch, wanted * kFrameBytes);
        if (got <= 0) {
            break;
        }
        const int gotFrames = got / kFrameBytes;
        float* target = out + std::ptrdiff_t(mixed) * kChannels;
        for (int i = 0; i < gotFrames * kChannels; ++i) {
            target[i] += scratch[i];
            if (!m_speechHeard && std::abs(scratch[i]) >= kAudibleLevel) {
                m_speechHeard = true;
                m_lastUtteranceHeard.store(
                    std::chrono::steady_clock::now().time_since_epoch().count());
                m_utterancesHeard.fetch_add(1);
            }
        }
        mixed += gotFrames;
    }
    // A stream that runs dry before its end is still being synthesized: it waits, silent.
    if (m_speechEnded && SDL_AudioStreamAvailable(m_speech) == 0) {
        SDL_FreeAudioStream(m_speech);
        m_speech = nullptr;
        m_speechEnded = false;
        setSpeechPlayed(true);
    }
}

} // namespace lexamo
