// How intelligible is each voice? Every voice speaks the sample courses' English sentences, the
// pocketsphinx recogniser (US English model) transcribes the audio, and the word error rate of
// each voice is printed as a table. The recogniser is trained on US speech, so it favours the
// US voices; the figures compare voices, they do not grade them absolutely.
//
// Usage: lexamo_speech_quality_bench [max sentences, default 60]
// Needs the command-line tools pocketsphinx_batch (Debian pocketsphinx, pocketsphinx-en-us) and
// sox (resampling to the recogniser's 16 kHz).

#include "courses/line_file.h"
#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/discarding_sink.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using lexamo::PcmBuffer;

const char* const kModelDir = "/usr/share/pocketsphinx/model/en-us";

// Used when no sample course is found.
const QStringList kEverydaySentences = {
    QStringLiteral("Good morning, how are you today?"),
    QStringLiteral("I would like a cup of coffee, please."),
    QStringLiteral("Where is the nearest train station?"),
    QStringLiteral("My brother plays tennis every Sunday."),
    QStringLiteral("Could you tell me the way to the library?"),
    QStringLiteral("We are going to visit our grandmother next week."),
    QStringLiteral("It is raining, so take an umbrella with you."),
    QStringLiteral("She has lived in this town for ten years."),
    QStringLiteral("What time does the meeting start?"),
    QStringLiteral("I forgot my keys at home this morning."),
    QStringLiteral("The children are playing in the park."),
    QStringLiteral("Please turn off the lights when you leave."),
    QStringLiteral("He reads the newspaper after dinner."),
    QStringLiteral("How much does this shirt cost?"),
    QStringLiteral("Thank you very much for your help."),
};

