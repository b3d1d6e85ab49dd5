// A design as one file (NAME.vsdesign) to hand to someone else: written from
// an installed design, and read back, as input from anyone, into a design
// that can be installed under a name of its own.
#pragma once

#include "design_install.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace vespera {

// The file: a first line "VESPERA-DESIGN 1", a line "name NAME", then for
// each file of the design a line "file SUFFIX LENGTH", exactly LENGTH bytes
// and a line end, and last a line "end". The pictures in it are PNG.
inline constexpr char kDesignPackageExtension[] = ".vsdesign";
inline constexpr char kDesignPackageMimeType[] = "application/x-vespera-design";

// What a design file may hold at most: anything larger is refused unread.
constexpr qint64 kMaxPackageBytes = 8 * 1024 * 1024;
constexpr int kMaxPackageEntries = 8;
constexpr int kMaxPackageNameLength = 64;
constexpr int kMaxRecipeBytes = 16 * 1024;
// The largest picture for the left or the right corners; a larger one holds
// nothing the clock shows and only costs memory in every program.
constexpr int kMaxPackagePictureWidth = 1024;
constexpr int kMaxPackagePictureHeight = 512;

// A design read from a design file: its pictures as PNG made here from the
// decoded pixels, its recipe as it came.
struct DesignPackage {
    QString name;
    QVector<DesignFile> files;
};

// The design file of design `name`, taken from the first of `folders` that
// holds both of its pictures, with its larger pictures when that folder has
// both, and its recipe when it has one. Empty, with the reason, when there
// is no such design or it would not be read back.
QByteArray exportDesign(const QStringList &folders, const QString &name, QString *error = nullptr);

// The design in a design file, checked as input from anyone. Nothing, with
// a one-line reason fit to show the user, when the file is not a design file
// or anything in it is out of bounds.
std::optional<DesignPackage> readDesignPackage(const QByteArray &bytes, QString *error = nullptr);
// The same from a file on disk, refused before reading when it is too large.
std::optional<DesignPackage> readDesignPackageFile(const QString &path, QString *error = nullptr);

// `wanted` when no file of a design of that name is in any of `folders`,
// else the first free of wanted-2, wanted-3, ...; empty when none is free.
QString freeDesignName(const QString &wanted, const QStringList &folders);

// Installs the design into `userFolder` under the first free name in
// `folders` (a design already there, shipped or the user's own, is never
// replaced), said in `installedAs`.
bool installDesignPackage(const DesignPackage &package, const QString &userFolder,
                          const QStringList &folders, QString *installedAs = nullptr,
                          QString *error = nullptr);

} // namespace vespera
