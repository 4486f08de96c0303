#pragma once

#include <QString>
#include <QStringList>

namespace lexamo {

/// Cuts a sentence into its words at every U+0020, keeping empty pieces: k spaces give k+1
/// words, so clicking the words in order and joining them with single spaces always rebuilds
/// the sentence exactly. Tabs, no-break and full-width spaces stay inside a word.
QStringList splitWords(const QString& sentence);

} // namespace lexamo
