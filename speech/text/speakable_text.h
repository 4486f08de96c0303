#pragma once

#include <QString>
#include <QStringView>

namespace lexamo {

/// The limits a text is held to before any synthesizer sees it. flite overflows a heap buffer
/// when about 300 punctuation marks follow a word, and its time and memory grow with the square
/// of a word's length; espeak-ng overflows its stack on a long chain of single-letter
/// abbreviations ("b.b.b. b.b."), and its statistical voices take hundreds of megabytes for
/// a minute of numbers or spelled letters; both speak any long text for as long as it is. The numbers are
/// far from every one of those faults and above what a drill sentence needs (24 words).
struct SpeakableLimits
{
    /// Punctuation marks and symbols in a row, emoji included ("?!?" stays, "!!!!" becomes
    /// "!!!").
    static constexpr int PunctuationRun = 3;
    /// Characters of one word: the longest English words have 45 letters.
    static constexpr int Word = 48;
    /// Single letters with a full stop in a row ("U.S.A." is three): the text ends before the
    /// word that goes past this.
    static constexpr int Initials = 12;
    /// What the whole text takes to say, counted in letters of English words, digits, symbols
    /// and letters of other scripts as eight each: twice a long drill sentence, about 20 seconds
    /// of speech at the normal speed.
    static constexpr int Text = 320;
};

struct SpeakableText
{
    QString text;
    /// True when the learner hears less than was written: a run of punctuation, a word or the
    /// text was cut, or full stops of initials were left out. Spaces and control characters do
    /// not count: they are never heard.
    bool shortened = false;
};

/// The text as it can be given to any synthesizer safely and in bounded time: control characters
/// become spaces, runs of spaces one space, and what goes past SpeakableLimits is left out (the
/// end of a long word, the rest of a long text, cut at a space). What the screen shows and what
/// an answer is judged against never pass through here. Only the first characters of a long
/// text are looked at, so any length is cheap.
SpeakableText speakableText(QStringView text);

} // namespace lexamo
