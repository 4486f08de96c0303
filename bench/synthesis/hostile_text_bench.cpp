// For every hostile course text: how long each voice synthesizes it, how much audio it makes and
// how much memory the synthesis takes beyond what the process held before, at the normal and the
// slowest speed. The goals: at most 2 s of synthesis, 64 MB of extra memory and 2 minutes of
// audio for any text.

#include "speech/synthesis/embedded_speech_engine.h"
#include "tests/synthesis/discarding_sink.h"
#include "tests/synthesis/hostile_texts.h"

#include <QFile>

#include <chrono>
#include <cstdio>

using namespace lexamo;

namespace {

long statusKilobytes(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Lets the peak resident size (VmHWM) start again from the current size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace

// An argument limits the run to the voices whose id contains it.
int main(int argc, char** argv)
{
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    test::DiscardingSink sink;
    EmbeddedSpeechEngine engine(sink);
    const VoiceCollection voices = engine.GetVoices();
    const std::vector<QString> texts = test::hostileTexts();

    double worstSeconds = 0, worstAudio = 0;
    long worstMemory = 0;
    std::printf("%-22s %5s %-28s %9s %9s %8s\n", "voice", "speed", "text", "synth ms", "audio s",
                "extra MB");
    for (int v = 0; v < voices.Count(); ++v) {
        if (!voices.Item(v).id().contains(only))
            continue;
        engine.Voice(voices.Item(v));
        for (const float rate : {0.0f, -10.0f}) {
            engine.Rate(rate);
            for (const QString& text : texts) {
                resetPeak();
                const long before = statusKilobytes("VmRSS:");
                const auto start = std::chrono::steady_clock::now();
                const PcmBuffer speech = engine.synthesize(text);
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                const long extra = statusKilobytes("VmHWM:") - before;
                QString label = text.left(24);
                label.replace(u'\n', u' ');
                std::printf("%-22s %5.0f %-28s %9.0f %9.1f %8.1f\n",
                            qPrintable(voices.Item(v).id()), double(rate), qPrintable(label),
                            seconds * 1000, speech.seconds(), double(extra) / 1024);
                worstSeconds = std::max(worstSeconds, seconds);
                worstAudio = std::max(worstAudio, speech.seconds());
                worstMemory = std::max(worstMemory, extra);
            }
        }
    }
    std::printf("\nworst: synthesis %.2f s (goal 2 s), audio %.1f s (goal 120 s), extra memory "
                "%.1f MB (goal 64 MB)\n",
                worstSeconds, worstAudio, double(worstMemory) / 1024);
    return 0;
}
