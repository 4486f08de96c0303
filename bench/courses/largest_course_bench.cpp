// Loads the largest course the limits let through, as the program does (reading the three files,
// then drawing a shuffled question order), and prints the time and the peak memory. Both sentence
// files have kMaxCourseFileLines lines and come close to kMaxCourseFileBytes: the most lines and
// nearly the most text at once. It is a measurement, not a test.
#include "courses/course_loader.h"
#include "courses/course_rules.h"
#include "drill/random_generator.h"
#include "drill/shuffles.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

long peakResidentKilobytes()
{
    long peak = 0;
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, "VmHWM:", 6) == 0)
                peak = std::strtol(line + 6, nullptr, 10);
        std::fclose(status);
    }
    return peak;
}

void writeSentenceFile(const QString& path)
{
    // One line of this length per allowed line fills the allowed bytes as far as whole lines go.
    const qsizetype lineBytes = lexamo::kMaxCourseFileBytes / lexamo::kMaxCourseFileLines;
    QByteArray line(lineBytes - 1, 'w');
    line += '\n';
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    for (qsizetype i = 0; i < lexamo::kMaxCourseFileLines; ++i)
        file.write(line);
}

} // namespace

int main()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    const QString prefix = folder.path() + u'/';
    {
        QFile option(prefix + QStringLiteral("Option.txt"));
        if (!option.open(QIODevice::WriteOnly))
            return 1;
        option.write("Largest\nL\n");
    }
    writeSentenceFile(prefix + QStringLiteral("LE.txt"));
    writeSentenceFile(prefix + QStringLiteral("LJ.txt"));
    const long before = peakResidentKilobytes();

    const auto start = std::chrono::steady_clock::now();
    const lexamo::Course course = lexamo::loadCourse(prefix);
    const auto loaded = std::chrono::steady_clock::now();
    lexamo::StringList order;
    lexamo::fillQuestionOrder(order, static_cast<int>(course.questions.Count()));
    lexamo::MtRandomGenerator random(1);
    lexamo::shuffleQuestionOrder(order, random);
    const auto ordered = std::chrono::steady_clock::now();

    const std::chrono::duration<double> loadSeconds = loaded - start;
    const std::chrono::duration<double> orderSeconds = ordered - loaded;
    std::printf("largest course: %lld questions, %lld Japanese lines\n",
                (long long)course.questions.Count(), (long long)course.answers.Count());
    std::printf("  load %.2f s, shuffled order %.2f s\n", loadSeconds.count(),
                orderSeconds.count());
    std::printf("  peak resident memory %.0f MB (%.0f MB before loading)\n",
                double(peakResidentKilobytes()) / 1024, double(before) / 1024);
    return 0;
}
