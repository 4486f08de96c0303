#include "wave_images.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace lexamo::test {
namespace {

void putU16(Bytes& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xff));
    out.push_back(static_cast<unsigned char>(value >> 8 & 0xff));
}

void putU32(Bytes& out, std::uint32_t value)
{
    putU16(out, value & 0xffff);
    putU16(out, value >> 16);
}

void putTag(Bytes& out, const std::string& tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

} // namespace

Bytes fmtBody(std::uint16_t formatTag, int channels, int sampleRate, int bits, int fmtSize)
{
    Bytes body;
    const int blockAlign = channels * bits / 8;
    putU16(body, formatTag);
    putU16(body, unsigned(channels));
    putU32(body, std::uint32_t(sampleRate));
    putU32(body, std::uint32_t(sampleRate * blockAlign));
    putU16(body, unsigned(blockAlign));
    putU16(body, unsigned(bits));
    body.resize(std::size_t(fmtSize), 0); // an 18-byte fmt ends in extension size 0
    return body;
}

Bytes riffImage(const std::vector<Chunk>& chunks, const std::string& form)
{
    Bytes out;
    putTag(out, "RIFF");
    putU32(out, 0);
    putTag(out, form);
    for (const Chunk& chunk : chunks) {
        putTag(out, chunk.id);
        putU32(out, chunk.declaredSize >= 0 ? std::uint32_t(chunk.declaredSize)
                                            : std::uint32_t(chunk.body.size()));
        out.insert(out.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2 != 0) {
            out.push_back(0);
        }
    }
    const std::uint32_t riffSize = std::uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i) {
        out[std::size_t(4 + i)] = static_cast<unsigned char>(riffSize >> (8 * i) & 0xff);
    }
    return out;
}

int frameCount(const ToneWave& tone)
{
    return int(std::lround(tone.seconds * tone.sampleRate));
}

Bytes toneSamples(const ToneWave& tone)
{
    Bytes out;
    const int frames = frameCount(tone);
    for (int i = 0; i < frames; ++i) {
        const double phase = 2.0 * std::numbers::pi * tone.frequency * i / tone.sampleRate;
        for (int channel = 0; channel < tone.channels; ++channel) {
            const double level = (channel == 0 ? tone.amplitude : tone.rightAmplitude);
            const double value = level * std::sin(phase);
            if (tone.formatTag == 3) {
                const float sample = float(value);
                std::uint32_t bits = 0;
                std::memcpy(&bits, &sample, sizeof bits);
                putU32(out, bits);
            } else {
                putU16(out, std::uint16_t(std::int16_t(std::lround(value * 32767.0))));
            }
        }
    }
    return out;
}

Bytes toneImage(const ToneWave& tone)
{
    std::vector<Chunk> chunks{
        {"fmt ", fmtBody(tone.formatTag, tone.channels, tone.sampleRate, tone.bits, tone.fmtSize)},
        {"data", toneSamples(tone)}};
    if (tone.trailingChunks) {
        // An INFO list with one software entry, as audio editors append after the samples.
        const Bytes info{'I', 'N', 'F', 'O', 'I', 'S', 'F', 'T', 5, 0, 0, 0, 't', 'e', 's', 't', 0};
        chunks.push_back({"LIST", info});
    }
    return riffImage(chunks);
}

} // namespace lexamo::test
