#include "application.h"

#include "app/message_boxes.h"
#include "courses/error.h"

#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QScreen>

#include <cstdio>

namespace lexamo {

void configureLook()
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    QApplication::setFont(font);
}

void identifyProgram()
{
    // The menu entry's name becomes the Wayland app id; on X11 the class stays the executable's
    // name, which the entry gives as StartupWMClass.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lexamo.Lexamo"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/lexamo-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

void fillScreen(QWidget& window)
{
    // Without a window manager a maximize request is ignored, so take the screen's free area
    // first; with one, the window is maximized as usual. A Wayland compositor always maximizes,
    // while Qt there takes the whole output, panels included, for free: the restored size stays
    // the window's own and the compositor places it.
    QScreen* screen = window.screen();
    if (screen && !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        window.setGeometry(screen->availableGeometry());
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void Application::Terminate()
{
    if (m_stopRequested)
        return;
    m_stopRequested = true;
    // Ends every loop that runs now, nested modal loops included; loops started later check
    // the flag themselves.
    QCoreApplication::exit(0);
}

int Application::showModal(QDialog& dialog)
{
    if (m_stopRequested) {
        QCoreApplication::processEvents();
        return 0;
    }
    fillScreen(dialog);
    return dialog.exec();
}

void Application::runMainLoop()
{
    if (!m_stopRequested)
        QApplication::exec();
    else
        QCoreApplication::processEvents();
    m_terminated = true;
}

void Application::guard(QWidget* owner, const std::function<void()>& handler)
{
    if (m_speechWaits > 0) {
        m_afterHandlers.push_back([this, owner, handler] { guard(owner, handler); });
        return;
    }
    ++m_handlerDepth;
    try {
        handler();
    } catch (const Error& error) {
        reportError(owner, error.message());
    } catch (const std::exception& error) {
        reportError(owner, QString::fromUtf8(error.what()));
    }
    if (--m_handlerDepth == 0) {
        // In the order they were asked for; an action may ask for more.
        while (!m_afterHandlers.empty() && m_handlerDepth == 0) {
            const std::function<void()> action = m_afterHandlers.front();
            m_afterHandlers.erase(m_afterHandlers.begin());
            action();
        }
    }
}

void Application::reportError(QWidget* owner, const QString& message)
{
    // Once the program is stopping nobody is left to read a box.
    if (m_stopRequested)
        std::fprintf(stderr, "lexamo: %s\n", message.toLocal8Bit().constData());
    else
        m_boxes.showError(owner, message);
}

void Application::whenHandlersReturn(std::function<void()> action)
{
    if (m_handlerDepth == 0)
        action();
    else
        m_afterHandlers.push_back(std::move(action));
}

} // namespace lexamo
