// A design file handed to the design browser.
#include "design_file_offer.h"

#include "preview.h"

#include "design/design_package.h"
#include "design/design_picture.h"
#include "platform/messages.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>

namespace vesweb {

namespace {
const QString kTitle = QStringLiteral("vesweb");
QString text(const char *source) { return QCoreApplication::translate("DesignFileOffer", source); }
} // namespace

bool offerDesignFile(const QString &path, platform::Messages &messages, const QString &userFolder,
                     const QStringList &folders)
{
    QString why;
    const auto package = vespera::readDesignPackageFile(path, &why);
    if (!package) {
        messages.information(
            kTitle, text(QT_TRANSLATE_NOOP("DesignFileOffer",
                                           "デザインファイル「%1」を読めませんでした。\n%2"))
                        .arg(QFileInfo(path).fileName(), why));
        return false;
    }
    QImage face;
    for (const vespera::DesignFile &f : package->files) {
        if (f.suffix == QLatin1String(".vss")) {
            QBuffer buffer;
            buffer.setData(f.bytes);
            buffer.open(QIODevice::ReadOnly);
            face = designPreview(vespera::readDesignPicture(&buffer));
        }
    }
    if (!messages.questionWithPicture(
            kTitle,
            text(QT_TRANSLATE_NOOP("DesignFileOffer", "デザイン「%1」をインストールしますか？"))
                .arg(package->name),
            face))
        return false;
    QString installedAs;
    if (!vespera::installDesignPackage(*package, userFolder, folders, &installedAs, &why)) {
        messages.information(kTitle,
                             text(QT_TRANSLATE_NOOP("DesignFileOffer",
                                                    "デザインをインストールできませんでした。\n%1"))
                                 .arg(why));
        return false;
    }
    messages.information(
        kTitle,
        installedAs == package->name
            ? text(QT_TRANSLATE_NOOP("DesignFileOffer", "デザイン「%1」をインストールしました。"))
                  .arg(installedAs)
            : text(QT_TRANSLATE_NOOP("DesignFileOffer",
                                     "「%1」という名前のデザインはすでにあるので、"
                                     "「%2」としてインストールしました。"))
                  .arg(package->name, installedAs));
    return true;
}

} // namespace vesweb
