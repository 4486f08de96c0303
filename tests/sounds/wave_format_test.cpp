// The layout of each embedded WAVE image, read with our own RIFF walker: every header field, the
// chunk order, the trailing metadata and the size of the whole image.

#include "riff_walker.h"
#include "speech/sounds/sound_resources.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace lexamo {
namespace {

using test::readU16;
using test::readU32;
using test::RiffChunk;

struct FormatRow
{
    const char* name;
    std::uint16_t formatTag;
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint16_t bitsPerSample;
    std::uint32_t fmtSize;
    std::uint32_t dataSize;
    std::uint32_t frames;
    double seconds;
    std::size_t imageSize;
    bool infoAfterData;
};

// clang-format off
const FormatRow formatRows[] = {
    // name           tag ch  rate   bits fmt  data   frames  seconds  image  info
    {"SysPu",          1, 1,  6000,  16,  16,  2850,  1425,   0.2375,  2894,  false},
    {"Sysbubuu",       3, 1,  22050, 32,  18,  23512, 5878,   0.267,   29674, true},
    {"SysPingPong",    1, 2,  44100, 16,  18,  84092, 21023,  0.477,   92690, true},
};
// clang-format on

void PrintTo(const FormatRow& row, std::ostream* out)
{
    *out << row.name;
}

class WaveFormatTest : public ::testing::TestWithParam<FormatRow>
{
};

std::string bodyText(const RiffChunk& chunk)
{
    const std::string raw(reinterpret_cast<const char*>(chunk.body.data()), chunk.body.size());
    return raw.substr(0, raw.find('\0'));
}

TEST_P(WaveFormatTest, ImageMatchesItsFormat)
{
    const FormatRow& row = GetParam();
    const WaveStream stream = openWaveResource(row.name);
    ASSERT_EQ(std::size_t(stream.size), row.imageSize);

    const test::RiffFile wave = test::walkRiff({stream.data, std::size_t(stream.size)});
    EXPECT_EQ(wave.riffSize, row.imageSize - 8);
    EXPECT_EQ(wave.form, "WAVE");

    std::vector<std::string> order;
    for (const RiffChunk& chunk : wave.chunks)
        order.push_back(chunk.id);
    const std::vector<std::string> expectedOrder =
        row.infoAfterData ? std::vector<std::string>{"fmt ", "data", "LIST"}
                          : std::vector<std::string>{"fmt ", "data"};
    ASSERT_EQ(order, expectedOrder) << "no fact chunk, metadata only after the samples";

    const RiffChunk& fmt = wave.chunks[0];
    ASSERT_EQ(fmt.size, row.fmtSize);
    const std::uint16_t blockAlign = row.channels * row.bitsPerSample / 8;
    EXPECT_EQ(readU16(fmt.body, 0), row.formatTag);
    EXPECT_EQ(readU16(fmt.body, 2), row.channels);
    EXPECT_EQ(readU32(fmt.body, 4), row.sampleRate);
    EXPECT_EQ(readU32(fmt.body, 8), row.sampleRate * blockAlign) << "byte rate";
    EXPECT_EQ(readU16(fmt.body, 12), blockAlign);
    EXPECT_EQ(readU16(fmt.body, 14), row.bitsPerSample);
    if (row.fmtSize == 18) {
        EXPECT_EQ(readU16(fmt.body, 16), 0) << "extension size";
    }

    const RiffChunk& data = wave.chunks[1];
    EXPECT_EQ(data.size, row.dataSize);
    EXPECT_EQ(data.size % blockAlign, 0u);
    EXPECT_EQ(data.size / blockAlign, row.frames);
    EXPECT_NEAR(double(row.frames) / row.sampleRate, row.seconds, 0.0005);

    if (!row.infoAfterData)
        return;
    std::string listType;
    const std::vector<RiffChunk> info = test::walkList(wave.chunks[2], &listType);
    EXPECT_EQ(listType, "INFO");
    auto textOf = [&](const char* id) {
        const auto found =
            std::find_if(info.begin(), info.end(), [&](const RiffChunk& c) { return c.id == id; });
        return found == info.end() ? std::string("<missing>") : bodyText(*found);
    };
    EXPECT_EQ(textOf("INAM"), row.name);
    EXPECT_EQ(textOf("ISFT"), "Lexamo sound generator");
    EXPECT_NE(textOf("ICOP").find("free to use, modify and redistribute"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EmbeddedSounds, WaveFormatTest, ::testing::ValuesIn(formatRows),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace lexamo
