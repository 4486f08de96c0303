// make_sounds: synthesizes Lexamo's sound effects and writes them as WAVE files.
//
//   make_sounds <output folder>
//
// The output is deterministic (fixed noise seed, no clock, no platform randomness), so running it
// again reproduces the committed files byte for byte. The build embeds the committed files and
// never runs this program.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

double fromDecibels(double dbfs)
{
    return std::pow(10.0, dbfs / 20.0);
}

/// Scales a signal so that its largest magnitude is exactly `peak`.
void normalizePeak(std::vector<double>& samples, double peak)
{
    double largest = 0.0;
    for (double s : samples)
        largest = std::max(largest, std::abs(s));
    for (double& s : samples)
        s *= peak / largest;
}

// ---- RIFF writing ----------------------------------------------------------------------------

class ByteWriter
{
public:
    void tag(const char (&fourCc)[5]) { m_bytes.insert(m_bytes.end(), fourCc, fourCc + 4); }
    void u16(std::uint16_t v) { littleEndian(v, 2); }
    void u32(std::uint32_t v) { littleEndian(v, 4); }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void text(const std::string& s) { m_bytes.insert(m_bytes.end(), s.begin(), s.end()); }
    void zeros(std::size_t count) { m_bytes.insert(m_bytes.end(), count, '\0'); }
    void append(const std::vector<char>& more)
    {
        m_bytes.insert(m_bytes.end(), more.begin(), more.end());
    }
    std::size_t size() const { return m_bytes.size(); }
    const std::vector<char>& bytes() const { return m_bytes; }

private:
    void littleEndian(std::uint32_t v, int count)
    {
        for (int i = 0; i < count; ++i)
            m_bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    std::vector<char> m_bytes;
};

enum class Encoding : std::uint16_t
{
    Pcm = 1,
    IeeeFloat = 3
};

struct Format
{
    Encoding encoding;
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint16_t bitsPerSample;
    bool extensionSizeField; // 18-byte fmt chunk whose extension size is 0
};

/// The text sub-chunks of a LIST/INFO chunk; the comment is padded with NULs after its terminator
/// so that the whole image reaches the size the program expects.
struct InfoText
{
    std::string name;
    std::string comment;
};

constexpr const char* software = "Lexamo sound generator";
constexpr const char* licence = "Made for Lexamo; free to use, modify and redistribute";

void infoSubChunk(ByteWriter& out, const char (&id)[5], const std::string& value, std::size_t size)
{
    out.tag(id);
    out.u32(static_cast<std::uint32_t>(size));
    out.text(value);
    out.zeros(size - value.size());
}

std::size_t evenZstringSize(const std::string& value)
{
    return (value.size() + 2) & ~std::size_t{1};
}

ByteWriter listInfoChunk(const InfoText& info, std::size_t chunkSize)
{
    ByteWriter out;
    out.tag("LIST");
    out.u32(static_cast<std::uint32_t>(chunkSize - 8));
    out.tag("INFO");
    infoSubChunk(out, "INAM", info.name, evenZstringSize(info.name));
    infoSubChunk(out, "ISFT", software, evenZstringSize(software));
    infoSubChunk(out, "ICOP", licence, evenZstringSize(licence));
    const std::size_t used = out.size() + 8;
    if (chunkSize < used + evenZstringSize(info.comment) || (chunkSize - used) % 2 != 0)
        throw std::runtime_error("the metadata does not fit the image size of " + info.name);
    infoSubChunk(out, "ICMT", info.comment, chunkSize - used);
    return out;
}

ByteWriter sampleBytes(const Format& format, const std::vector<double>& interleaved)
{
    ByteWriter out;
    for (double s : interleaved) {
        const double clamped = std::clamp(s, -1.0, 1.0);
        if (format.encoding == Encoding::IeeeFloat)
            out.f32(static_cast<float>(clamped));
        else
            out.i16(static_cast<std::int16_t>(std::lround(clamped * 32767.0)));
    }
    return out;
}

/// A complete RIFF WAVE image: header, fmt, data and, when the image must be larger than that,
/// a trailing LIST/INFO chunk that fills it to exactly `imageSize` bytes.
std::vector<char> waveImage(const Format& format, const std::vector<double>& interleaved,
                            const InfoText& info, std::size_t imageSize)
{
    const ByteWriter data = sampleBytes(format, interleaved);
    const std::uint32_t fmtSize = format.extensionSizeField ? 18 : 16;
    const std::size_t withoutInfo = 12 + 8 + fmtSize + 8 + data.size();

    ByteWriter out;
    out.tag("RIFF");
    out.u32(static_cast<std::uint32_t>(imageSize - 8));
    out.tag("WAVE");
    out.tag("fmt ");
    out.u32(fmtSize);
    const std::uint16_t blockAlign = format.channels * format.bitsPerSample / 8;
    out.u16(static_cast<std::uint16_t>(format.encoding));
    out.u16(format.channels);
    out.u32(format.sampleRate);
    out.u32(format.sampleRate * blockAlign);
    out.u16(blockAlign);
    out.u16(format.bitsPerSample);
    if (format.extensionSizeField)
        out.u16(0);
    out.tag("data");
    out.u32(static_cast<std::uint32_t>(data.size()));
    out.append(data.bytes());
    if (imageSize > withoutInfo)
        out.append(listInfoChunk(info, imageSize - withoutInfo).bytes());
    if (out.size() != imageSize)
        throw std::runtime_error("wrong image size for " + info.name);
    return out.bytes();
}

// ---- The sounds ------------------------------------------------------------------------------

/// The click: a pure 523 Hz tone at full level from the first sample, fading linearly to silence.
std::vector<double> click()
{
    constexpr double rate = 6000.0;
    constexpr int count = 1425;
    std::vector<double> s(count);
    for (int n = 0; n < count; ++n)
        s[n] = std::sin(twoPi * 523.0 * n / rate) * (1.0 - double(n) / count);
    normalizePeak(s, fromDecibels(-14.0));
    return s;
}

/// A band-limited square wave: the odd harmonics up to the Nyquist frequency at 1/k, which gives
/// the buzzer its harsh, hollow sound without aliasing.
double square(double frequency, double t, double nyquist)
{
    double sum = 0.0;
    for (int k = 1; k * frequency < nyquist; k += 2)
        sum += std::sin(twoPi * k * frequency * t) / k;
    return sum * 4.0 / std::numbers::pi;
}

/// Small fixed-seed generator so the hiss is the same on every run and every platform.
class XorShift32
{
public:
    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return double(m_state) / 4294967295.0 * 2.0 - 1.0;
    }

private:
    std::uint32_t m_state = 0x4C58414D;
};

