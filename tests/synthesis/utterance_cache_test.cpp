#include "speech/synthesis/utterance_cache.h"

#include <gtest/gtest.h>

namespace lexamo {
namespace {

std::shared_ptr<const PcmBuffer> audio(std::size_t samples)
{
    return std::make_shared<const PcmBuffer>(
        PcmBuffer{std::vector<std::int16_t>(samples, 1), 16000});
}

UtteranceKey key(const char* text, float rate = 0.0f)
{
    return {QString::fromLatin1(text), QStringLiteral("voice"), rate};
}

TEST(UtteranceCache, FindsOnlyTheSameTextVoiceAndSpeed)
{
    UtteranceCache cache;
    const auto stored = audio(10);
    cache.store(key("a"), stored);
    EXPECT_EQ(cache.find(key("a")), stored);
    EXPECT_EQ(cache.find(key("a", 1.0f)), nullptr);
    EXPECT_EQ(cache.find({QStringLiteral("a"), QStringLiteral("other"), 0.0f}), nullptr);
    EXPECT_EQ(cache.find(key("b")), nullptr);
}

TEST(UtteranceCache, DropsTheLeastRecentlyUsedWhenAnyBoundIsReached)
{
    // Three entries, 100 bytes (50 samples).
    UtteranceCache cache(3, 100);
    cache.store(key("a"), audio(10));
    cache.store(key("b"), audio(10));
    cache.store(key("c"), audio(10));
    ASSERT_NE(cache.find(key("a")), nullptr); // now b is the least recently used
    cache.store(key("d"), audio(10));
    EXPECT_FALSE(cache.contains(key("b")));
    EXPECT_TRUE(cache.contains(key("a")));
    EXPECT_EQ(cache.size(), 3u);

    cache.store(key("e"), audio(40)); // 80 bytes: only the most recent one can stay beside it
    EXPECT_TRUE(cache.contains(key("e")));
    EXPECT_TRUE(cache.contains(key("d")));
    EXPECT_FALSE(cache.contains(key("a")));
    EXPECT_FALSE(cache.contains(key("c")));
    EXPECT_EQ(cache.bytes(), 100u);

    cache.store(key("big"), audio(51));
    EXPECT_FALSE(cache.contains(key("big"))) << "larger than the bound on its own";
    EXPECT_EQ(cache.size(), 2u);
}

TEST(UtteranceCache, StoringAKeyAgainReplacesItsAudio)
{
    UtteranceCache cache(3, 100);
    cache.store(key("a"), audio(10));
    const auto newer = audio(20);
    cache.store(key("a"), newer);
    EXPECT_EQ(cache.size(), 1u);
    EXPECT_EQ(cache.bytes(), 40u);
    EXPECT_EQ(cache.find(key("a")), newer);
}

} // namespace
} // namespace lexamo
