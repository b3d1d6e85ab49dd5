// One running instance per user and title, and activation of the running one.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLockFile;
class QSocketNotifier;

namespace platform {

// The clock's instance: the clock claims it, and the design browser asks it
// to come to the front after a design is applied.
inline const QString kClockInstance = QStringLiteral("pendra");

class InstanceGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Becomes the running instance; false when another one runs already.
    virtual bool claim() = 0;
    // Asks the running instance to come to the front; false when none answered.
    virtual bool activateRunning() = 0;
    // Hands the running instance a command: a word of lower-case letters and
    // "-", at most 24 of them; false when none took it.
    virtual bool sendCommand(const QString &word)
    {
        Q_UNUSED(word);
        return false;
    }

signals:
    void activationRequested();
    void commandRequested(const QString &word);
};

// A lock file decides who runs (free of races, stale after a crash) and a
// local socket beside it carries the activation request. Plain sockets keep
// a network library out of a program that idles on the desktop all day.
class LocalInstanceGuard : public InstanceGuard {
    Q_OBJECT
public:
    explicit LocalInstanceGuard(const QString &title, QObject *parent = nullptr);
    ~LocalInstanceGuard() override;

    bool claim() override;
    bool activateRunning() override;
    bool sendCommand(const QString &word) override;

    // The folder of the lock and the socket: $XDG_RUNTIME_DIR, else a folder of
    // this user's own in the temp folder; empty when neither is private, and
    // then claim() always succeeds and activateRunning() always fails.
    static QString runtimeDirectory();

private:
    void listen();
    void onConnection();
    bool ask(const QByteArray &request); // one line to the running instance; true when it said ok

    QString m_base; // empty without a private folder
    std::unique_ptr<QLockFile> m_lock;
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
