#pragma once

#include <QObject>

class QSocketNotifier;

namespace lexamo {

/// SIGTERM and SIGINT (a logout, Ctrl+C in a terminal) as a Qt signal on the user-interface
/// thread, so that the program ends the way it does when its window is closed. One object per
/// process; destroying it restores the default handling.
class StopSignals : public QObject
{
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

signals:
    void received();

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace lexamo
