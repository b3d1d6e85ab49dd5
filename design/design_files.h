// Which designs are installed, and which names may name one.
#pragma once

#include <QString>
#include <QStringList>

namespace vespera {

// A design name that can name files in a folder without reaching outside
// it: not empty, no path separator, no "..", no NUL.
bool isSafeDesignName(const QString &name);

// The designs in the folders: safe names with both pictures (".vss" for the
// left corners, ".vsr" for the right) in one folder; sorted, each once.
QStringList installedDesigns(const QStringList &folders);

// The picture twice the size that may stand beside a design picture:
// NAME@2x.vss beside NAME.vss, in the same folder.
QString largerPicturePath(const QString &picturePath);

} // namespace vespera
