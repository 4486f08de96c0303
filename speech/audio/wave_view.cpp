#include "speech/audio/wave_view.h"

namespace lexamo {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint32_t kMaxSampleRate = 384000;

std::uint16_t readU16(const unsigned char* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t readU32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

bool hasTag(const unsigned char* p, const char (&tag)[5])
{
    return p[0] == tag[0] && p[1] == tag[1] && p[2] == tag[2] && p[3] == tag[3];
}

std::optional<WaveView::Encoding> encodingOf(std::uint16_t formatTag, std::uint16_t bits)
{
    if (formatTag == kFormatPcm) {
        switch (bits) {
        case 8:
            return WaveView::Encoding::Pcm8;
        case 16:
            return WaveView::Encoding::Pcm16;
        case 32:
            return WaveView::Encoding::Pcm32;
        default:
            return std::nullopt;
        }
    }
    if (formatTag == kFormatFloat && bits == 32) {
        return WaveView::Encoding::Float32;
    }
    return std::nullopt;
}

} // namespace

int WaveView::bytesPerFrame() const
{
    const int sampleSize = encoding == Encoding::Pcm8 ? 1 : encoding == Encoding::Pcm16 ? 2 : 4;
    return sampleSize * channels;
}

std::optional<WaveView> parseWave(const unsigned char* image, std::size_t size)
{
    constexpr std::size_t kRiffHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    constexpr std::size_t kMinFmt = 16;
    if (image == nullptr || size < kRiffHeader || !hasTag(image, "RIFF") ||
        !hasTag(image + 8, "WAVE")) {
        return std::nullopt;
    }

    std::optional<WaveView> view;
    std::size_t pos = kRiffHeader;
    while (size - pos >= kChunkHeader) {
        const unsigned char* chunk = image + pos;
        const std::size_t body = pos + kChunkHeader;
        const std::size_t declared = readU32(chunk + 4);
        const std::size_t available = size - body;

        if (hasTag(chunk, "fmt ")) {
            if (declared < kMinFmt || declared > available) {
                return std::nullopt;
            }
            const unsigned char* fmt = image + body;
            const auto encoding = encodingOf(readU16(fmt), readU16(fmt + 14));
            const int channels = readU16(fmt + 2);
            const std::uint32_t rate = readU32(fmt + 4);
            if (!encoding || channels < 1 || channels > 2 || rate == 0 || rate > kMaxSampleRate) {
                return std::nullopt;
            }
            view = WaveView{*encoding, channels, int(rate), nullptr, 0};
        } else if (hasTag(chunk, "data")) {
            // The samples can only be read once their format is known.
            if (!view) {
                return std::nullopt;
            }
            const std::size_t bytes = declared < available ? declared : available;
            const std::size_t frameBytes = std::size_t(view->bytesPerFrame());
            view->samples = image + body;
            view->sampleBytes = bytes / frameBytes * frameBytes;
            return view;
        }
        if (declared > available) {
            return std::nullopt;
        }
        // Chunks are padded to an even length.
        pos = body + declared + (declared & 1);
        if (pos > size) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace lexamo
