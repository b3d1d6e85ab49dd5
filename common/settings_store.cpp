// The per-user settings store shared by the clock, the design browser and the remover.
#include "settings_store.h"
#include "atomic_file.h"
#include "ini_document.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <functional>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

constexpr int kLockPollMs = 20;

QString errorText(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// An advisory lock on "<file>.lock" beside the settings file, held while the
// object lives. The kernel drops it when its holder ends in any way, so no
// lock is ever stale, whatever the lock file holds. A folder made at that
// name is locked the same way, as a folder.
class WriteLock {
public:
    WriteLock(const QString &path, int waitMs, QString *error)
    {
        const QByteArray name = QFile::encodeName(path);
        m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0 && errno == EISDIR)
            m_fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd < 0) {
            *error = path + QStringLiteral(": ") + errorText(errno);
            return;
        }
        const QDeadlineTimer deadline(waitMs);
        for (;;) {
            if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
                m_held = true;
                return;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                *error = path + QStringLiteral(": ") + errorText(errno);
                return;
            }
            if (deadline.hasExpired()) {
                *error = QStringLiteral("%1: another program has held it for over %2 s")
                             .arg(path)
                             .arg(waitMs / 1000.0);
                return;
            }
            QThread::msleep(kLockPollMs);
        }
    }
    ~WriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // and with it the lock
    }
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;
    bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

} // namespace

struct SettingsStore::Pending {
    std::unique_ptr<WriteLock> lock;
    std::optional<IniDocument> doc; // nothing when the batch could not start
    QByteArray before;              // the file as read, to see whether anything changed
    QString error;
};

QString configDirectory()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

SettingsStore::SettingsStore(const QString &application)
    : m_path(configDirectory() + QLatin1Char('/') + application.toLower() + QStringLiteral(".ini"))
{
}

SettingsStore SettingsStore::atPath(const QString &iniPath)
{
    return SettingsStore(Tag{}, iniPath);
}

std::optional<IniDocument> SettingsStore::read(QString *error) const
{
    const QByteArray name = QFile::encodeName(m_path);
    // Not blocking: a pipe or device put at the file's place must not hang us.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) {
            m_parsed.reset();
            return IniDocument{}; // nothing stored yet
        }
        *error = m_path + QStringLiteral(": ") + errorText(errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = m_path + QStringLiteral(": ")
                 + (S_ISDIR(st.st_mode) ? errorText(EISDIR) : QStringLiteral("not a file"));
        ::close(fd);
        return std::nullopt;
    }
    auto ns = [](const timespec &t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    if (m_parsed && m_parsed->device == st.st_dev && m_parsed->inode == st.st_ino
        && m_parsed->size == st.st_size && m_parsed->modifiedNs == ns(st.st_mtim)
        && m_parsed->changedNs == ns(st.st_ctim)) {
        ::close(fd);
        return m_parsed->doc;
    }
    QFile file;
    const bool opened = file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        *error = m_path + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    m_parsed = Parsed{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                      ns(st.st_mtim),     ns(st.st_ctim),     IniDocument::parse(bytes)};
    return m_parsed->doc;
}

IniDocument SettingsStore::snapshot() const
{
    if (m_pending && m_pending->doc)
        return *m_pending->doc;
    QString error;
    if (std::optional<IniDocument> doc = read(&error))
        return *doc;
    // Readers go on with their defaults; writes refuse until it can be read.
    if (!m_warnedUnreadable)
        std::fprintf(stderr, "cannot read the settings, using defaults: %s\n", qPrintable(error));
    m_warnedUnreadable = true;
    return {};
}

bool SettingsStore::failed(const QString &why)
{
    m_lastError = why;
    std::fprintf(stderr, "cannot save the settings: %s\n", qPrintable(why));
    return false;
}

