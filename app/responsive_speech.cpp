#include "responsive_speech.h"

#include "app/application.h"

#include <QCoreApplication>

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
        // Everything the window system sends is taken in: paints, pings, a close. A click or a
        // key asks for its handler, which the application runs after the one that speaks.
        // (Leaving input in the queue instead would hold back the close too: Qt counts the
        // window manager's close request as input.)
        QCoreApplication::processEvents();
        if (m_application.stopRequested()) {
            utterance.cancel();
            return false;
        }
    }
    return !m_application.stopRequested();
}

} // namespace lexamo
