// SPDX-License-Identifier: GPL-3.0-or-later
#include "typed_word_match.h"

#include <algorithm>
#include <functional>

namespace lexamo {

namespace {

QStringView withoutEndPunctuation(QStringView word)
{
    qsizetype begin = 0;
    qsizetype end = word.size();
    while (begin < end && word[begin].isPunct())
        ++begin;
    while (end > begin && word[end - 1].isPunct())
        --end;
    return word.sliced(begin, end - begin);
}

/// The first word that fits, or -1 when none does or words of different texts do.
int onlyFit(const QStringList& words, const std::function<bool(const QString&)>& fits)
{
    int found = -1;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (!fits(words[i]))
            continue;
        if (found < 0)
            found = static_cast<int>(i);
        else if (words[i] != words[found])
            return -1;
    }
    return found;
}

} // namespace

int matchTypedWord(const QString& typed, const QStringList& words)
{
    if (const qsizetype exact = words.indexOf(typed); exact >= 0)
        return static_cast<int>(exact);
    const auto sameIgnoringCase = [&typed](const QString& word) {
        return word.compare(typed, Qt::CaseInsensitive) == 0;
    };
    if (words.end() != std::find_if(words.begin(), words.end(), sameIgnoringCase))
        return onlyFit(words, sameIgnoringCase);
    const QStringView bare = withoutEndPunctuation(typed);
    if (bare.isEmpty())
        return -1;
    return onlyFit(words, [bare](const QString& word) {
        return withoutEndPunctuation(word).compare(bare, Qt::CaseInsensitive) == 0;
    });
}

} // namespace lexamo
