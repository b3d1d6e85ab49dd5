// Putting a design's files into a folder as one step: either every file of
// the new design is in place, or the folder is as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace vespera {

// One file of a design, named by what follows the design's name.
struct DesignFile {
    QString suffix; // one of designFileSuffixes()
    QByteArray bytes;
};

// What may follow a design's name in its files: the pictures for the left
// and the right corners, the same at twice the size, and the recipe the
// design was painted from.
const QStringList &designFileSuffixes();

// Writes the files of design `name` into `folder` (made when missing). Each
// is first written in full beside its place; only when all are written do
// they take their places, the left picture last, so a reader never finds a
// design that is half the old one and half the new. Files of an earlier
// design of that name that the new one does not have are removed. False,
// with the reason, when the name is unsafe, a suffix is unknown, the left or
// the right picture is missing, or anything cannot be written; then nothing
// is changed.
bool installDesign(const QString &folder, const QString &name, const QVector<DesignFile> &files,
                   QString *error = nullptr);

} // namespace vespera
