#include "courses/paths.h"
#include "folder_check.h"
#include "help_text.h"
#include "report.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <cstdio>
#include <new>
#include <vector>

using namespace lexamo;
using namespace lexamo::check;

namespace {

constexpr int kBadUsage = 2;

void print(std::FILE* stream, const QString& line)
{
    std::fputs(line.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

int usageError(const QString& message)
{
    print(stderr, QStringLiteral("lexamo-check: %1").arg(message));
    print(stderr, QCoreApplication::translate("lexamo-check", "Try 'lexamo-check --help'."));
    return kBadUsage;
}

} // namespace

int main(int argc, char* argv[])
{
    // The application object holds the translator, which must be in place before any text.
    const QCoreApplication application(argc, argv);
    QTranslator translator;
    if (translator.load(QLocale::system(), QStringLiteral("lexamo-check"), QStringLiteral("_"),
                        QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&translator);

    QStringList folders;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = decodeFileName(argv[i]);
        if (!optionsEnded &&
            (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))) {
            std::fputs(helpText().toUtf8().constData(), stdout);
            return 0;
        }
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1)
            return usageError(
                QCoreApplication::translate("lexamo-check", "unknown option %1").arg(argument));
        if (!folderExists(argument))
            return usageError(
                QCoreApplication::translate("lexamo-check", "%1 is not a folder").arg(argument));
        folders.append(argument);
    }
    if (folders.isEmpty())
        folders.append(QStringLiteral("."));

    std::vector<CheckedFolder> checked;
    try {
        for (const QString& folder : folders) {
            checked.push_back({folder, checkFolder(folder)});
            for (const QString& line : findingLines(checked.back()))
                print(stdout, line);
        }
        print(stdout, summaryLine(checked));
    } catch (const std::bad_alloc&) {
        // Each course is checked within its own memory; this is for what lies outside them.
        print(stderr, QStringLiteral("lexamo-check: %1")
                          .arg(QCoreApplication::translate("lexamo-check", "not enough memory")));
        return 1;
    }
    return exitCode(checked);
}
