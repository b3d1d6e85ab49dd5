// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal, so the program closes
// the way it does from its menu and stores what it must.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject *parent = nullptr);

signals:
    void terminationRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
