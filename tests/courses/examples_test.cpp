#include "courses/catalogue.h"
#include "courses/course_loader.h"

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

// The sample courses shipped in examples/, one per encoding the reader knows.
class ExamplesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(QStringLiteral(LEXAMO_SOURCE_DIR "/examples")));
    }
    void TearDown() override { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

TEST_F(ExamplesTest, CatalogueListsTheThreeCoursesAndEachLoads)
{
    struct Expected
    {
        QString title;
        QString prefix;
        qsizetype lines;
        QString firstJapanese;
    };
    const std::vector<Expected> expected = {
        {u"基本の文 (Basic sentences)"_qs, "./", 10, u"私は毎朝7時に起きます。"_qs},
        {u"よく使うイディオム (Everyday idioms)"_qs, "./idioms/", 12, u"そんなの朝飯前だよ。"_qs},
        {u"旅行の会話 (Travel phrases)"_qs, "./travel/", 10,
         u"一番近い地下鉄の駅はどこですか。"_qs},
    };
    const Catalogue catalogue = buildCatalogue();
    ASSERT_EQ(catalogue.entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].prefix.toStdString());
        EXPECT_EQ(catalogue.entries[i].title, expected[i].title);
        EXPECT_EQ(catalogue.entries[i].prefix, expected[i].prefix);
        const Course course = loadCourse(catalogue.entries[i].prefix);
        EXPECT_EQ(course.title, expected[i].title);
        EXPECT_EQ(course.questions.Count(), expected[i].lines);
        EXPECT_EQ(course.answers.Count(), expected[i].lines);
        EXPECT_EQ(course.answers[0], expected[i].firstJapanese);
    }
}

} // namespace
} // namespace lexamo
