// One running instance per user and title, and activation of the running one.
#include "single_instance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

const char kActivate[] = "activate\n";
const char kAnswer[] = "ok\n";

bool socketAddress(const QString &path, sockaddr_un &addr)
{
    const QByteArray native = QFile::encodeName(path);
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (native.size() >= int(sizeof addr.sun_path))
        return false;
    std::memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    return true;
}

// Reads up to size bytes, waiting at most timeoutMs for them to arrive.
QByteArray readWithin(int fd, int size, int timeoutMs)
{
    QByteArray got;
    char buf[64];
    pollfd p{fd, POLLIN, 0};
    while (got.size() < size && ::poll(&p, 1, timeoutMs) > 0) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        got.append(buf, int(n));
        if (got.contains('\n'))
            break;
    }
    return got;
}

} // namespace

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

LocalInstanceGuard::~LocalInstanceGuard()
{
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(QFile::encodeName(m_base + QStringLiteral(".sock")).constData());
    }
}

bool LocalInstanceGuard::claim()
{
    m_lock = std::make_unique<QLockFile>(m_base + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    listen(); // without it activation is lost, but the program still runs
    return true;
}

void LocalInstanceGuard::listen()
{
    sockaddr_un addr;
    const QString path = m_base + QStringLiteral(".sock");
    if (!socketAddress(path, addr))
        return;
    ::unlink(addr.sun_path); // left over from a crash; we own the lock
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    const mode_t old = ::umask(0077); // the socket is for this user alone
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    ::umask(old);
    if (!bound || ::listen(fd, 4) != 0) {
        ::close(fd);
        return;
    }
    m_listener = fd;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalInstanceGuard::onConnection);
}

void LocalInstanceGuard::onConnection()
{
    const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    // A request is one short line sent at once; a client that dawdles is dropped.
    const bool asked = readWithin(client, 64, 500) == kActivate;
    if (asked)
        [[maybe_unused]] const auto n = ::write(client, kAnswer, sizeof kAnswer - 1);
    ::close(client);
    if (asked)
        emit activationRequested();
}

bool LocalInstanceGuard::activateRunning()
{
    sockaddr_un addr;
    if (!socketAddress(m_base + QStringLiteral(".sock"), addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0
        && ::write(fd, kActivate, sizeof kActivate - 1) == ssize_t(sizeof kActivate - 1))
        answered = readWithin(fd, 16, 2000).startsWith("ok"); // a live program took it
    ::close(fd);
    return answered;
}

} // namespace platform
