#include "help_text.h"

#include "file_checks.h"

#include <QCoreApplication>

namespace lexamo::check {

QString helpText()
{
    return QCoreApplication::translate(
               "lexamo-check",
               "Usage: lexamo-check [FOLDER]...\n"
               "Checks the Lexamo courses in each FOLDER (default: the current folder).\n"
               "Courses are found as Lexamo finds them: an Option.txt in the folder itself or in "
               "a\n"
               "folder just below it. Line 1 of Option.txt is the course title, line 2 the file "
               "stem\n"
               "S; the sentences are in SE.txt (English) and SJ.txt (Japanese), one per line.\n"
               "\n"
               "Each finding is one line:  PATH[:LINE]: error|warning: MESSAGE\n"
               "followed by one summary line:\n"
               "  N courses checked: E with errors, W with warnings, F folders not listed\n"
               "A file shows the first %1 findings of each kind; one more line counts the rest.\n"
               "\n"
               "Errors (Lexamo refuses the course or shows it wrong):\n"
               "  a file that cannot be opened or decoded (with Lexamo's own reason)\n"
               "  Option.txt without a course title or without a file stem (line 2)\n"
               "  an English file without sentences\n"
               "  a sentence of more than 24 words\n"
               "  a Japanese file with fewer lines than the English file\n"
               "  a folder without any course\n"
               "Warnings (Lexamo copes, but it is probably not what you meant):\n"
               "  an empty word from a space at the start or end of a sentence, two spaces in a "
               "row,\n"
               "    or an empty line\n"
               "  a Japanese file with more lines than the English file\n"
               "  a file without a byte-order mark that is UTF-8 with non-ASCII text (Lexamo "
               "reads\n"
               "    such a file as CP932 / Shift_JIS; save it as UTF-8 with BOM, UTF-16 or CP932)\n"
               "  a tab or a full-width space inside an English sentence\n"
               "  an English sentence that is spoken shortened: a very long word, sentence or run\n"
               "    of punctuation, numbers or initials\n"
               "  an empty course title\n"
               "  a file stem that leads outside the course's folder\n"
               "  a folder that Lexamo will not list although it looks like a course\n"
               "\n"
               "Exit status: 0 when no course has an error, 1 when any has, 2 for bad usage.\n"
               "Options:\n"
               "  -h, --help  show this help and exit\n")
        .arg(kShownFindingsPerKind);
}

} // namespace lexamo::check
