#include "course_loader.h"

#include "course_rules.h"
#include "error.h"
#include "line_file.h"
#include "paths.h"
#include "string_list.h"

#include <new>

namespace lexamo {

namespace {

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

Course readCourse(const QString& folderPrefix)
{
    Course course;
    course.optionLines = readFirstTwoLines(optionFilePath(folderPrefix));
    course.title = course.optionLines[0];
    const QString stem = course.optionLines[1];

    const QString englishPath = englishFilePath(folderPrefix, stem);
    course.questions = readLines(englishPath);
    course.answers = readLines(japaneseFilePath(folderPrefix, stem));

    // Content is judged only once every file has been read, so a folder that cannot be read
    // always reports the same reading error first.
    checkQuestions(course.questions, englishPath);
    return course;
}

} // namespace

Error outOfMemoryError(const QString& folderPrefix)
{
    return Error(QStringLiteral("メモリが足りないため、コースを読み込めません (%1)")
                     .arg(fullPath(folderPrefix)));
}

Course loadCourse(const QString& folderPrefix)
{
    try {
        return readCourse(folderPrefix);
    } catch (const std::bad_alloc&) {
        throw outOfMemoryError(folderPrefix);
    }
}

} // namespace lexamo
