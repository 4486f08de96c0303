#pragma once

#include "courses/string_list.h"
#include "finding.h"

#include <QByteArrayView>
#include <QString>

namespace lexamo::check {

/// A generated file can repeat one mistake on every line: this many findings of one kind are
/// shown per file, enough to see the pattern; the rest are counted in one line, so the report and
/// the checker's memory stay small whatever the file holds.
inline constexpr qsizetype kShownFindingsPerKind = 10;

/// Warns when a file has no byte-order mark but is valid UTF-8 holding non-ASCII text: without a
/// mark Lexamo reads it as CP932, so every such character comes out wrong.
void checkEncoding(QByteArrayView bytes, const QString& file, Findings& findings);

/// Checks the English sentences as the drill will cut them into words: at most 24 words, no empty
/// words, no tabs or full-width spaces hiding inside a word.
void checkSentences(const StringList& sentences, const QString& file, Findings& findings);

/// Compares the Japanese file's line count with the number of English sentences; the English
/// file is named by its file name alone, since both lie in the same folder.
void checkLineCounts(qsizetype sentences, qsizetype japaneseLines, const QString& englishFile,
                     const QString& japaneseFile, Findings& findings);

} // namespace lexamo::check
