// Which designs are installed, and which names may name one.
#include "design_files.h"

#include "common/data_dir.h"

#include <QDir>

namespace vespera {

bool isSafeDesignName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.contains(QLatin1String("..")) && !name.contains(QChar(0));
}

QStringList installedDesigns(const QStringList &folders)
{
    QStringList found;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList({QStringLiteral("*.vss")}, QDir::Files)) {
            const QString name = file.chopped(4);
            // NAME@2x.vss is the larger picture of NAME, not a design of its own.
            if (isSafeDesignName(name) && !name.endsWith(QLatin1String("@2x"))
                && common::fileExists(common::pathIn(folder, name + QStringLiteral(".vsr"))))
                found << name;
        }
    }
    found.removeDuplicates();
    found.sort();
    return found;
}

QString largerPicturePath(const QString &picturePath)
{
    const int dot = int(picturePath.lastIndexOf(QLatin1Char('.')));
    const int slash = int(picturePath.lastIndexOf(QLatin1Char('/')));
    if (dot <= slash + 1)
        return QString();
    return picturePath.left(dot) + QStringLiteral("@2x") + picturePath.mid(dot);
}

} // namespace vespera
