// One clock per user: a second start finds the first, and can bring it to the front.
#include "platform/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <QtTest>
#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::LocalInstanceGuard;

namespace {

const uid_t kNobody = 65534;

sockaddr_un addressOf(const QString &path)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(addr.sun_path, native.constData(),
                std::min(size_t(native.size()), sizeof addr.sun_path - 1));
    return addr;
}

// The socket a guard of this title uses in the folder it was given.
QString socketOf(const QString &title)
{
    return LocalInstanceGuard::runtimeDirectory()
           + QStringLiteral("/kestrel-%1-%2.sock").arg(geteuid()).arg(title);
}

// A process of user `uid` that listens on `path` and says "ok" to whoever
// connects, before being asked anything. It binds while still root, as the
// folder is closed to that user, and listens after changing user, as listen()
// is what records who answers. Returns once it listens; -1 when it could not.
pid_t answerAs(uid_t uid, const QString &path)
{
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        return -1;
    const sockaddr_un addr = addressOf(path);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10); // never outlive a test that lost track of it
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) != 0
            || ::setgid(uid) != 0 || ::setuid(uid) != 0 || ::listen(fd, 1) != 0)
            ::_exit(2);
        [[maybe_unused]] auto n = ::write(ready[1], "r", 1);
        const int client = ::accept(fd, nullptr, nullptr);
        n = ::send(client, "ok\n", 3, MSG_NOSIGNAL);
        char buf[64];
        n = ::read(client, buf, sizeof buf); // until the asker hangs up
        ::_exit(0);
    }
    ::close(ready[1]);
    char c = 0;
    const bool listening = pid > 0 && ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
    if (pid > 0 && !listening)
        ::waitpid(pid, nullptr, 0);
    return listening ? pid : -1;
}

// A process of user `uid` that asks the instance on `path` to come to the
// front. Exits 0 when it was answered "ok", 1 when not, 2 when it could not ask.
pid_t askAs(uid_t uid, const QString &path)
{
    const sockaddr_un addr = addressOf(path);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        if (::setgid(uid) != 0 || ::setuid(uid) != 0)
            ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) != 0
            || ::send(fd, "activate\n", 9, MSG_NOSIGNAL) != 9)
            ::_exit(2);
        char buf[16] = {};
        pollfd p{fd, POLLIN, 0};
        const bool answered = ::poll(&p, 1, 5000) > 0 && ::read(fd, buf, sizeof buf - 1) > 0
                              && std::strncmp(buf, "ok", 2) == 0;
        ::_exit(answered ? 0 : 1);
    }
    return pid;
}

} // namespace

// The running instance answers from its own thread, as another process would.
class RunningInstance {
public:
    explicit RunningInstance(const QString &title) : guard(new LocalInstanceGuard(title))
    {
        m_thread.start();
        guard->moveToThread(&m_thread);
    }
    ~RunningInstance() { end(); }
    bool claim()
    {
        bool claimed = false;
        QMetaObject::invokeMethod(
            guard, [&] { claimed = guard->claim(); }, Qt::BlockingQueuedConnection);
        return claimed;
    }
    // It goes, as a program that ends.
    void end()
    {
        if (!guard)
            return;
        QMetaObject::invokeMethod(
            guard, [this] { delete guard; }, Qt::BlockingQueuedConnection);
        guard = nullptr;
        m_thread.quit();
        m_thread.wait();
    }
    LocalInstanceGuard *guard;

private:
    QThread m_thread;
};

class TestSingleInstance : public QObject {
    Q_OBJECT

    QByteArray m_savedRuntime, m_savedTmp;
    std::unique_ptr<QTemporaryDir> m_dir;

    // $XDG_RUNTIME_DIR as a session manager makes it, and the temp folder.
    QString runtime() const { return m_dir->filePath("run"); }
    QString tmp() const { return m_dir->filePath("tmp"); }
    QString ownInTmp() const { return tmp() + QStringLiteral("/vespera-%1").arg(geteuid()); }

private slots:
    void initTestCase()
    {
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        m_savedTmp = qgetenv("TMPDIR");
    }

