#pragma once

#include <QString>

#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace lexamo {

class MessageBoxes;

/// The program's look: one style and a font that has the Japanese glyphs, sized in pixels so that
/// the screen's dots per inch do not change the layout.
void configureLook();

/// Names the program to the desktop: its windows belong to the menu entry and carry its icon.
void identifyProgram();

/// Shows nothing yet: sizes the window to the screen and marks it maximized.
void fillScreen(QWidget& window);

/// The program-wide part of the shell: the stop request, modal windows that respect it, and the
/// default report of an error that escapes a handler.
class Application
{
public:
    explicit Application(MessageBoxes& boxes) : m_boxes(boxes) {}

    /// Asks the program to stop. The caller runs on; every event loop running now ends at its
    /// next turn, and a loop started later ends at its first turn. A second request changes
    /// nothing.
    void Terminate();
    bool stopRequested() const { return m_stopRequested; }
    /// Set once the main loop has ended because of a stop.
    bool Terminated() const { return m_terminated; }

    /// Shows the window modally and returns when its modal state ends. After a stop request it
    /// handles the waiting events and returns at once with no result, leaving the window as is.
    int showModal(QDialog& dialog);

    /// Runs the main event loop until a stop request.
    void runMainLoop();

    /// Runs one handler; an error that escapes it is shown in the error box, and the program
    /// goes on with whatever state the handler had reached.
    void guard(QWidget* owner, const std::function<void()>& handler);
    /// True while a handler runs: an event handled now comes from a loop nested inside it
    /// (speech, a modal window or a box).
    bool handlerRunning() const { return m_handlerDepth > 0 || m_speechWaits > 0; }
    /// Runs `action` once no handler is running any more: at once when none runs now.
    void whenHandlersReturn(std::function<void()> action);
    /// Marks a wait for speech inside a handler: a handler asked for meanwhile (by a timer or a
    /// posted event) runs after the one that speaks has returned, never inside it.
    void beginSpeechWait() { ++m_speechWaits; }
    void endSpeechWait() { --m_speechWaits; }

    MessageBoxes& boxes() { return m_boxes; }

private:
    void reportError(QWidget* owner, const QString& message);

    MessageBoxes& m_boxes;
    bool m_stopRequested = false;
    bool m_terminated = false;
    int m_handlerDepth = 0;
    int m_speechWaits = 0;
    std::vector<std::function<void()>> m_afterHandlers;
};

} // namespace lexamo
