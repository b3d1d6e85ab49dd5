// One running instance per user and title, and activation of the running one.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace platform {

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Becomes the running instance; false when another one runs already.
    virtual bool claim() = 0;
    // Asks the running instance to come to the front; false when none answered.
    virtual bool activateRunning() = 0;

signals:
    void activationRequested();
};

// A lock file decides who runs (free of races, stale after a crash) and a
// local socket beside it carries the activation request.
class LocalInstanceGuard : public InstanceGuard {
    Q_OBJECT
public:
    explicit LocalInstanceGuard(const QString &title, QObject *parent = nullptr);
    ~LocalInstanceGuard() override;

    bool claim() override;
    bool activateRunning() override;

    static QString runtimeDirectory();

private:
    void onNewConnection();

    QString m_base;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace platform