    // Every test gets folders of its own and leaves nothing behind elsewhere.
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/si-XXXXXX");
        QVERIFY(m_dir->isValid());
        QVERIFY(::mkdir(QFile::encodeName(runtime()).constData(), 0700) == 0);
        QVERIFY(QDir().mkpath(tmp()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime()));
        qputenv("TMPDIR", QFile::encodeName(tmp()));
    }

    void cleanup()
    {
        m_savedRuntime.isNull() ? qunsetenv("XDG_RUNTIME_DIR")
                                : qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
        m_savedTmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", m_savedTmp);
        m_dir.reset();
    }

    void secondClaimFailsAndActivatesTheFirst()
    {
        const QString title = "test-" + QUuid::createUuid().toString(QUuid::Id128);
        RunningInstance first(title);
        std::atomic<int> activations{0};
        connect(
            first.guard, &platform::InstanceGuard::activationRequested, first.guard,
            [&] { ++activations; }, Qt::DirectConnection);
        QVERIFY(first.claim());

        LocalInstanceGuard second(title);
        QVERIFY(!second.claim());
        QVERIFY(second.activateRunning());
        QTRY_COMPARE_WITH_TIMEOUT(activations.load(), 1, 10000);

        // Once the first has gone, the next start runs.
        first.end();
        LocalInstanceGuard third(title);
        QVERIFY(third.claim());
    }

    // A command reaches the running instance as its word; anything but a
    // short word of lower-case letters and "-" is never sent.
    void commandsReachTheRunningInstance()
    {
        const QString title = "test-" + QUuid::createUuid().toString(QUuid::Id128);
        RunningInstance first(title);
        QStringList heard;
        QMutex lock;
        std::atomic<int> activations{0};
        connect(
            first.guard, &platform::InstanceGuard::commandRequested, first.guard,
            [&](const QString &word) {
                QMutexLocker locked(&lock);
                heard << word;
            },
            Qt::DirectConnection);
        connect(
            first.guard, &platform::InstanceGuard::activationRequested, first.guard,
            [&] { ++activations; }, Qt::DirectConnection);
        QVERIFY(first.claim());

        LocalInstanceGuard second(title);
        QVERIFY(second.sendCommand("options"));
        QVERIFY(second.sendCommand("on-top"));
        for (const QString &bad : {QString(), QString("Options"), QString("a b"),
                                   QString("x\nactivate"), QString(25, 'a'), QString("ü")})
            QVERIFY2(!second.sendCommand(bad), qPrintable(bad));
        QTRY_COMPARE_WITH_TIMEOUT(([&] {
                                      QMutexLocker locked(&lock);
                                      return heard;
                                  }()),
                                  (QStringList{"options", "on-top"}), 10000);
        QCOMPARE(activations.load(), 0);

        first.end();
        QVERIFY(!second.sendCommand("options")); // nobody runs
    }

    void activationWithoutAnyRunningInstanceFails()
    {
        LocalInstanceGuard nobody("test-" + QUuid::createUuid().toString(QUuid::Id128));
        QVERIFY(!nobody.activateRunning());
    }

    void theSessionFolderIsPreferredElseOneOfOurOwnIsMade()
    {
        QCOMPARE(LocalInstanceGuard::runtimeDirectory(), runtime());

        qunsetenv("XDG_RUNTIME_DIR");
        const mode_t old = ::umask(0); // a lax umask must not open the folder up
        const QString made = LocalInstanceGuard::runtimeDirectory();
        ::umask(old);
        QCOMPARE(made, ownInTmp());
        struct stat st;
        QVERIFY(::lstat(QFile::encodeName(made).constData(), &st) == 0);
        QVERIFY(S_ISDIR(st.st_mode));
        QCOMPARE(st.st_mode & 0777, mode_t(0700));
        QCOMPARE(LocalInstanceGuard::runtimeDirectory(), made); // found again, not refused

        LocalInstanceGuard first("test"), second("test");
        QVERIFY(first.claim());
        QVERIFY(!second.claim());
    }

    // Someone who may put files into the folder plants a lock held "by the
    // running instance". A folder of the session that is not private is passed
    // over for our own one; our own one not private leaves us without the check.
    void aFolderOthersMayTouchIsNotUsed_data()
    {
        QTest::addColumn<bool>("inSession");
        QTest::addColumn<QString>("how");
        for (const bool inSession : {true, false}) {
            for (const char *how :
                 {"symlink", "group-writable", "others may enter", "someone else's"}) {
                QTest::addRow("%s, %s", inSession ? "session" : "own", how)
                    << inSession << QString::fromLatin1(how);
            }
        }
    }

    void aFolderOthersMayTouchIsNotUsed()
    {
        QFETCH(bool, inSession);
        QFETCH(QString, how);
        if (how == "someone else's" && geteuid() != 0)
            QSKIP("only root can give a folder away");

        const QString folder = inSession ? m_dir->filePath("session") : ownInTmp();
        // A symlink's target is a folder of ours that passes every other test.
        const QString real = how == "symlink" ? m_dir->filePath("target") : folder;
        QVERIFY(::mkdir(QFile::encodeName(real).constData(), 0700) == 0);
        QLockFile planted(real + QStringLiteral("/kestrel-%1-test.lock").arg(geteuid()));
        QVERIFY(planted.tryLock(0));

        const QByteArray native = QFile::encodeName(folder);
        if (how == "symlink")
            QVERIFY(::symlink(QFile::encodeName(real).constData(), native.constData()) == 0);
        else if (how == "group-writable")
            QVERIFY(::chmod(native.constData(), 0770) == 0);
        else if (how == "others may enter")
            QVERIFY(::chmod(native.constData(), 0711) == 0);
        else
            QVERIFY(::chown(native.constData(), kNobody, kNobody) == 0);
        if (inSession)
            qputenv("XDG_RUNTIME_DIR", native);
        else
            qunsetenv("XDG_RUNTIME_DIR");

        QCOMPARE(LocalInstanceGuard::runtimeDirectory(), inSession ? ownInTmp() : QString());
        LocalInstanceGuard guard("test");
        QVERIFY(guard.claim()); // the planted lock did not keep us from starting
        // ...and nothing of ours was put where others may reach it.
        QCOMPARE(QDir(real).entryList(QDir::AllEntries | QDir::System | QDir::Hidden
                                      | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(planted.fileName()).fileName()});
    }

    // The same process answering, once as our user and once as another one.
    void onlyOurUserIsBelievedToRun_data()
    {
        QTest::addColumn<uid_t>("uid");
        QTest::newRow("our user") << geteuid();
        QTest::newRow("another user") << kNobody;
    }

    void onlyOurUserIsBelievedToRun()
    {
        if (geteuid() != 0)
            QSKIP("answering as another user needs root");
        QFETCH(uid_t, uid);
        const pid_t impostor = answerAs(uid, socketOf("test"));
        QVERIFY(impostor > 0);
        LocalInstanceGuard asker("test");
        const bool believed = asker.activateRunning();
        ::kill(impostor, SIGKILL);
        ::waitpid(impostor, nullptr, 0);
        QCOMPARE(believed, uid == geteuid());
    }

    // A request reaches the running instance from our user and from another
    // one (the folder and socket are opened up for it); only ours is heeded.
    void onlyOurUserMayActivate_data() { onlyOurUserIsBelievedToRun_data(); }

    void onlyOurUserMayActivate()
    {
        if (geteuid() != 0)
            QSKIP("asking as another user needs root");
        QFETCH(uid_t, uid);
        LocalInstanceGuard running("test");
        int activations = 0;
        connect(&running, &platform::InstanceGuard::activationRequested, this,
                [&] { ++activations; });
        QVERIFY(running.claim());
        const QString socket = socketOf("test");
        for (const QString &folder : {m_dir->path(), runtime()})
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0711) == 0);
        QVERIFY(::chmod(QFile::encodeName(socket).constData(), 0666) == 0);

        const pid_t asker = askAs(uid, socket);
        QVERIFY(asker > 0);
        int status = -1;
        bool reaped = false; // QTRY_ evaluates once more after success; a child is reaped once
        auto reap = [&] { return reaped = reaped || ::waitpid(asker, &status, WNOHANG) == asker; };
        QTRY_VERIFY_WITH_TIMEOUT(reap(), 10000);
        QVERIFY(WIFEXITED(status));
        const bool ours = uid == geteuid();
        QCOMPARE(WEXITSTATUS(status), ours ? 0 : 1);
        QCOMPARE(activations, ours ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
