#pragma once

#include <SDL_audio.h>
#include <cstddef>

namespace lexamo {

/// One sound on its way to the device: reads the samples where they are, converts them to the
/// device's float stereo format piece by piece as the audio thread asks for frames, and mixes
/// them into the device buffer. Fed in small pieces because SDL 2.26's resampler loses frames
/// when given a large block at once.
class PcmStream
{
public:
    /// The samples must stay valid until the stream has finished or is destroyed.
    PcmStream(const void* samples, std::size_t bytes, SDL_AudioFormat format, int channels,
              int sampleRate, int deviceRate);
    ~PcmStream();
    PcmStream(const PcmStream&) = delete;
    PcmStream& operator=(const PcmStream&) = delete;

    /// False when SDL cannot convert this format; such a stream plays nothing.
    bool isValid() const { return m_stream != nullptr; }
    /// Adds up to `frames` stereo frames to `out` (interleaved left/right); returns how many
    /// frames it added, fewer only when the sound has ended.
    int mixInto(float* out, int frames);
    bool hasFinished() const { return m_finished; }

private:
    bool feedPiece();

    SDL_AudioStream* m_stream = nullptr;
    const unsigned char* m_next;
    std::size_t m_remaining;
    int m_bytesPerFrame;
    bool m_finished = false;
};

} // namespace lexamo
