// Opening the embedded sounds: names without regard to case, unknown names, and views that point
// into the program image instead of copies.

#include "courses/error.h"
#include "speech/sounds/sound_resources.h"

#include <QFile>
#include <QResource>

#include <cstring>
#include <gtest/gtest.h>
#include <ostream>

namespace lexamo {
namespace {

struct NameCase
{
    const char* asked;
    const char* resource;
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.asked;
}

class OpenByNameTest : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(OpenByNameTest, FindsTheSoundWhateverTheCase)
{
    const WaveStream stream = openWaveResource(GetParam().asked);
    EXPECT_EQ(stream.name, GetParam().resource);
    ASSERT_NE(stream.data, nullptr);
    ASSERT_GE(stream.size, 12);
    EXPECT_EQ(std::memcmp(stream.data, "RIFF", 4), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, OpenByNameTest,
                         ::testing::Values(NameCase{"SysPu", "SysPu"}, NameCase{"syspu", "SysPu"},
                                           NameCase{"SYSBUBUU", "Sysbubuu"},
                                           NameCase{"sysbubuu", "Sysbubuu"},
                                           NameCase{"SysPingPong", "SysPingPong"},
                                           NameCase{"sYSpINGpONG", "SysPingPong"}));

class UnknownNameTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(UnknownNameTest, Throws)
{
    const QString name = QString::fromUtf8(GetParam());
    try {
        openWaveResource(name);
        FAIL() << "opened " << GetParam();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"%1\"").arg(name)))
            << e.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Names, UnknownNameTest,
                         ::testing::Values("", "SysPu.wav", "SysP", "SysPuu", "WAVE/SysPu",
                                           "/SysPu", " SysPu"));

TEST(SoundResourcesTest, OpeningTwiceGivesTheSameBytesWithoutCopying)
{
    for (const char* name : {"SysPu", "Sysbubuu", "SysPingPong", "NoMatch"}) {
        SCOPED_TRACE(name);
        const WaveStream first = openWaveResource(name);
        const WaveStream second = openWaveResource(QString::fromUtf8(name).toLower());
        EXPECT_EQ(first.data, second.data);
        EXPECT_EQ(first.size, second.size);

        const QResource resource(QStringLiteral(":/WAVE/") + name);
        EXPECT_EQ(resource.compressionAlgorithm(), QResource::NoCompression);
        EXPECT_EQ(first.data, resource.data()) << "the view points into the resource itself";
    }
}

TEST(SoundResourcesTest, EmbeddedImagesAreTheCommittedFiles)
{
    for (const char* name : {"SysPu", "Sysbubuu", "SysPingPong", "NoMatch"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(LEXAMO_SOURCE_DIR "/speech/sounds/%1.wav").arg(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray onDisk = file.readAll();
        const WaveStream stream = openWaveResource(name);
        ASSERT_EQ(stream.size, onDisk.size());
        EXPECT_EQ(std::memcmp(stream.data, onDisk.constData(), std::size_t(onDisk.size())), 0);
    }
}

} // namespace
} // namespace lexamo
