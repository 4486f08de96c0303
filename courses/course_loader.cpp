#include "course_loader.h"

#include "error.h"
#include "line_file.h"
#include "string_list.h"

#include <QDir>

namespace lexamo {

namespace {

// Words are cut at single blanks, so k blanks make k + 1 words, empty ones included.
qsizetype wordCount(QStringView sentence)
{
    return sentence.count(u' ') + 1;
}

QString fullPath(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

// The drill could not present these sentences, so the course is refused with a reason the
// teacher can act on. The messages end in ")" so that the error box adds no full stop.
void checkQuestions(const StringList& questions, const QString& englishPath)
{
    if (questions.Count() == 0)
        throw Error(QStringLiteral("英語のファイルに問題文が1行もありません (%1)")
                        .arg(fullPath(englishPath)));
    for (qsizetype index = 0; index < questions.Count(); ++index) {
        const qsizetype words = wordCount(questions.view(index));
        if (words > kMaxWordsPerSentence)
            throw Error(QStringLiteral("英語のファイルの %1 行目は %2 語あります。"
                                       "1文は%3語までにしてください (%4)")
                            .arg(index + 1)
                            .arg(words)
                            .arg(kMaxWordsPerSentence)
                            .arg(fullPath(englishPath)));
    }
}

} // namespace

Course loadCourse(const QString& folderPrefix)
{
    Course course;
    course.optionLines = readLines(folderPrefix + QStringLiteral("Option.txt"));
    course.title = course.optionLines[0];
    // Courses written on Windows separate folders in the stem with a backslash.
    QString stem = course.optionLines[1];
    stem.replace(u'\\', u'/');

    const QString englishPath = folderPrefix + stem + QStringLiteral("E.txt");
    course.questions = readLines(englishPath);
    course.answers = readLines(folderPrefix + stem + QStringLiteral("J.txt"));

    // Content is judged only once every file has been read, so a folder that cannot be read
    // always reports the same reading error first.
    checkQuestions(course.questions, englishPath);
    return course;
}

} // namespace lexamo
