#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/message_boxes.h"
#include "app/real_platform.h"
#include "app/stop_signals.h"
#include "app/warm_up.h"
#include "courses/error.h"

#include <QApplication>

#include <cstdio>
#include <exception>
#include <thread>

using namespace lexamo;

namespace {

int run(QtMessageBoxes& boxes, std::jthread& warmUp)
{
    // The audio output and the synthesizers come first and go last: the speech engine object
    // relies on them for its whole life.
    // Caught from the start; handled once the window exists and events are dispatched.
    StopSignals stopSignals;
    RealPlatform platform;
    Application application(boxes);

    auto form1 = std::make_unique<TForm1>(platform.servicesFor(application));
    warmUp.join();
    auto form2 = std::make_unique<TForm2>(application, *form1);
    form1->setForm2(form2.get());
    QObject::connect(&stopSignals, &StopSignals::received, form1.get(), &TForm1::requestClose);

    fillScreen(*form1);
    form1->show();
    QCoreApplication::processEvents();
    form1->FormShow();
    application.runMainLoop();

    // The newest window goes first; destroying the main window releases the speech engine.
    form2.reset();
    form1.reset();
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    std::jthread warmUp = startWarmUp();
    QApplication qapp(argc, argv);
    configureLook();
    identifyProgram();
    QApplication::setQuitOnLastWindowClosed(false);

    QtMessageBoxes boxes;
    try {
        return run(boxes, warmUp);
    } catch (const Error& error) {
        std::fprintf(stderr, "lexamo: %s\n", error.message().toLocal8Bit().constData());
        boxes.showError(nullptr, error.message());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lexamo: %s\n", error.what());
        boxes.showError(nullptr, QString::fromUtf8(error.what()));
    }
    return 1;
}
