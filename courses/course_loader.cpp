#include "course_loader.h"

#include "error.h"
#include "line_file.h"
#include "string_list.h"

#include <QDir>

namespace lexamo {

namespace {

// Words are cut at single blanks, so k blanks make k + 1 words, empty ones included.
qsizetype wordCount(const QString& sentence)
{
    return sentence.count(u' ') + 1;
}

QString fullPath(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

// The drill could not present these sentences, so the course is refused with a reason the
// teacher can act on. The messages end in ")" so that the error box adds no full stop.
void checkQuestions(const QStringList& questions, const QString& englishPath)
{
    if (questions.isEmpty())
        throw Error(QStringLiteral("英語のファイルに問題文が1行もありません (%1)")
                        .arg(fullPath(englishPath)));
    for (qsizetype index = 0; index < questions.size(); ++index) {
        const qsizetype words = wordCount(questions[index]);
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
    course.optionLines = readLineFile(folderPrefix + QStringLiteral("Option.txt"));
    const StringList option(course.optionLines);
    course.title = option[0];
    // Courses written on Windows separate folders in the stem with a backslash.
    QString stem = option[1];
    stem.replace(u'\\', u'/');

    const QString englishPath = folderPrefix + stem + QStringLiteral("E.txt");
    course.questions = readLineFile(englishPath);
    course.answers = readLineFile(folderPrefix + stem + QStringLiteral("J.txt"));

    // Content is judged only once every file has been read, so a folder that cannot be read
    // always reports the same reading error first.
    checkQuestions(course.questions, englishPath);
    return course;
}

} // namespace lexamo
