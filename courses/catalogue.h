#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lexamo {

/// One course that the learner can choose: its title and the folder prefix it loads from.
struct CatalogueEntry
{
    QString title;
    QString prefix;
};

struct Catalogue
{
    std::vector<CatalogueEntry> entries;
    /// The lines of the option file read last; empty when none could be read.
    QStringList lastOptionLines;
};

/// Finds the courses under the folder prefix ("./" for the working directory): the folder's own
/// course first, then each immediate subfolder holding an Option.txt file, in the order of
/// courseFolderNames. A folder whose option file cannot be read, holds no line or does not fit
/// into memory is left out.
Catalogue buildCatalogue(const QString& folderPrefix = QStringLiteral("./"));

} // namespace lexamo