SettingsStore::Batch::Batch(SettingsStore &store) : m_store(store)
{
    if (store.m_pending) {
        m_joined = true;
        return;
    }
    store.m_lastError.clear();
    auto pending = std::make_shared<Pending>();
    // The lock sits beside the file really written, so that two links to one
    // file share it.
    const QString written = fileWrittenFor(store.m_path);
    const QString folder = QFileInfo(written).absolutePath();
    QString error;
    if (!QDir().mkpath(folder)) {
        error = folder + QStringLiteral(": cannot make this folder");
    } else {
        pending->lock = std::make_unique<WriteLock>(written + QStringLiteral(".lock"),
                                                    store.m_lockWaitMs, &error);
        if (pending->lock->held()) {
            // Under the lock no other write is under way: anything
            // half-written beside the file is what a crash left.
            removeUnfinishedWrites(store.m_path);
            pending->doc = store.read(&error);
            if (!pending->doc) // a file we cannot read is not ours to overwrite
                error += QStringLiteral(" (left as it is)");
            else
                pending->before = pending->doc->serialize();
        }
    }
    if (!pending->doc) {
        pending->lock.reset();
        pending->error = error;
        store.failed(error);
    }
    store.m_pending = std::move(pending);
}

bool SettingsStore::Batch::commit()
{
    if (m_joined)
        return m_store.m_pending && m_store.m_pending->doc;
    if (m_ended)
        return m_store.m_lastError.isEmpty();
    m_ended = true;
    const std::shared_ptr<Pending> pending = std::move(m_store.m_pending);
    if (!pending->doc) {
        m_store.m_lastError = pending->error;
        return false;
    }
    m_store.m_lastError.clear();
    const QByteArray after = pending->doc->serialize();
    if (after == pending->before)
        return true; // nothing changed: the file is not touched
    QString error;
    if (!writeFileAtomically(m_store.m_path, after, &error))
        return m_store.failed(error);
    m_store.m_parsed.reset(); // the next read parses what was written
    ++m_store.m_writes;
    return true;
}

// One change of the file under the lock: read the newest file, change it,
// replace it whole. Returns what the change returned, or false when the file
// could not be read or written (then it is as it was). In a batch, the change
// is made to the batch's copy, whole or not at all.
bool SettingsStore::rewrite(const std::function<bool(IniDocument &)> &change)
{
    if (!m_pending) {
        Batch batch(*this);
        return rewrite(change) && batch.commit();
    }
    if (!m_pending->doc) {
        m_lastError = m_pending->error;
        return false;
    }
    IniDocument changed = *m_pending->doc;
    if (!change(changed))
        return false;
    *m_pending->doc = std::move(changed);
    return true;
}

std::optional<QString> SettingsStore::value(const QString &section, const QString &key) const
{
    const IniDocument doc = snapshot();
    if (const QString *v = doc.find(section, key))
        return *v;
    return std::nullopt;
}

QString SettingsStore::getSetting(const QString &section, const QString &key,
                                  const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

QString SettingsStore::getSetting(const QString &section, const QString &key,
                                  int defaultValue) const
{
    return getSetting(section, key, QString::number(defaultValue));
}

bool SettingsStore::saveSetting(const QString &section, const QString &key, const QString &value)
{
    return saveSettings(section, {{key, value}});
}

bool SettingsStore::saveSettings(const QString &section,
                                 const QVector<QPair<QString, QString>> &values)
{
    return rewrite([&](IniDocument &doc) {
        for (const auto &kv : values)
            doc.set(section, kv.first, kv.second);
        return true;
    });
}

bool SettingsStore::change(const std::function<bool(IniDocument &)> &edit) { return rewrite(edit); }

bool SettingsStore::deleteSetting(const QString &section, const QString &key)
{
    return rewrite([&](IniDocument &doc) { return doc.remove(section, key); });
}

bool SettingsStore::deleteSection(const QString &section)
{
    return rewrite([&](IniDocument &doc) { return doc.removeSection(section); });
}

} // namespace common
