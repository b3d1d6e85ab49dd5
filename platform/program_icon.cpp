// The icon our three programs share.
#include "program_icon.h"

#include "common/data_dir.h"

#include <QFileInfo>

namespace platform {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        const QString file = common::dataFile(QStringLiteral("vespera-%1.png").arg(size));
        if (QFileInfo(file).isFile())
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}

} // namespace platform
