// Replacing a file's content in one step, or not at all.
#include "atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

bool fail(QString *error, const QString &what, int code)
{
    if (error)
        *error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
    return false;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Where a write to `target` puts the new content before it takes the file's
// place: beside it, hidden, with a random ending.
QByteArray temporaryStem(const QString &target)
{
    const QFileInfo info(target);
    return QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + '.');
}

} // namespace

QString fileWrittenFor(const QString &path)
{
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) { // the kernel's own limit on a chain
        const QFileInfo info(target);
        if (!info.isSymLink())
            return target;
        target = info.symLinkTarget(); // absolute, also when the link dangles
    }
    return target;
}

bool writeFileAtomically(const QString &path, const QByteArray &data, QString *error, Links links)
{
    const QString target = links == Links::Follow ? fileWrittenFor(path) : path;
    const QByteArray targetName = QFile::encodeName(target);
    const QString folder = QFileInfo(target).absolutePath();
    const QByteArray stem = temporaryStem(target);

    struct stat old {};
    const bool existed = (links == Links::Follow ? ::stat(targetName.constData(), &old)
                                                 : ::lstat(targetName.constData(), &old))
                         == 0;
    if (existed && S_ISDIR(old.st_mode))
        return fail(error, target, EISDIR);
    if (existed && !S_ISREG(old.st_mode)) {
        if (error)
            *error = target + QStringLiteral(": not a regular file, left alone");
        return false;
    }

    // A new file gets the mode the user's umask gives any new file; one that
    // replaces another gets the other's mode.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = stem + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    existed ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(error, folder, errno);
    const bool ok = (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, data)
                    && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !ok) {
        const int code = ok ? errno : writeError;
        ::unlink(temporary.constData());
        return fail(error, target, code);
    }
    if (::rename(temporary.constData(), targetName.constData()) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return fail(error, target, code);
    }
    // The rename itself reaches the disk with the folder's own entry.
    const int dir =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void removeUnfinishedWrites(const QString &path)
{
    const QString target = fileWrittenFor(path);
    const QFileInfo info(target);
    QDir folder = info.absoluteDir();
    const QString prefix = QFile::decodeName(temporaryStem(target)).section(QLatin1Char('/'), -1);
    const QStringList names =
        folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QString rest = name.mid(prefix.size());
        // Only the endings this writer makes: letters and digits.
        if (!rest.isEmpty() && std::all_of(rest.begin(), rest.end(), [](QChar c) {
                return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
            }))
            folder.remove(name);
    }
}

} // namespace common
