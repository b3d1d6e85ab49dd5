// One running instance per user and title, and activation of the running one.
#include "single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <atomic>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

const char kActivate[] = "activate\n";
const QByteArray kCommand = QByteArrayLiteral("command ");

// The word of a "command WORD" line: lower-case letters and "-", at most 24;
// empty for anything else.
QString commandIn(const QByteArray &request)
{
    if (!request.startsWith(kCommand) || !request.endsWith('\n'))
        return QString();
    const QByteArray word = request.mid(kCommand.size()).chopped(1);
    if (word.isEmpty() || word.size() > 24)
        return QString();
    for (const char c : word) {
        if (!(c >= 'a' && c <= 'z') && c != '-')
            return QString();
    }
    return QString::fromLatin1(word);
}
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

// Whoever may add or replace files in the folder of the lock and the socket
// decides whether we start and what the running instance "answers". So: a
// real directory (a symlink could be pointed at someone else's), ours, and
// closed to group and others.
bool isPrivateFolder(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
           && (st.st_mode & 077) == 0;
}

// The folder is private, but an answer is believed only from a process of our
// own user all the same: the socket file says nothing about who listens on it.
bool peerIsOurUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer
           && peer.uid == ::geteuid();
}

} // namespace

QString LocalInstanceGuard::runtimeDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(QFile::encodeName(runtime)))
        return runtime;
    // The temp folder is everyone's; a folder of our own in it is not, once
    // checked: an existing one (EEXIST) may have been made by someone else.
    const QString own = QDir::tempPath() + QStringLiteral("/vespera-%1").arg(::geteuid());
    const QByteArray native = QFile::encodeName(own);
    ::mkdir(native.constData(), 0700);
    if (isPrivateFolder(native))
        return own;
    static std::atomic_flag told = ATOMIC_FLAG_INIT;
    if (!told.test_and_set())
        qWarning("%s: %s is not a private folder; not looking for another running instance",
                 qPrintable(QCoreApplication::applicationName()), native.constData());
    return {};
}

LocalInstanceGuard::LocalInstanceGuard(const QString &title, QObject *parent)
    : InstanceGuard(parent)
{
    const QString folder = runtimeDirectory();
    if (!folder.isEmpty())
        m_base = folder + QStringLiteral("/kestrel-%1-%2").arg(::geteuid()).arg(title);
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
    // Without a safe folder another user could stop us from starting; running
    // twice is the smaller harm.
    if (m_base.isEmpty())
        return true;
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
    if (!peerIsOurUser(client)) {
        ::close(client);
        return;
    }
    // A request is one short line sent at once; a client that dawdles is dropped.
    const QByteArray request = readWithin(client, 64, 500);
    const QString command = commandIn(request);
    const bool asked = request == kActivate || !command.isEmpty();
    if (asked) {
        [[maybe_unused]] const auto n = ::write(client, kAnswer, sizeof kAnswer - 1);
    }
    ::close(client);
    if (request == kActivate)
        emit activationRequested();
    else if (!command.isEmpty())
        emit commandRequested(command);
}

bool LocalInstanceGuard::activateRunning() { return ask(kActivate); }

bool LocalInstanceGuard::sendCommand(const QString &word)
{
    const QByteArray request = kCommand + word.toLatin1() + '\n';
    return !commandIn(request).isEmpty() && ask(request);
}

bool LocalInstanceGuard::ask(const QByteArray &request)
{
    sockaddr_un addr;
    if (m_base.isEmpty() || !socketAddress(m_base + QStringLiteral(".sock"), addr))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 && peerIsOurUser(fd)
        && ::write(fd, request.constData(), size_t(request.size())) == ssize_t(request.size()))
        answered = readWithin(fd, 16, 2000).startsWith("ok"); // a live program took it
    ::close(fd);
    return answered;
}

} // namespace platform
