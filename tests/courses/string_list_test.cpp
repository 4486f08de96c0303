#include "courses/error.h"
#include "courses/string_list.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

QString indexMessage(qsizetype index)
{
    return QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index);
}

template <typename Access> void expectIndexError(Access access, qsizetype index)
{
    try {
        access();
        FAIL() << "no error for index " << index;
    } catch (const Error& error) {
        EXPECT_EQ(error.message(), indexMessage(index));
    }
}

TEST(StringListTest, EveryIndexedAccessChecksTheIndex)
{
    StringList list(QStringList{"a", "b"});
    for (const qsizetype index : {qsizetype(-1), qsizetype(2), qsizetype(100)}) {
        expectIndexError([&] { (void)list[index]; }, index);
        expectIndexError([&] { (void)list.view(index); }, index);
        expectIndexError([&] { list.Put(index, "x"); }, index);
    }
    EXPECT_EQ(list.lines(), (QStringList{"a", "b"}));
    expectIndexError([] { (void)StringList()[0]; }, 0);
}

TEST(StringListTest, EditsKeepTheOrder)
{
    StringList list;
    list.Add("one");
    list.Add("");
    list.Add(u"三"_qs);
    EXPECT_EQ(list.Count(), 3);
    list.Put(0, "first");
    list.Put(2, "");
    EXPECT_EQ(list.lines(), (QStringList{"first", "", ""}));
    EXPECT_EQ(list[0], "first");
    EXPECT_EQ(list.view(0), u"first");

    list.assign(QStringList{"x", "yy"});
    EXPECT_EQ(list.lines(), (QStringList{"x", "yy"}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.text().isEmpty());
    EXPECT_EQ(list.lines(), QStringList());
}

TEST(StringListTest, FromTextUsesTheSpans)
{
    const StringList list = StringList::fromText("abcdef", {{4, 2}, {0, 0}, {1, 3}});
    EXPECT_EQ(list.lines(), (QStringList{"ef", "", "bcd"}));
}

// An entry read from the list must outlive the list's next change: under the address sanitizer
// a view into the old buffer would be reported here.
TEST(StringListTest, ReadEntryOutlivesReassignment)
{
    StringList list(QStringList{"first entry", "second entry"});
    const QString entry = list[1];
    list.assign(QStringList{"other"});
    list.Clear();
    EXPECT_EQ(entry, "second entry");
}

TEST(StringListTest, CopiesShareTheBufferUntilEdited)
{
    const StringList original(QStringList{"a", "b"});
    StringList copy = original;
    EXPECT_EQ(copy.text().constData(), original.text().constData());
    copy.Put(0, "changed");
    copy.Add("c");
    EXPECT_EQ(original.lines(), (QStringList{"a", "b"}));
    EXPECT_EQ(copy.lines(), (QStringList{"changed", "b", "c"}));
}

} // namespace
} // namespace lexamo
