// Putting a design's files into a folder as one step.
#include "design_install.h"

#include "design_files.h"

#include "common/atomic_file.h"
#include "common/data_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>

#include <cstdio>

namespace vespera {

const QStringList &designFileSuffixes()
{
    static const QStringList suffixes = {QStringLiteral(".vss"), QStringLiteral(".vsr"),
                                         QStringLiteral("@2x.vss"), QStringLiteral("@2x.vsr"),
                                         QStringLiteral(".recipe")};
    return suffixes;
}

namespace {

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// Later in the list, later in place: the left picture, which makes the pair
// a design for the design list, goes last.
int placingOrder(const QString &suffix)
{
    static const QStringList order = {QStringLiteral(".recipe"), QStringLiteral("@2x.vsr"),
                                      QStringLiteral("@2x.vss"), QStringLiteral(".vsr"),
                                      QStringLiteral(".vss")};
    return int(order.indexOf(suffix));
}

} // namespace

bool installDesign(const QString &folder, const QString &name, const QVector<DesignFile> &files,
                   QString *error)
{
    if (!isSafeDesignName(name) || name.contains(QLatin1Char('@')))
        return fail(error, QStringLiteral("not a design name: %1").arg(name));
    QSet<QString> given;
    for (const DesignFile &f : files) {
        if (!designFileSuffixes().contains(f.suffix) || given.contains(f.suffix))
            return fail(error, QStringLiteral("not a file of a design: %1%2").arg(name, f.suffix));
        given.insert(f.suffix);
    }
    if (!given.contains(QStringLiteral(".vss")) || !given.contains(QStringLiteral(".vsr")))
        return fail(error, QStringLiteral("a design needs both pictures: %1").arg(name));
    if (!QDir().mkpath(folder))
        return fail(error, QStringLiteral("cannot create %1").arg(folder));

    // Every file written in full under a name of its own first.
    QVector<DesignFile> sorted = files;
    std::sort(sorted.begin(), sorted.end(), [](const DesignFile &a, const DesignFile &b) {
        return placingOrder(a.suffix) < placingOrder(b.suffix);
    });
    const QString stamp = QString::number(QRandomGenerator::global()->generate64(), 36);
    QStringList staged;
    auto dropStaged = [&] {
        for (const QString &s : staged)
            QFile::remove(s);
    };
    for (const DesignFile &f : sorted) {
        const QString place = common::pathIn(folder, name + f.suffix);
        const QFileInfo there(place);
        if (there.exists() && !there.isSymLink() && !there.isFile()) {
            dropStaged();
            return fail(error, QStringLiteral("%1: not a regular file, left alone").arg(place));
        }
        const QString temporary =
            common::pathIn(folder, QStringLiteral(".%1%2.new-%3").arg(name, f.suffix, stamp));
        QString why;
        if (!common::writeFileAtomically(temporary, f.bytes, &why, common::Links::Refuse)) {
            dropStaged();
            return fail(error, why);
        }
        staged << temporary;
    }
    // Then each takes its place; a rename within one folder does not fail
    // for want of room.
    for (int i = 0; i < sorted.size(); ++i) {
        const QString place = common::pathIn(folder, name + sorted[i].suffix);
        if (std::rename(QFile::encodeName(staged[i]).constData(),
                        QFile::encodeName(place).constData())
            != 0) {
            const QString why = QStringLiteral("cannot put %1 in place").arg(place);
            for (int j = i; j < staged.size(); ++j)
                QFile::remove(staged[j]);
            return fail(error, why);
        }
    }
    // What the earlier design of this name had and the new one has not.
    for (const QString &suffix : designFileSuffixes()) {
        if (!given.contains(suffix))
            QFile::remove(common::pathIn(folder, name + suffix));
    }
    return true;
}

} // namespace vespera