QStringList sampleSentences(int limit)
{
    QStringList sentences;
    const QDir examples(QStringLiteral(LEXAMO_SOURCE_DIR "/examples"));
    QStringList files;
    QDirIterator it(examples.path(), {QStringLiteral("*E.txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    // The course files' own reader: they may be UTF-8, UTF-16 or code page 932.
    for (const QString& path : files) {
        for (const QString& line : lexamo::readLineFile(path)) {
            if (!line.trimmed().isEmpty() && sentences.size() < limit)
                sentences << line.trimmed();
        }
    }
    return sentences.isEmpty() ? kEverydaySentences.mid(0, limit) : sentences;
}

QStringList normalisedWords(const QString& text)
{
    QString lower = text.toLower();
    lower.replace(QRegularExpression(QStringLiteral("[^a-z0-9' ]")), QStringLiteral(" "));
    return lower.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Substitutions + deletions + insertions that turn the reference into the hypothesis.
int wordErrors(const QStringList& reference, const QStringList& hypothesis)
{
    std::vector<int> previous(static_cast<std::size_t>(hypothesis.size()) + 1);
    std::vector<int> current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= reference.size(); ++i) {
        current[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= hypothesis.size(); ++j) {
            const auto uj = static_cast<std::size_t>(j);
            const int substitution =
                previous[uj - 1] + (reference[i - 1] == hypothesis[j - 1] ? 0 : 1);
            current[uj] = std::min({substitution, previous[uj] + 1, current[uj - 1] + 1});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

bool writeWav(const QString& path, const PcmBuffer& pcm)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto dataBytes = static_cast<quint32>(pcm.samples.size() * sizeof(std::int16_t));
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(pcm.sampleRate)
        << quint32(pcm.sampleRate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    file.write(header);
    file.write(reinterpret_cast<const char*>(pcm.samples.data()), dataBytes);
    return true;
}

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().right(2000).constData());
        return false;
    }
    return true;
}

struct VoiceScore
{
    QString id;
    QString description;
    int words = 0;
    int errors = 0;
    double synthesisSeconds = 0.0;
    double audioSeconds = 0.0;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int limit = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 60;
    const QStringList sentences = sampleSentences(limit > 0 ? limit : 60);

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    lexamo::test::DiscardingSink sink;
    lexamo::EmbeddedSpeechEngine engine(sink);
    const lexamo::VoiceCollection voices = engine.GetVoices();
    std::vector<VoiceScore> scores;
    std::map<QString, QStringList> references; // utterance id -> reference words
    QStringList control;

    for (int v = 0; v < voices.Count(); ++v) {
        engine.Voice(voices.Item(v));
        VoiceScore score{voices.Item(v).id(), voices.Item(v).GetDescription()};
        for (qsizetype s = 0; s < sentences.size(); ++s) {
            const QString utterance = QStringLiteral("v%1_s%2").arg(v).arg(s);
            QElapsedTimer timer;
            timer.start();
            const PcmBuffer pcm = engine.synthesize(sentences[s]);
            score.synthesisSeconds += timer.nsecsElapsed() / 1e9;
            score.audioSeconds += pcm.seconds();
            const QString raw = dir.filePath(utterance + QStringLiteral("_raw.wav"));
            if (!writeWav(raw, pcm) ||
                !run(QStringLiteral("sox"), {raw, QStringLiteral("-r"), QStringLiteral("16000"),
                                             dir.filePath(utterance + QStringLiteral(".wav"))}))
                return 1;
            references[utterance] = normalisedWords(sentences[s]);
            control << utterance;
        }
        scores.push_back(score);
    }

    const QString controlPath = dir.filePath(QStringLiteral("utterances.ctl"));
    const QString hypothesisPath = dir.filePath(QStringLiteral("hypotheses.txt"));
    {
        QFile file(controlPath);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(control.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    const QString model = QString::fromLatin1(kModelDir);
    QElapsedTimer recognition;
    recognition.start();
    if (!run(QStringLiteral("pocketsphinx_batch"),
             {QStringLiteral("-adcin"),  QStringLiteral("yes"),
              QStringLiteral("-adchdr"), QStringLiteral("44"),
              QStringLiteral("-cepdir"), dir.path(),
              QStringLiteral("-cepext"), QStringLiteral(".wav"),
              QStringLiteral("-ctl"),    controlPath,
              QStringLiteral("-hyp"),    hypothesisPath,
              QStringLiteral("-hmm"),    model + QStringLiteral("/en-us"),
              QStringLiteral("-lm"),     model + QStringLiteral("/en-us.lm.bin"),
              QStringLiteral("-dict"),   model + QStringLiteral("/cmudict-en-us.dict"),
              QStringLiteral("-logfn"),  dir.filePath(QStringLiteral("pocketsphinx.log"))}))
        return 1;
    const double recognitionSeconds = recognition.nsecsElapsed() / 1e9;

    // Each line: "words of the hypothesis (utterance score)".
    QFile hypotheses(hypothesisPath);
    if (!hypotheses.open(QIODevice::ReadOnly))
        return 1;
    std::map<QString, QStringList> recognised;
    const QRegularExpression line(QStringLiteral("^(.*)\\((\\S+)\\s+-?\\d+\\)\\s*$"));
    for (const QString& text : QString::fromUtf8(hypotheses.readAll()).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            recognised[match.captured(2)] = normalisedWords(match.captured(1));
    }
    for (std::size_t v = 0; v < scores.size(); ++v) {
        for (qsizetype s = 0; s < sentences.size(); ++s) {
            const QString utterance = QStringLiteral("v%1_s%2").arg(v).arg(s);
            const QStringList& reference = references[utterance];
            scores[v].words += static_cast<int>(reference.size());
            scores[v].errors += wordErrors(reference, recognised[utterance]);
        }
    }

    std::printf("%lld sentences per voice, recognised in %.1f s\n",
                static_cast<long long>(sentences.size()), recognitionSeconds);
    std::printf("%-22s %-50s %6s %6s %7s %9s\n", "voice", "description", "words", "errors", "WER %",
                "RTF");
    for (const VoiceScore& score : scores) {
        std::printf("%-22s %-50s %6d %6d %7.1f %9.3f\n", qPrintable(score.id),
                    qPrintable(score.description), score.words, score.errors,
                    100.0 * score.errors / std::max(1, score.words),
                    score.synthesisSeconds / std::max(1e-9, score.audioSeconds));
    }
    // One transcript per voice shows what kind of errors the numbers count.
    std::printf("\nFirst sentence: \"%s\"\n", qPrintable(sentences.value(0)));
    for (std::size_t v = 0; v < scores.size(); ++v) {
        std::printf("%-22s heard \"%s\"\n", qPrintable(scores[v].id),
                    qPrintable(recognised[QStringLiteral("v%1_s0").arg(v)].join(QLatin1Char(' '))));
    }
    return 0;
}
