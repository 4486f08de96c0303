#include "riff_walker.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace lexamo::test {

namespace {

std::string fourCc(std::span<const unsigned char> bytes, std::size_t offset)
{
    if (offset + 4 > bytes.size())
        throw std::runtime_error("truncated chunk id");
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset), 4);
}

std::vector<RiffChunk> walkChunks(std::span<const unsigned char> bytes)
{
    std::vector<RiffChunk> chunks;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        RiffChunk chunk;
        chunk.id = fourCc(bytes, offset);
        chunk.size = readU32(bytes, offset + 4);
        const std::size_t bodyStart = offset + 8;
        if (chunk.size > bytes.size() - bodyStart)
            throw std::runtime_error("chunk " + chunk.id + " overruns its parent");
        chunk.body = bytes.subspan(bodyStart, chunk.size);
        chunks.push_back(chunk);
        offset = bodyStart + chunk.size + (chunk.size & 1);
    }
    if (offset != bytes.size())
        throw std::runtime_error("a pad byte overruns the parent");
    return chunks;
}

const RiffChunk& chunkNamed(const RiffFile& wave, const std::string& id)
{
    const auto found = std::find_if(wave.chunks.begin(), wave.chunks.end(),
                                    [&](const RiffChunk& c) { return c.id == id; });
    if (found == wave.chunks.end())
        throw std::runtime_error("no " + id + " chunk");
    return *found;
}

} // namespace

std::uint16_t readU16(std::span<const unsigned char> bytes, std::size_t offset)
{
    if (offset + 2 > bytes.size())
        throw std::runtime_error("truncated field");
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t readU32(std::span<const unsigned char> bytes, std::size_t offset)
{
    return readU16(bytes, offset) | std::uint32_t{readU16(bytes, offset + 2)} << 16;
}

RiffFile walkRiff(std::span<const unsigned char> image)
{
    if (fourCc(image, 0) != "RIFF")
        throw std::runtime_error("not a RIFF image");
    RiffFile file;
    file.riffSize = readU32(image, 4);
    if (file.riffSize != image.size() - 8)
        throw std::runtime_error("RIFF size does not match the image");
    file.form = fourCc(image, 8);
    file.chunks = walkChunks(image.subspan(12));
    return file;
}

std::vector<RiffChunk> walkList(const RiffChunk& list, std::string* listType)
{
    *listType = fourCc(list.body, 0);
    return walkChunks(list.body.subspan(4));
}

double sampleRate(const RiffFile& wave)
{
    return readU32(chunkNamed(wave, "fmt ").body, 4);
}

std::vector<std::vector<double>> readChannels(const RiffFile& wave)
{
    const auto fmt = chunkNamed(wave, "fmt ").body;
    const auto data = chunkNamed(wave, "data").body;
    const std::uint16_t tag = readU16(fmt, 0);
    const std::uint16_t channels = readU16(fmt, 2);
    const std::uint16_t bits = readU16(fmt, 14);
    const std::size_t bytesPerSample = bits / 8;
    const std::size_t frames = data.size() / (channels * bytesPerSample);

    std::vector<std::vector<double>> out(channels, std::vector<double>(frames));
    for (std::size_t f = 0; f < frames; ++f) {
        for (std::size_t c = 0; c < channels; ++c) {
            const std::size_t at = (f * channels + c) * bytesPerSample;
            if (tag == 1 && bits == 16)
                out[c][f] = std::bit_cast<std::int16_t>(readU16(data, at)) / 32768.0;
            else if (tag == 3 && bits == 32)
                out[c][f] = std::bit_cast<float>(readU32(data, at));
            else
                throw std::runtime_error("unexpected sample encoding");
        }
    }
    return out;
}

} // namespace lexamo::test
