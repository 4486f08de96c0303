#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace lexamo {

/// Words are separated by single blanks; tabs, no-break and full-width spaces stay inside a word.
inline constexpr char16_t WordSeparator = u' ';

/// Cuts a sentence into its words at every U+0020, keeping empty pieces: k spaces give k+1
/// words, so clicking the words in order and joining them with single spaces always rebuilds
/// the sentence exactly.
QStringList splitWords(const QString& sentence);

/// The number of words splitWords gives, without cutting the sentence.
inline qsizetype wordCount(QStringView sentence)
{
    return sentence.count(QChar(WordSeparator)) + 1;
}

} // namespace lexamo
