// One running instance per user and title, and activation of the running one.
#include "single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <unistd.h>

namespace platform {

namespace {
const QByteArray kActivate = "activate\n";
}

QString LocalInstanceGuard::runtimeDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

LocalInstanceGuard::LocalInstanceGuard(const QString &title, QObject *parent)
    : InstanceGuard(parent),
      m_base(runtimeDirectory() + QStringLiteral("/kestrel-%1-%2").arg(getuid()).arg(title))
{
}

LocalInstanceGuard::~LocalInstanceGuard() = default;

bool LocalInstanceGuard::claim()
{
    m_lock = std::make_unique<QLockFile>(m_base + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    const QString socketPath = m_base + QStringLiteral(".sock");
    QLocalServer::removeServer(socketPath); // left over from a crash; we own the lock
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &LocalInstanceGuard::onNewConnection);
    m_server->listen(socketPath); // without it activation is lost, but the clock still runs
    return true;
}

bool LocalInstanceGuard::activateRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_base + QStringLiteral(".sock"));
    if (!socket.waitForConnected(1000))
        return false;
    socket.write(kActivate);
    if (!socket.waitForBytesWritten(1000))
        return false;
    // The answer tells that a live clock took the request.
    return socket.waitForReadyRead(2000) && socket.readAll().startsWith("ok");
}

void LocalInstanceGuard::onNewConnection()
{
    while (QLocalSocket *client = m_server->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) {
                if (client->bytesAvailable() > 64)
                    client->disconnectFromServer(); // not one of ours
                return;
            }
            const QByteArray line = client->readLine(64);
            if (line == kActivate) {
                client->write("ok\n");
                client->flush();
                emit activationRequested();
            }
            client->disconnectFromServer();
        });
    }
}

} // namespace platform
