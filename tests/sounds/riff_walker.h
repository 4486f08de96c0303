#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lexamo::test {

/// One chunk of a RIFF image: its four-character id, its declared size and its body.
struct RiffChunk
{
    std::string id;
    std::uint32_t size = 0;
    std::span<const unsigned char> body;
};

/// The top level of a RIFF file: the declared size after the header, the form type and the chunks
/// in file order.
struct RiffFile
{
    std::uint32_t riffSize = 0;
    std::string form;
    std::vector<RiffChunk> chunks;
};

/// Walks a whole RIFF image; throws std::runtime_error when a chunk overruns the image or bytes are
/// left over after the last chunk.
RiffFile walkRiff(std::span<const unsigned char> image);

/// Walks the sub-chunks of a LIST chunk's body after its four-character list type.
std::vector<RiffChunk> walkList(const RiffChunk& list, std::string* listType);

std::uint16_t readU16(std::span<const unsigned char> bytes, std::size_t offset);
std::uint32_t readU32(std::span<const unsigned char> bytes, std::size_t offset);

/// The samples of a WAVE image's data chunk, one vector per channel, scaled to -1..1.
std::vector<std::vector<double>> readChannels(const RiffFile& wave);

/// The sample rate from the "fmt " chunk.
double sampleRate(const RiffFile& wave);

} // namespace lexamo::test
