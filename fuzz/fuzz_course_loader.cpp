// Builds a course folder from the input and loads it: the loader may refuse the course only with
// lexamo::Error, which the error box shows; any other exception or crash is a fault.
//
// Input layout: byte 0 is the option file's length, byte 1 the English file's length (each cut
// to what is left), and the rest is the Japanese file. The seeds name the stem "Lesson".
#include "courses/course_loader.h"
#include "courses/error.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

const QTemporaryDir& courseFolder()
{
    static const QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    return folder;
}

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
}

QByteArrayView takeFront(QByteArrayView& rest, qsizetype length)
{
    length = qMin(length, rest.size());
    const QByteArrayView front = rest.first(length);
    rest = rest.sliced(length);
    return front;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    QByteArrayView rest(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const QByteArrayView option = takeFront(rest, data[0]);
    const QByteArrayView english = takeFront(rest, data[1]);

    const QString prefix = courseFolder().path() + u'/';
    writeFile(prefix + QStringLiteral("Option.txt"), option);
    writeFile(prefix + QStringLiteral("LessonE.txt"), english);
    writeFile(prefix + QStringLiteral("LessonJ.txt"), rest);

    try {
        const lexamo::Course course = lexamo::loadCourse(prefix);
        // A course that loads has something to ask.
        if (course.questions.Count() == 0 || course.optionLines.Count() < 2)
            std::abort();
    } catch (const lexamo::Error&) {
    }
    return 0;
}
