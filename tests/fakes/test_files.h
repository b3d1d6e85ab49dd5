// Small files for tests that need programs or documents on disk.
#pragma once

#include <QFile>
#include <QString>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fakes {

// Writes `content` to `path`, executable for its owner or not; false when it cannot.
inline bool writeFile(const QString &path, const QByteArray &content = {}, bool executable = false)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        return false;
    f.close();
    const QFile::Permissions read = QFile::ReadOwner | QFile::WriteOwner;
    return f.setPermissions(executable ? read | QFile::ExeOwner : read);
}

// The bytes of the file at `path`, or "<unreadable>".
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Another program's write under way: the settings file's lock, held until
// release() or the end.
class HeldLock {
public:
    explicit HeldLock(const QString &iniPath)
        : m_fd(::open(QFile::encodeName(iniPath + ".lock").constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0)
            release();
    }
    ~HeldLock() { release(); }
    bool held() const { return m_fd >= 0; }
    void release()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

} // namespace fakes
