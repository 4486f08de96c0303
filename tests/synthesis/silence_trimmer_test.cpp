#include "speech/synthesis/silence_trimmer.h"

#include <gtest/gtest.h>
#include <vector>

namespace lexamo {
namespace {

constexpr int kRate = 1000; // one sample per millisecond keeps the pauses readable

// Quiet (0) and loud (1000) stretches, in milliseconds.
std::vector<std::int16_t> signal(std::initializer_list<std::pair<bool, int>> stretches)
{
    std::vector<std::int16_t> samples;
    for (const auto& [loud, ms] : stretches)
        samples.insert(samples.end(), std::size_t(ms), loud ? 1000 : 0);
    return samples;
}

// Feeds the samples in pieces of `piece` samples and returns what came out.
std::vector<std::int16_t> trimmed(const std::vector<std::int16_t>& in, std::size_t piece)
{
    std::vector<std::int16_t> out;
    SilenceTrimmer trimmer(
        kRate, [&](const std::int16_t* s, std::size_t n) { out.insert(out.end(), s, s + n); });
    for (std::size_t first = 0; first < in.size(); first += piece)
        trimmer.push(in.data() + first, std::min(piece, in.size() - first));
    trimmer.finish();
    return out;
}

TEST(SilenceTrimmerTest, KeepsShortPausesAroundTheSpeechAndEveryPauseInside)
{
    const auto in = signal({{false, 500}, {true, 100}, {false, 300}, {true, 50}, {false, 700}});
    const auto expected = signal({{false, SilenceTrimmer::LeadingPauseMs},
                                  {true, 100},
                                  {false, 300},
                                  {true, 50},
                                  {false, SilenceTrimmer::TrailingPauseMs}});
    // However the synthesizer cuts its output into pieces.
    for (const std::size_t piece : {1u, 7u, 64u, 10000u})
        EXPECT_EQ(trimmed(in, piece), expected) << "pieces of " << piece;
}

TEST(SilenceTrimmerTest, ShortPausesAndSilenceAlone)
{
    EXPECT_EQ(trimmed(signal({{false, 5}, {true, 10}, {false, 5}}), 3),
              signal({{false, 5}, {true, 10}, {false, 5}}));
    EXPECT_TRUE(trimmed(signal({{false, 2000}}), 100).empty());
}

} // namespace
} // namespace lexamo
