#include "catalogue.h"

#include "course_rules.h"
#include "error.h"
#include "line_file.h"
#include "paths.h"

#include <new>

namespace lexamo {

namespace {

void addCourse(Catalogue& catalogue, const QString& prefix)
{
    const QString optionPath = optionFilePath(prefix);
    if (!fileExists(optionPath))
        return;
    QStringList lines;
    try {
        lines = readFirstTwoLines(optionPath).lines();
    } catch (const Error&) {
        // One unreadable course must not hide the others.
        return;
    } catch (const std::bad_alloc&) {
        return;
    }
    catalogue.lastOptionLines = lines;
    if (lines.isEmpty())
        return;
    catalogue.entries.push_back({lines.first(), prefix});
}

} // namespace

Catalogue buildCatalogue(const QString& folderPrefix)
{
    Catalogue catalogue;
    addCourse(catalogue, folderPrefix);
    for (const QString& folder : courseFolderNames(folderPrefix))
        addCourse(catalogue, folderPrefix + folder + u'/');
    return catalogue;
}

} // namespace lexamo
