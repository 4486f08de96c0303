#include "speech/audio/audio_output.h"

#include "speech/audio/pcm_stream.h"
#include "speech/audio/wave_view.h"

#include <SDL.h>
#include <algorithm>

namespace lexamo {
namespace {

// How often a blocked playSpeech() checks that the device is still running.
constexpr Uint32 kSpeechCheckMs = 250;

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

AudioOutput::AudioOutput()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    m_subsystemStarted = true;
    m_speechDone = SDL_CreateSemaphore(0);
    if (m_speechDone == nullptr) {
        return;
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
    if (m_device != 0) {
        SDL_PauseAudioDevice(m_device, 0);
    }
}

AudioOutput::~AudioOutput()
{
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
    m_effect.reset();
    if (m_speechDone != nullptr) {
        SDL_DestroySemaphore(m_speechDone);
    }
    if (m_subsystemStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void AudioOutput::playEffect(const WaveStream& sound)
{
    if (m_device == 0 || sound.size <= 0) {
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
    SDL_LockAudioDevice(m_device);
    m_effect.swap(effect);
    m_effectIsNew = true;
    SDL_UnlockAudioDevice(m_device);
    // The effect that was cut is released here, outside the audio thread's lock.
}

void AudioOutput::playSpeech(const std::int16_t* samples, std::size_t count, int sampleRate)
{
    if (m_device == 0 || samples == nullptr || count == 0 || sampleRate <= 0) {
        return;
    }
    PcmStream speech(samples, count * sizeof(std::int16_t), AUDIO_S16SYS, 1, sampleRate,
                     kSampleRate);
    if (!speech.isValid()) {
        return;
    }
    SDL_LockAudioDevice(m_device);
    m_speech = &speech;
    SDL_UnlockAudioDevice(m_device);

    while (SDL_SemWaitTimeout(m_speechDone, kSpeechCheckMs) == SDL_MUTEX_TIMEDOUT) {
        // A device that stopped will never finish the speech; do not wait for it forever.
        if (SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING) {
            SDL_LockAudioDevice(m_device);
            m_speech = nullptr;
            SDL_UnlockAudioDevice(m_device);
            while (SDL_SemTryWait(m_speechDone) == 0) {
            }
            return;
        }
    }
}

std::chrono::steady_clock::time_point AudioOutput::lastEffectStart() const
{
    return std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(m_lastEffectStart.load()));
}

void AudioOutput::callback(void* self, Uint8* stream, int len)
{
    static_cast<AudioOutput*>(self)->mix(reinterpret_cast<float*>(stream),
                                         len / int(sizeof(float) * kChannels));
}

void AudioOutput::mix(float* out, int frames)
{
    std::fill_n(out, std::size_t(frames) * kChannels, 0.0f);

    if (m_effect && !m_effect->hasFinished()) {
        if (m_effectIsNew) {
            m_effectIsNew = false;
            m_lastEffectStart.store(std::chrono::steady_clock::now().time_since_epoch().count());
            m_effectsStarted.fetch_add(1);
        }
        m_effect->mixInto(out, frames);
    }

    if (m_speech != nullptr) {
        m_speech->mixInto(out, frames);
        if (m_speech->hasFinished()) {
            m_speech = nullptr;
            SDL_SemPost(m_speechDone);
        }
    }

    for (int i = 0; i < frames * kChannels; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
}

} // namespace lexamo
