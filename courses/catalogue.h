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

/// Finds the courses in the current working directory: the root course first, then each
/// immediate subfolder holding an Option.txt file, sorted by name without regard to case.
/// A folder whose option file cannot be read or holds no line is left out.
Catalogue buildCatalogue();

} // namespace lexamo
