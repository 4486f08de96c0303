#include "file_checks.h"

#include "courses/course_rules.h"
#include "courses/text_decoding.h"
#include "speech/text/speakable_text.h"

#include <QCoreApplication>
#include <QStringDecoder>

#include <algorithm>
#include <array>

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

QString text(const char* english)
{
    return QCoreApplication::translate("lexamo-check", english);
}

QString counted(qsizetype count, const char* singular, const char* plural)
{
    return text(count == 1 ? singular : plural).arg(count);
}

void add(Findings& findings, Severity severity, const QString& file, qsizetype line,
         const QString& message)
{
    findings.push_back({severity, file, line, message});
}

enum class Kind
{
    TooManyWords,
    EmptyLine,
    LeadingSpace,
    DoubleSpace,
    TrailingSpace,
    Tab,
    FullWidthSpace,
    SpokenShortened,
    Count
};

// Keeps the first findings of each kind for one file and counts the others.
class CappedFindings
{
public:
    CappedFindings(Findings& findings, const QString& file) : m_findings(findings), m_file(file) {}

    void add(Kind kind, Severity severity, qsizetype line, const QString& message)
    {
        Tally& tally = m_tallies[static_cast<std::size_t>(kind)];
        if (tally.seen++ < kShownFindingsPerKind)
            lexamo::check::add(m_findings, severity, m_file, line, message);
        else
            tally.severity = severity;
    }

    // One line for each kind that had more findings than were shown.
    void finish(const std::array<QString, std::size_t(Kind::Count)>& descriptions)
    {
        for (std::size_t kind = 0; kind < m_tallies.size(); ++kind) {
            const Tally& tally = m_tallies[kind];
            if (tally.seen > kShownFindingsPerKind)
                lexamo::check::add(m_findings, tally.severity, m_file, 0,
                                   QCoreApplication::translate(
                                       "lexamo-check", "\u2026 and %1 more of this kind: %2")
                                       .arg(tally.seen - kShownFindingsPerKind)
                                       .arg(descriptions[kind]));
        }
    }

private:
    struct Tally
    {
        qsizetype seen = 0;
        Severity severity = Severity::Warning;
    };
    Findings& m_findings;
    QString m_file;
    std::array<Tally, std::size_t(Kind::Count)> m_tallies{};
};

// Made when needed rather than once at start-up, which would come before the translator.
const char* const kEmptyLine =
    QT_TRANSLATE_NOOP("lexamo-check", "empty line: it becomes a question with one empty word");
const char* const kLeadingSpace =
    QT_TRANSLATE_NOOP("lexamo-check", "empty word from a space at the start of the sentence");
const char* const kDoubleSpace =
    QT_TRANSLATE_NOOP("lexamo-check", "empty word from two spaces in a row");
const char* const kTrailingSpace =
    QT_TRANSLATE_NOOP("lexamo-check", "empty word from a space at the end of the sentence");
const char* const kTab =
    QT_TRANSLATE_NOOP("lexamo-check", "tab inside the sentence: it stays part of a word");
const char* const kFullWidthSpace = QT_TRANSLATE_NOOP(
    "lexamo-check", "full-width space inside the sentence: it stays part of a word");
const char* const kSpokenShortened = QT_TRANSLATE_NOOP(
    "lexamo-check", "the sentence is spoken shortened: a word, a run of punctuation, numbers or "
                    "initials, or the sentence is too long to speak whole");

void checkEmptyWords(QStringView sentence, qsizetype line, CappedFindings& findings)
{
    if (sentence.isEmpty()) {
        findings.add(Kind::EmptyLine, Severity::Warning, line, text(kEmptyLine));
        return;
    }
    if (sentence.startsWith(WordSeparator))
        findings.add(Kind::LeadingSpace, Severity::Warning, line, text(kLeadingSpace));
    if (sentence.contains(QStringLiteral("  ")))
        findings.add(Kind::DoubleSpace, Severity::Warning, line, text(kDoubleSpace));
    if (sentence.endsWith(WordSeparator) && sentence.size() > 1)
        findings.add(Kind::TrailingSpace, Severity::Warning, line, text(kTrailingSpace));
}

} // namespace

