#include "file_checks.h"

#include "courses/course_loader.h"
#include "courses/text_decoding.h"
#include "drill/word_rule.h"

#include <QStringDecoder>

#include <algorithm>

namespace lexamo::check {

namespace {

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString counted(qsizetype count, const char* singular, const char* plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(
        QLatin1StringView(count == 1 ? singular : plural));
}

void add(Findings& findings, Severity severity, const QString& file, qsizetype line,
         const QString& message)
{
    findings.push_back({severity, file, line, message});
}

void checkEmptyWords(const QString& sentence, const QString& file, qsizetype line,
                     Findings& findings)
{
    if (sentence.isEmpty()) {
        add(findings, Severity::Warning, file, line,
            QStringLiteral("empty line: it becomes a question with one empty word"));
        return;
    }
    if (sentence.startsWith(u' '))
        add(findings, Severity::Warning, file, line,
            QStringLiteral("empty word from a space at the start of the sentence"));
    if (sentence.contains(QStringLiteral("  ")))
        add(findings, Severity::Warning, file, line,
            QStringLiteral("empty word from two spaces in a row"));
    if (sentence.endsWith(u' ') && sentence.size() > 1)
        add(findings, Severity::Warning, file, line,
            QStringLiteral("empty word from a space at the end of the sentence"));
}

} // namespace

void checkEncoding(QByteArrayView bytes, const QString& file, Findings& findings)
{
    if (chooseEncoding(bytes).encoding != TextEncoding::CodePage932)
        return;
    if (isAscii(bytes) || !isValidUtf8(bytes))
        return;
    add(findings, Severity::Warning, file, 0,
        QStringLiteral("UTF-8 without a byte-order mark: Lexamo reads it as CP932 (Shift_JIS) "
                       "and misreads every non-ASCII character; save it as UTF-8 with BOM"));
}

void checkSentences(const QStringList& sentences, const QString& file, Findings& findings)
{
    if (sentences.isEmpty()) {
        add(findings, Severity::Error, file, 0, QStringLiteral("no sentences: the file is empty"));
        return;
    }
    for (qsizetype index = 0; index < sentences.size(); ++index) {
        const QString& sentence = sentences[index];
        const qsizetype line = index + 1;
        const qsizetype words = splitWords(sentence).size();
        if (words > kMaxWordsPerSentence)
            add(findings, Severity::Error, file, line,
                QStringLiteral("sentence has %1 words (at most %2)")
                    .arg(words)
                    .arg(kMaxWordsPerSentence));
        checkEmptyWords(sentence, file, line, findings);
        if (sentence.contains(u'\t'))
            add(findings, Severity::Warning, file, line,
                QStringLiteral("tab inside the sentence: it stays part of a word"));
        if (sentence.contains(u'\u3000'))
            add(findings, Severity::Warning, file, line,
                QStringLiteral("full-width space inside the sentence: it stays part of a word"));
    }
}

void checkLineCounts(qsizetype sentences, qsizetype japaneseLines, const QString& englishFile,
                     const QString& japaneseFile, Findings& findings)
{
    const QString counts =
        QStringLiteral("%1, %2 than the %3 of %4")
            .arg(counted(japaneseLines, "line", "lines"),
                 japaneseLines < sentences ? QStringLiteral("fewer") : QStringLiteral("more"),
                 counted(sentences, "sentence", "sentences"), englishFile);
    if (japaneseLines < sentences) {
        const QString missing =
            japaneseLines + 1 == sentences
                ? QStringLiteral("question %1 has").arg(sentences)
                : QStringLiteral("questions %1 to %2 have").arg(japaneseLines + 1).arg(sentences);
        add(findings, Severity::Error, japaneseFile, 0,
            QStringLiteral("%1: %2 no Japanese").arg(counts, missing));
    } else if (japaneseLines > sentences) {
        add(findings, Severity::Warning, japaneseFile, 0,
            QStringLiteral("%1: the extra lines are never shown").arg(counts));
    }
}

} // namespace lexamo::check
