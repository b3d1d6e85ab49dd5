// Where the design browser asks which design and which file.
#include "file_chooser.h"

#include "design/design_package.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

namespace vesweb {

namespace {
QString text(const char *source) { return QCoreApplication::translate("FileChooser", source); }

QString filter()
{
    return text(QT_TRANSLATE_NOOP("FileChooser", "デザインファイル (*%1)"))
        .arg(QLatin1String(vespera::kDesignPackageExtension));
}
} // namespace

QString QtFileChooser::chooseDesign(QWidget *parent, const QStringList &designs,
                                    const QString &current)
{
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(parent, text(QT_TRANSLATE_NOOP("FileChooser", "デザインを書き出す")),
                              text(QT_TRANSLATE_NOOP("FileChooser", "書き出すデザイン:")), designs,
                              std::max(0, int(designs.indexOf(current))), false, &ok);
    return ok ? chosen : QString();
}

QString QtFileChooser::fileToSave(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(
        parent, text(QT_TRANSLATE_NOOP("FileChooser", "デザインを書き出す")),
        QDir::home().filePath(suggested), filter());
}

QString QtFileChooser::fileToOpen(QWidget *parent)
{
    return QFileDialog::getOpenFileName(
        parent, text(QT_TRANSLATE_NOOP("FileChooser", "デザインファイルを取り込む")),
        QDir::homePath(), filter());
}

} // namespace vesweb
