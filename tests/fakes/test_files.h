// Small files for tests that need programs or documents on disk.
#pragma once

#include <QFile>
#include <QString>

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

} // namespace fakes