void checkEncoding(QByteArrayView bytes, const QString& file, Findings& findings)
{
    if (chooseEncoding(bytes).encoding != TextEncoding::CodePage932)
        return;
    if (isAscii(bytes) || !isValidUtf8(bytes))
        return;
    add(findings, Severity::Warning, file, 0,
        QCoreApplication::translate(
            "lexamo-check",
            "UTF-8 without a byte-order mark: Lexamo reads it as CP932 (Shift_JIS) and "
            "misreads every non-ASCII character; save it as UTF-8 with BOM"));
}

void checkSentences(const StringList& sentences, const QString& file, Findings& findings)
{
    if (sentences.Count() == 0) {
        add(findings, Severity::Error, file, 0,
            QCoreApplication::translate("lexamo-check", "no sentences: the file is empty"));
        return;
    }
    CappedFindings capped(findings, file);
    for (qsizetype index = 0; index < sentences.Count(); ++index) {
        const QStringView sentence = sentences.view(index);
        const qsizetype line = index + 1;
        const qsizetype words = wordCount(sentence);
        if (words > kMaxWordsPerSentence)
            capped.add(
                Kind::TooManyWords, Severity::Error, line,
                QCoreApplication::translate("lexamo-check", "sentence has %1 words (at most %2)")
                    .arg(words)
                    .arg(kMaxWordsPerSentence));
        checkEmptyWords(sentence, line, capped);
        if (sentence.contains(u'\t'))
            capped.add(Kind::Tab, Severity::Warning, line, text(kTab));
        if (sentence.contains(u'\u3000'))
            capped.add(Kind::FullWidthSpace, Severity::Warning, line, text(kFullWidthSpace));
        // The screen and the judging keep the whole sentence; only what is heard is cut.
        const SpeakableText spoken = speakableText(sentence);
        if (spoken.shortened)
            capped.add(Kind::SpokenShortened, Severity::Warning, line,
                       QCoreApplication::translate("lexamo-check", "%1; the learner hears \"%2\"")
                           .arg(text(kSpokenShortened), spoken.text));
    }
    capped.finish({QCoreApplication::translate("lexamo-check", "sentence has more than %1 words")
                       .arg(kMaxWordsPerSentence),
                   text(kEmptyLine), text(kLeadingSpace), text(kDoubleSpace), text(kTrailingSpace),
                   text(kTab), text(kFullWidthSpace), text(kSpokenShortened)});
}

void checkLineCounts(qsizetype sentences, qsizetype japaneseLines, const QString& englishFile,
                     const QString& japaneseFile, Findings& findings)
{
    const QString lines = counted(japaneseLines, QT_TRANSLATE_NOOP("lexamo-check", "%1 line"),
                                  QT_TRANSLATE_NOOP("lexamo-check", "%1 lines"));
    const QString english = counted(sentences, QT_TRANSLATE_NOOP("lexamo-check", "%1 sentence"),
                                    QT_TRANSLATE_NOOP("lexamo-check", "%1 sentences"));
    if (japaneseLines < sentences) {
        const QString missing =
            japaneseLines + 1 == sentences
                ? QCoreApplication::translate("lexamo-check", "question %1 has no Japanese")
                      .arg(sentences)
                : QCoreApplication::translate("lexamo-check", "questions %1 to %2 have no Japanese")
                      .arg(japaneseLines + 1)
                      .arg(sentences);
        add(findings, Severity::Error, japaneseFile, 0,
            QCoreApplication::translate("lexamo-check", "%1, fewer than the %2 of %3: %4")
                .arg(lines, english, englishFile, missing));
    } else if (japaneseLines > sentences) {
        add(findings, Severity::Warning, japaneseFile, 0,
            QCoreApplication::translate(
                "lexamo-check", "%1, more than the %2 of %3: the extra lines are never shown")
                .arg(lines, english, englishFile));
    }
}

} // namespace lexamo::check
