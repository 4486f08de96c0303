#include "responsive_speech.h"

#include "app/application.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace lexamo {

namespace {

// How long the window goes without looking at its events while an utterance plays.
constexpr std::chrono::milliseconds PollInterval(10);

} // namespace

ResponsiveSpeech::ResponsiveSpeech(std::unique_ptr<SpeechEngine> engine,
                                   std::function<void()> paint, Application& application)
    : m_engine(std::move(engine)), m_paint(std::move(paint)), m_application(application)
{
}

void ResponsiveSpeech::Speak(const QString& text, int)
{
    // Something handled during a wait asked to speak too: it speaks after the utterance that
    // is playing, never over it.
    if (m_current && !waitWhileResponsive(*m_current))
        return;
    if (m_application.stopRequested())
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
    m_application.beginSpeechWait();
    const struct EndWait
    {
        Application& application;
        ~EndWait() { application.endSpeechWait(); }
    } endWait{m_application};
    while (!utterance.waitFor(PollInterval)) {
        // Paints, window-system requests (a close among them) and timers run; clicks and keys
        // wait in the queue until the speech is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (m_application.stopRequested()) {
            utterance.cancel();
            return false;
        }
    }
    return !m_application.stopRequested();
}

} // namespace lexamo
