#include "speakable_text.h"

#include <utility>

namespace lexamo {

namespace {

bool isSpaceLike(char32_t c)
{
    return QChar::isSpace(c) || QChar::category(c) == QChar::Other_Control;
}

bool isPunctuationOrSymbol(char32_t c)
{
    return QChar::isPunct(c) || QChar::isSymbol(c);
}

/// How long a character takes to say, in plain letters. A digit is said as a word or more
/// ("123" is "one hundred twenty-three"), a symbol by its name, a letter of another script by a
/// description; each about as long as eight letters of an English word. Weighing them keeps a
/// text of numbers or symbols as short to say as a text of words of the same cost.
constexpr int Expensive = 8;
constexpr int InitialCost = Expensive - 2;

int speakingCost(char32_t c)
{
    if (QChar::isDigit(c) || QChar::isSymbol(c))
        return Expensive;
    if (QChar::isLetter(c) && QChar::script(c) != QChar::Script_Latin)
        return Expensive;
    return 1;
}

/// Builds the speakable text code point by code point, applying every limit as it goes.
class SpeakableBuilder
{
public:
    /// False once the text is full: nothing after this point will be heard.
    bool add(char32_t c)
    {
        if (isSpaceLike(c)) {
            endWord();
            return true;
        }
        if (m_pendingSpace) {
            if (!appendRaw(U' '))
                return false;
            m_pendingSpace = false;
        }
        if (m_wordLength >= SpeakableLimits::Word) {
            m_result.shortened = true;
            return true;
        }
        if (isPunctuationOrSymbol(c)) {
            if (++m_punctuationRun > SpeakableLimits::PunctuationRun) {
                m_result.shortened = true;
                return true;
            }
            if (c == U'.' && m_lettersInRow == 1) {
                // Each initial is said as a word: a long chain is said as far as the limit.
                if (++m_initials > SpeakableLimits::Initials)
                    return false;
                // An initial is said by its name ("W." is "double-u").
                m_extraCost = InitialCost;
            } else if (c != U'.') {
                m_initials = 0;
            }
            m_lettersInRow = 0;
        } else {
            m_punctuationRun = 0;
            if (QChar::isLetter(c)) {
                ++m_lettersInRow;
                if (m_lettersInRow > 1)
                    m_initials = 0;
            } else {
                m_lettersInRow = 0;
                m_initials = 0;
            }
        }
        ++m_wordLength;
        return appendRaw(c);
    }

    SpeakableText finish(bool textLeftOver)
    {
        if (textLeftOver) {
            m_result.shortened = true;
            // The text ended inside a word: leave the partial word out.
            const qsizetype space = m_result.text.lastIndexOf(u' ');
            if (m_wordLength > 0 && space > 0)
                m_result.text.truncate(space);
        }
        return std::move(m_result);
    }

private:
    void endWord()
    {
        if (m_length > 0)
            m_pendingSpace = true;
        m_wordLength = 0;
        m_punctuationRun = 0;
        m_lettersInRow = 0;
    }

    bool appendRaw(char32_t c)
    {
        const int cost = speakingCost(c) + std::exchange(m_extraCost, 0);
        if (m_cost + cost > SpeakableLimits::Text)
            return false;
        m_cost += cost;
        ++m_length;
        if (QChar::requiresSurrogates(c)) {
            m_result.text.append(QChar(QChar::highSurrogate(c)));
            m_result.text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            m_result.text.append(QChar(static_cast<char16_t>(c)));
        }
        return true;
    }

    SpeakableText m_result;
    int m_length = 0; // code points in the result
    int m_cost = 0;   // what they take to say, in plain letters
    int m_extraCost = 0;
    int m_wordLength = 0;
    int m_punctuationRun = 0;
    int m_lettersInRow = 0;
    int m_initials = 0;
    bool m_pendingSpace = false;
};

} // namespace

SpeakableText speakableText(QStringView text)
{
    SpeakableBuilder builder;
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        char32_t c = text[i].unicode();
        qsizetype next = i + 1;
        if (QChar::isHighSurrogate(c) && next < size && text[next].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[next]);
            ++next;
        } else if (QChar::isSurrogate(c)) {
            c = U' '; // a lone half of a pair is no character at all
        }
        if (!builder.add(c)) {
            // Full: only spaces may remain for the text to count as whole.
            for (qsizetype rest = i; rest < size; ++rest) {
                if (!isSpaceLike(text[rest].unicode()))
                    return builder.finish(true);
            }
            break;
        }
        i = next;
    }
    return builder.finish(false);
}

} // namespace lexamo
