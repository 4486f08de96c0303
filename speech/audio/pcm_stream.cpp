#include "speech/audio/pcm_stream.h"

#include <algorithm>

namespace lexamo {
namespace {

constexpr int kDeviceChannels = 2;
// Small enough that SDL's resampler keeps every frame, large enough to need few calls.
constexpr std::size_t kPieceFrames = 256;
constexpr int kScratchFrames = 512;

} // namespace

PcmStream::PcmStream(const void* samples, std::size_t bytes, SDL_AudioFormat format, int channels,
                     int sampleRate, int deviceRate)
    : m_next(static_cast<const unsigned char*>(samples)), m_remaining(bytes),
      m_bytesPerFrame(int(SDL_AUDIO_BITSIZE(format) / 8) * channels)
{
    m_stream = SDL_NewAudioStream(format, Uint8(channels), sampleRate, AUDIO_F32SYS,
                                  kDeviceChannels, deviceRate);
    m_finished = m_stream == nullptr;
}

PcmStream::~PcmStream()
{
    if (m_stream != nullptr) {
        SDL_FreeAudioStream(m_stream);
    }
}

bool PcmStream::feedPiece()
{
    if (m_remaining == 0) {
        return false;
    }
    const std::size_t bytes = std::min(m_remaining, kPieceFrames * std::size_t(m_bytesPerFrame));
    if (SDL_AudioStreamPut(m_stream, m_next, int(bytes)) != 0) {
        m_remaining = 0;
    } else {
        m_next += bytes;
        m_remaining -= bytes;
    }
    // The resampler holds back its last frames until it is told that no more input follows.
    if (m_remaining == 0) {
        SDL_AudioStreamFlush(m_stream);
    }
    return true;
}

int PcmStream::mixInto(float* out, int frames)
{
    constexpr int kFrameBytes = int(sizeof(float)) * kDeviceChannels;
    float scratch[kScratchFrames * kDeviceChannels];
    int mixed = 0;
    while (mixed < frames && !m_finished) {
        const int wanted = std::min(frames - mixed, kScratchFrames);
        while (SDL_AudioStreamAvailable(m_stream) < wanted * kFrameBytes && feedPiece()) {
        }
        const int got = SDL_AudioStreamGet(m_stream, scratch, wanted * kFrameBytes);
        if (got <= 0) {
            m_finished = true;
            break;
        }
        const int gotFrames = got / kFrameBytes;
        float* dst = out + std::ptrdiff_t(mixed) * kDeviceChannels;
        for (int i = 0; i < gotFrames * kDeviceChannels; ++i) {
            dst[i] += scratch[i];
        }
        mixed += gotFrames;
        if (m_remaining == 0 && SDL_AudioStreamAvailable(m_stream) == 0) {
            m_finished = true;
        }
    }
    return mixed;
}

} // namespace lexamo
