#include "courses/catalogue.h"
#include "temp_folder_test.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

using CatalogueTest = test::TempFolderTest;

QStringList titles(const Catalogue& catalogue)
{
    QStringList list;
    for (const CatalogueEntry& entry : catalogue.entries)
        list.append(entry.title);
    return list;
}

QStringList prefixes(const Catalogue& catalogue)
{
    QStringList list;
    for (const CatalogueEntry& entry : catalogue.entries)
        list.append(entry.prefix);
    return list;
}

TEST_F(CatalogueTest, RootFirstThenFoldersByName)
{
    writeFile("zeta/Option.txt", "Zeta\nZ\n");
    writeFile("Option.txt", "Root\nR\n");
    writeFile("alpha/Option.txt", "Alpha\nA\n");
    writeFile("Beta/Option.txt", "Beta\nB\n");
    writeFile(".hidden/Option.txt", "Hidden\nH\n");
    const Catalogue catalogue = buildCatalogue();
    EXPECT_EQ(titles(catalogue), (QStringList{"Root", "Hidden", "Alpha", "Beta", "Zeta"}));
    EXPECT_EQ(prefixes(catalogue),
              (QStringList{"./", "./.hidden/", "./alpha/", "./Beta/", "./zeta/"}));
    EXPECT_EQ(catalogue.lastOptionLines, (QStringList{"Zeta", "Z"}));
}

TEST_F(CatalogueTest, NamesDifferingInCaseOnlyKeepAFixedOrder)
{
    writeFile("b/Option.txt", "lower\n");
    writeFile("B/Option.txt", "upper\n");
    EXPECT_EQ(titles(buildCatalogue()), (QStringList{"upper", "lower"}));
}

TEST_F(CatalogueTest, OnlyFoldersHoldingAnOptionFileAreListed)
{
    writeFile("top/nested/Option.txt", "Nested\nN\n");
    writeFile("noOption/LessonE.txt", "e\n");
    makeFolder("folderNamedOption/Option.txt");
    writeFile("lowercase/option.txt", "Lower\nL\n");
    writeFile("course/Option.txt", "Course\nC\n");
    const Catalogue catalogue = buildCatalogue();
    EXPECT_EQ(prefixes(catalogue), QStringList{"./course/"});
}

TEST_F(CatalogueTest, UnusableOptionFilesAreSkipped)
{
    writeFile("a/Option.txt", "First\nF\n");
    writeFile("b/Option.txt", "\xEF\xBB\xBF\xFF");
    writeFile("c/Option.txt", "");
    makeFolder("d");
    ASSERT_TRUE(QFile::link("missing-target", "d/Option.txt"));
    writeFile("e/Option.txt", "Last\nL\n");
    const Catalogue catalogue = buildCatalogue();
    EXPECT_EQ(titles(catalogue), (QStringList{"First", "Last"}));
}

TEST_F(CatalogueTest, EmptyOptionFileIsTheLastOneRead)
{
    writeFile("a/Option.txt", "First\nF\n");
    writeFile("b/Option.txt", "");
    const Catalogue catalogue = buildCatalogue();
    EXPECT_EQ(titles(catalogue), QStringList{"First"});
    EXPECT_EQ(catalogue.lastOptionLines, QStringList());
}

TEST_F(CatalogueTest, DuplicateAndEmptyTitlesAreListed)
{
    writeFile("one/Option.txt", "Same\nS\n");
    writeFile("two/Option.txt", "Same\nS\n");
    writeFile("three/Option.txt", "\nS\n");
    const Catalogue catalogue = buildCatalogue();
    EXPECT_EQ(titles(catalogue), (QStringList{"Same", "", "Same"}));
    EXPECT_EQ(prefixes(catalogue), (QStringList{"./one/", "./three/", "./two/"}));
}

TEST_F(CatalogueTest, NoCourseAtAll)
{
    makeFolder("empty");
    writeFile("notes.txt", "x\n");
    const Catalogue catalogue = buildCatalogue();
    EXPECT_TRUE(catalogue.entries.empty());
    EXPECT_TRUE(catalogue.lastOptionLines.isEmpty());
}

} // namespace
} // namespace lexamo
