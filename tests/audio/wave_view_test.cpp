#include "speech/audio/wave_view.h"
#include "wave_images.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace lexamo {
namespace {

using test::Bytes;
using test::Chunk;
using test::fmtBody;
using test::riffImage;

const Bytes kSamples(40, 0x11);

Bytes pcm16Mono()
{
    return fmtBody(1, 1, 6000, 16, 16);
}

struct ParseCase
{
    const char* name;
    std::function<Bytes()> image;
    bool playable;
    WaveView::Encoding encoding = WaveView::Encoding::Pcm16;
    int channels = 0;
    int sampleRate = 0;
    std::size_t sampleBytes = 0;
};

void PrintTo(const ParseCase& row, std::ostream* os)
{
    *os << row.name;
}

class ParseWave : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseWave, FindsTheSamplesInPlaceOrRejectsTheImage)
{
    const ParseCase& c = GetParam();
    const Bytes image = c.image();
    const auto view = parseWave(image.data(), image.size());
    ASSERT_EQ(view.has_value(), c.playable);
    if (!c.playable) {
        return;
    }
    EXPECT_EQ(view->encoding, c.encoding);
    EXPECT_EQ(view->channels, c.channels);
    EXPECT_EQ(view->sampleRate, c.sampleRate);
    EXPECT_EQ(view->sampleBytes, c.sampleBytes);
    // The samples are read where the image holds them: the view points into the image.
    ASSERT_GE(view->samples, image.data());
    ASSERT_LE(view->samples + view->sampleBytes, image.data() + image.size());
    EXPECT_EQ(*view->samples, 0x11);
}

using E = WaveView::Encoding;

// clang-format off
const ParseCase kCases[] = {
    {"Pcm16Mono6000", [] { return riffImage({{"fmt ", pcm16Mono()}, {"data", kSamples}}); },
     true, E::Pcm16, 1, 6000, 40},
    {"FloatMono22050Fmt18NoFactTrailingList", [] {
         return riffImage({{"fmt ", fmtBody(3, 1, 22050, 32, 18)}, {"data", kSamples},
                           {"LIST", Bytes(17, 'x')}, {"id3 ", Bytes(4, 0)}}); },
     true, E::Float32, 1, 22050, 40},
    {"Pcm16Stereo44100Fmt18Trailing", [] {
         return riffImage({{"fmt ", fmtBody(1, 2, 44100, 16, 18)}, {"data", kSamples},
                           {"LIST", Bytes(8, 'x')}}); },
     true, E::Pcm16, 2, 44100, 40},
    {"OddChunkBeforeFmtIsSkippedWithPadding", [] {
         return riffImage({{"JUNK", Bytes(3, 0)}, {"fmt ", pcm16Mono()}, {"data", kSamples}}); },
     true, E::Pcm16, 1, 6000, 40},
    {"FactChunkBetweenFmtAndData", [] {
         return riffImage({{"fmt ", fmtBody(3, 1, 22050, 32, 18)}, {"fact", Bytes(4, 0)},
                           {"data", kSamples}}); },
     true, E::Float32, 1, 22050, 40},
    {"Pcm32Stereo", [] {
         return riffImage({{"fmt ", fmtBody(1, 2, 8000, 32, 16)}, {"data", kSamples}}); },
     true, E::Pcm32, 2, 8000, 40},
    {"Pcm8Mono", [] {
         return riffImage({{"fmt ", fmtBody(1, 1, 11025, 8, 16)}, {"data", kSamples}}); },
     true, E::Pcm8, 1, 11025, 40},
    {"DataLongerThanImageIsCut", [] {
         return riffImage({{"fmt ", pcm16Mono()}, {"data", kSamples, 1000}}); },
     true, E::Pcm16, 1, 6000, 40},
    {"PartialLastFrameIsDropped", [] {
         return riffImage({{"fmt ", fmtBody(3, 2, 22050, 32, 16)}, {"data", kSamples}}); },
     true, E::Float32, 2, 22050, 40},
    {"OddSampleBytes", [] {
         return riffImage({{"fmt ", pcm16Mono()}, {"data", Bytes(41, 0x11)}}); },
     true, E::Pcm16, 1, 6000, 40},

    {"Empty", [] { return Bytes{}; }, false},
    {"TooShortForHeader", [] { return Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}; }, false},
    {"NotRiff", [] {
         Bytes b = riffImage({{"fmt ", pcm16Mono()}, {"data", kSamples}});
         b[0] = 'X';
         return b; }, false},
    {"NotWave", [] { return riffImage({{"fmt ", pcm16Mono()}, {"data", kSamples}}, "AVI "); },
     false},
    {"NoData", [] { return riffImage({{"fmt ", pcm16Mono()}, {"LIST", kSamples}}); }, false},
    {"NoFmt", [] { return riffImage({{"data", kSamples}}); }, false},
    {"DataBeforeFmt", [] { return riffImage({{"data", kSamples}, {"fmt ", pcm16Mono()}}); },
     false},
    {"FmtTooShort", [] { return riffImage({{"fmt ", Bytes(14, 1)}, {"data", kSamples}}); },
     false},
    {"FmtCutByImageEnd", [] { return riffImage({{"fmt ", pcm16Mono(), 400}}); }, false},
    {"ChunkBeforeDataCutByImageEnd", [] {
         return riffImage({{"fmt ", pcm16Mono()}, {"LIST", kSamples, 4000}}); }, false},
    {"AdpcmIsUnsupported", [] {
         return riffImage({{"fmt ", fmtBody(2, 1, 6000, 4, 16)}, {"data", kSamples}}); },
     false},
    {"Float64IsUnsupported", [] {
         return riffImage({{"fmt ", fmtBody(3, 1, 6000, 64, 16)}, {"data", kSamples}}); },
     false},
    {"Pcm24IsUnsupported", [] {
         return riffImage({{"fmt ", fmtBody(1, 1, 6000, 24, 16)}, {"data", kSamples}}); },
     false},
    {"NoChannels", [] {
         return riffImage({{"fmt ", fmtBody(1, 0, 6000, 16, 16)}, {"data", kSamples}}); },
     false},
    {"ThreeChannels", [] {
         return riffImage({{"fmt ", fmtBody(1, 3, 6000, 16, 16)}, {"data", kSamples}}); },
     false},
    {"ZeroRate", [] {
         return riffImage({{"fmt ", fmtBody(1, 1, 0, 16, 16)}, {"data", kSamples}}); },
     false},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Images, ParseWave, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ParseWave, NullImage)
{
    EXPECT_FALSE(parseWave(nullptr, 100).has_value());
}

} // namespace
} // namespace lexamo
