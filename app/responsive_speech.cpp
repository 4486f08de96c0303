#include "responsive_speech.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace lexamo {

namespace {

// How long the window goes without looking at its events while an utterance plays.
constexpr std::chrono::milliseconds PollInterval(10);

} // namespace

ResponsiveSpeech::ResponsiveSpeech(std::unique_ptr<SpeechEngine> engine,
                                   std::function<void()> paint, std::function<bool()> interrupted)
    : m_engine(std::move(engine)), m_paint(std::move(paint)), m_interrupted(std::move(interrupted))
{
}

void ResponsiveSpeech::Speak(const QString& text, int)
{
    // Something handled during a wait asked to speak too: it speaks after the utterance that
    // is playing, never over it.
    if (m_current && !waitWhileResponsive(*m_current))
        return;
    if (m_interrupted())
        return;
    m_paint();
    const std::unique_ptr<Utterance> utterance = m_engine->startSpeaking(text);
    const struct Restore
    {
        Utterance*& current;
        Utterance* outer;
        ~Restore() { current = outer; }
    } restore{m_current, std::exchange(m_current, utterance.get())};
    waitWhileResponsive(*utterance);
}

bool ResponsiveSpeech::waitWhileResponsive(Utterance& utterance)
{
    while (!utterance.waitFor(PollInterval)) {
        // Paints, window-system requests (a close among them) and timers run; clicks and keys
        // wait in the queue until the speech is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_interrupted()) {
            utterance.cancel();
            return false;
        }
    }
    return !m_interrupted();
}

} // namespace lexamo
