// Time from process start to the first frame of the main window, against a bare Qt window built
// the same way (same executable, same style and font, shown the same way), in one run. Run it under
// Xvfb (or any display); it starts itself as a child for each sample so every sample is a fresh
// process.
//
//   bench_startup [samples]        prints the medians and the ratio
//   bench_startup --child bare|full  (internal) shows one window, prints the first-frame time

#include "app/application.h"
#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/real_platform.h"
#include "app/scaled_view.h"
#include "app/warm_up.h"

#include <QApplication>
#include <QProcess>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

using namespace lexamo;

namespace {

long long monotonicMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// Reports the first paint of the watched widget and ends the process.
class FirstFrame : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Let the paint finish before reading the clock.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::printf("%lld\n", monotonicMicroseconds());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

int child(int argc, char** argv, bool full)
{
    // As the program does: fonts and voices load while the toolkit starts.
    std::jthread warmUp;
    if (full)
        warmUp = startWarmUp();
    QApplication qapp(argc, argv);
    configureLook();
    FirstFrame watcher;
    if (!full) {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Form1"));
        window.installEventFilter(&watcher);
        fillScreen(window);
        window.show();
        return QApplication::exec();
    }
    RealPlatform platform;
    QtMessageBoxes boxes;
    Application application(boxes);
    TForm1 form(platform.servicesFor(application));
    form.scaledView()->viewport()->installEventFilter(&watcher);
    fillScreen(form);
    form.show();
    return QApplication::exec();
}

double sampleMilliseconds(const QString& self, const QString& kind)
{
    QProcess process;
    const long long started = monotonicMicroseconds();
    process.start(self, {QStringLiteral("--child"), kind});
    process.waitForFinished(60000);
    const long long frame = process.readAllStandardOutput().trimmed().toLongLong();
    return (frame - started) / 1000.0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return child(argc, argv, std::string(argv[2]) == "full");

    const int samples = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 9;
    QCoreApplication core(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> bare;
    std::vector<double> full;
    for (int i = 0; i < samples; ++i) {
        bare.push_back(sampleMilliseconds(self, QStringLiteral("bare")));
        full.push_back(sampleMilliseconds(self, QStringLiteral("full")));
    }
    const double bareMs = median(bare);
    const double fullMs = median(full);
    std::printf("first frame, median of %d runs\n", samples);
    std::printf("  bare Qt window      %8.1f ms\n", bareMs);
    std::printf("  Lexamo main window  %8.1f ms\n", fullMs);
    std::printf("  ratio               %8.2f  (goal: at most 1.5)\n", fullMs / bareMs);
    return 0;
}
