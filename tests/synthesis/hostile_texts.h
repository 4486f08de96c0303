#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lexamo::test {

inline QString digitWords(int words, int digits)
{
    QStringList list;
    for (int w = 0; w < words; ++w) {
        QString word;
        for (int d = 0; d < digits; ++d)
            word += QChar(u'1' + (w + d) % 9);
        list << word;
    }
    return list.join(u' ');
}

// Texts a careless or hostile teacher could put in a course; each once crashed a synthesizer,
// ran for minutes or took gigabytes before the texts were bounded.
inline std::vector<QString> hostileTexts()
{
    return {
        QStringLiteral("Well") + QString(400, u'.'),
        QStringLiteral("Hello") + QString(5000, u'!'),
        QStringLiteral("Hi") + QStringLiteral("!?,)\"").repeated(100),
        QString(1000, u'a'),
        QStringLiteral("a.").repeated(3000),
        QStringLiteral("b.b. ").repeated(60),
        QStringLiteral("w.w.w.w.w.w.w.w. ").repeated(30),
        digitWords(24, 20),
        digitWords(24, 2000),
        QStringLiteral("😀🎉").repeated(2000) + QStringLiteral(" hello"),
        QString(1000, u'.'),
        QStringLiteral("word ").repeated(2000),
        QStringLiteral("日本語とEnglishとРусскийと한국어 ").repeated(30),
        QString(32 * 1024 * 1024, u'x'),
    };
}

} // namespace lexamo::test
