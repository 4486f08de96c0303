#include "courses/course_rules.h"
#include "courses/paths.h"
#include "temp_folder_test.h"

#include <QString>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

struct StemCase
{
    const char* stem;
    bool leaves;
};

class StemLeavesFolderTest : public ::testing::TestWithParam<StemCase>
{
};

TEST_P(StemLeavesFolderTest, OnlyStemsClimbingAboveTheFolderLeaveIt)
{
    EXPECT_EQ(stemLeavesFolder(QString::fromUtf8(GetParam().stem)), GetParam().leaves)
        << GetParam().stem;
}

INSTANTIATE_TEST_SUITE_P(Stems, StemLeavesFolderTest,
                         ::testing::Values(StemCase{"Basic", false}, StemCase{"data\\Basic", false},
                                           StemCase{"data/../Basic", false},
                                           StemCase{"..Basic", false}, StemCase{"../Basic", true},
                                           StemCase{"..\\shared\\Basic", true},
                                           StemCase{"data/../../Basic", true},
                                           StemCase{"/etc/pass", true}));

TEST(CourseFilePathTest, StemIsPutBetweenPrefixAndEndingWithBackslashesAsFolders)
{
    EXPECT_EQ(optionFilePath("./Lesson/"), "./Lesson/Option.txt");
    EXPECT_EQ(englishFilePath("./Lesson/", "data\\Basic 2"), "./Lesson/data/Basic 2E.txt");
    EXPECT_EQ(japaneseFilePath("./", "Basic"), "./BasicJ.txt");
}

using FullPathTest = test::TempFolderTest;

TEST_F(FullPathTest, ResolvesDotsWithoutClimbingAboveTheRoot)
{
    const QString cwd = workingDirectory();
    EXPECT_EQ(fullPath("./Lesson/./BasicE.txt"), cwd + "/Lesson/BasicE.txt");
    EXPECT_EQ(fullPath("./Lesson/../BasicE.txt"), cwd + "/BasicE.txt");
    EXPECT_EQ(fullPath("./" + QString("../").repeated(40) + "etc/passE.txt"), "/etc/passE.txt");
}

} // namespace
} // namespace lexamo