/// The buzzer: two bursts of a 54.6 Hz square wave; the second runs to the last sample, so the
/// sound stops at full level. A faint hiss lies between the bursts.
std::vector<double> buzzer()
{
    constexpr double rate = 22050.0;
    constexpr int count = 5878;
    constexpr double frequency = 54.6;
    const int firstStart = int(std::lround(0.004 * rate));
    const int firstEnd = int(std::lround(0.094 * rate));
    const int secondStart = int(std::lround(0.134 * rate));

    std::vector<double> s(count, 0.0);
    for (int n = firstStart; n < firstEnd; ++n)
        s[n] = square(frequency, (n - firstStart) / rate, rate / 2);
    for (int n = secondStart; n < count; ++n)
        s[n] = square(frequency, (n - secondStart) / rate, rate / 2);
    normalizePeak(s, fromDecibels(-4.0));

    XorShift32 noise;
    const double hiss = fromDecibels(-54.0);
    for (int n = firstEnd; n < secondStart; ++n)
        s[n] = hiss * noise.next();
    return s;
}

/// One bell-like partial: a 1 ms attack, then an exponential decay with time constant `tau`.
double bellTone(double frequency, double start, double tau, double t)
{
    if (t < start)
        return 0.0;
    const double age = t - start;
    const double attack = std::min(1.0, age / 0.001);
    return attack * std::exp(-age / tau) * std::sin(twoPi * frequency * age);
}

/// The chime: 880 Hz, then 698 Hz from 0.15 s while the first still rings. Both channels carry
/// the same tones; the right one is louder and rings longer.
std::vector<double> chime()
{
    constexpr double rate = 44100.0;
    constexpr int frames = 21023;
    auto channel = [&](double tau, double peakDbfs) {
        std::vector<double> s(frames);
        for (int n = 0; n < frames; ++n) {
            const double t = n / rate;
            s[n] = bellTone(880.0, 0.0, tau, t) + bellTone(698.0, 0.15, tau, t);
        }
        normalizePeak(s, fromDecibels(peakDbfs));
        return s;
    };
    const std::vector<double> left = channel(0.055, -8.4);
    // Decays from its peak to about -35 dBFS at the last frame.
    const std::vector<double> right = channel(0.082, -1.7);

    std::vector<double> interleaved;
    interleaved.reserve(2 * frames);
    for (int n = 0; n < frames; ++n) {
        interleaved.push_back(left[n]);
        interleaved.push_back(right[n]);
    }
    return interleaved;
}

/// The refusal of a typed word: two soft, low knocks, short and quiet enough not to sound like
/// the buzzer's judgement.
std::vector<double> noMatch()
{
    constexpr double rate = 22050.0;
    constexpr int count = 2426; // 110 ms
    std::vector<double> s(count, 0.0);
    for (double start : {0.0, 0.055}) {
        for (int n = 0; n < count; ++n) {
            const double age = n / rate - start;
            if (age < 0.0 || age > 0.045)
                continue;
            const double attack = std::min(1.0, age / 0.002);
            s[n] += attack * std::exp(-age / 0.012) * std::sin(twoPi * 330.0 * age);
        }
    }
    normalizePeak(s, fromDecibels(-12.0));
    return s;
}

void writeFile(const std::filesystem::path& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <output folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    try {
        writeFile(folder / "SysPu.wav",
                  waveImage({Encoding::Pcm, 1, 6000, 16, false}, click(),
                            {"SysPu", "Click sound: 523 Hz tone fading out"}, 2894));
        writeFile(folder / "Sysbubuu.wav",
                  waveImage({Encoding::IeeeFloat, 1, 22050, 32, true}, buzzer(),
                            {"Sysbubuu", "Buzzer: two bursts of a 54.6 Hz square wave"}, 29674));
        writeFile(folder / "SysPingPong.wav",
                  waveImage({Encoding::Pcm, 2, 44100, 16, true}, chime(),
                            {"SysPingPong", "Chime: 880 Hz then 698 Hz, decaying"}, 92690));
        const std::vector<double> knocks = noMatch();
        writeFile(folder / "NoMatch.wav", waveImage({Encoding::Pcm, 1, 22050, 16, false}, knocks,
                                                    {"NoMatch", ""}, 44 + 2 * knocks.size()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sounds: %s\n", e.what());
        return 1;
    }
    return 0;
}
