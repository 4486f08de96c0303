#include "responsive_speech.h"

#include "app/application.h"

#include <QCoreApplication>

namespace lexamo {

namespace {

// How long the window goes without looking at its events while an utterance plays.
constexpr std::chrono::milliseconds PollInterval(10);

// While it lasts, a click or a key asks for its handler, which runs after the speech.
class SpeechWait
{
public:
    explicit SpeechWait(Application& application) : m_application(application)
    {
        m_application.beginSpeechWait();
    }
    ~SpeechWait() { m_application.endSpeechWait(); }
    SpeechWait(const SpeechWait&) = delete;
    SpeechWait& operator=(const SpeechWait&) = delete;

private:
    Application& m_application;
};

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
    if (m_application.stopRequested() || !showBeforeSpeaking())
        return;
    const std::unique_ptr<Utterance> utterance = m_engine->startSpeaking(text);
    const struct Restore
    {
        Utterance*& current;
        Utterance* outer;
        ~Restore() { current = outer; }
    } restore{m_current, std::exchange(m_current, utterance.get())};
    waitWhileResponsive(*utterance);
}

bool ResponsiveSpeech::showBeforeSpeaking()
{
    // Showing the frame may mean waiting for the compositor (Wayland), and audio made ahead of
    // time is heard within milliseconds of its start: what comes meanwhile waits as during speech.
    const SpeechWait wait(m_application);
    m_paint();
    return !m_application.stopRequested();
}

bool ResponsiveSpeech::waitWhileResponsive(Utterance& utterance)
{
    const SpeechWait wait(m_application);
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
