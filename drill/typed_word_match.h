// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lexamo {

/// The word a typed text names among the words still to be placed, as an index into `words`, or
/// -1 when it names none or more than one. Tried in turn, the first rule that finds a word
/// decides:
///  1. the same text;
///  2. the same text ignoring letter case;
///  3. the same text ignoring letter case and the punctuation at either end of both ("boy" names
///     "boy.").
/// Words with identical text are one candidate, as they are interchangeable in the answer; rules
/// 2 and 3 refuse a typed text that fits words of different texts ("that" when "That," and
/// "that." are both left).
int matchTypedWord(const QString& typed, const QStringList& words);

} // namespace lexamo
