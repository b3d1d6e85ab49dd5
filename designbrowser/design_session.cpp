// The design browser's side of the exchange for one run.
#include "design_session.h"

#include "common/atomic_file.h"
#include "common/data_dir.h"
#include "design/design_install.h"
#include "painter/design_painter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vesweb {

DesignSession::DesignSession(common::SettingsStore &store, const QString &writeFolder,
                             const QStringList &readFolders)
    : m_store(store), m_writeFolder(writeFolder), m_readFolders(readFolders)
{
}

void DesignSession::load()
{
    m_snapshot = readSnapshot(m_store);
    m_record = DesignRecord();
    for (const QString &folder : m_readFolders) {
        const QString path = designFilePath(folder, m_snapshot.skin);
        if (!common::fileExists(path))
            continue;
        QFile file(path);
        // A design record is one short line; read no more than a generous bit of it.
        if (file.open(QIODevice::ReadOnly))
            m_record = readDesignFile(file.read(64 * 1024));
        return;
    }
    m_record.name() = QStringLiteral("def");
}

QByteArray DesignSession::outboundBody() const
{
    return vesweb::outboundBody(m_snapshot, m_record);
}

QString DesignSession::recordPath() const { return designFilePath(m_writeFolder, m_snapshot.skin); }

std::optional<DesignSession::MadeDesign> DesignSession::designMadeBy(const QByteArray &body) const
{
    DesignRecord carried; // only what this form carries
    const AppliedForm form = applyDesign(body, carried);
    if (!form.withinLimits())
        return std::nullopt;
    QString name;
    for (const auto &kv : form.settings) {
        if (kv.first == common::key::kSkin)
            name = kv.second;
    }
    // "c_mn" is a site's own value: only a recipe that reads as one makes a design.
    const auto recipe = painter::recipeFromField(carried.fields[1]);
    if (name.isNull() || !recipe)
        return std::nullopt;
    return MadeDesign{name, *recipe};
}

bool DesignSession::isShipped(const QString &name) const
{
    for (const QString &folder : m_readFolders) {
        if (QDir(folder) != QDir(m_writeFolder)
            && vespera::installedDesigns({folder}).contains(name))
            return true;
    }
    return false;
}

bool DesignSession::replacesOwnDesign(const MadeDesign &made) const
{
    return !isShipped(made.name) && vespera::isSafeDesignName(made.name)
           && vespera::installedDesigns({m_writeFolder}).contains(made.name);
}

QString DesignSession::makeDesign(const MadeDesign &made, bool *wasNew)
{
    if (!vespera::isSafeDesignName(made.name) || made.name.contains(QLatin1Char('@')))
        return QCoreApplication::translate("DesignSession", "「%1」はデザインの名前に使えません。")
            .arg(made.name);
    if (isShipped(made.name))
        return QCoreApplication::translate("DesignSession",
                                           "「%1」は付属のデザインなので、置き換えられません。"
                                           "別の名前を付けてください。")
            .arg(made.name);
    *wasNew = !vespera::installedDesigns({m_writeFolder}).contains(made.name);
    QString error;
    if (!vespera::installDesign(m_writeFolder, made.name, painter::paintDesignFiles(made.recipe),
                                &error))
        return QCoreApplication::translate("DesignSession", "デザインを保存できませんでした。\n%1")
            .arg(error);
    return QString();
}

bool DesignSession::apply(const QByteArray &body, QString *failure)
{
    // A design the form makes comes first: when it cannot be made, nothing
    // else the form carries is stored either.
    const auto made = designMadeBy(body);
    bool madeNew = false;
    if (made) {
        const QString problem = makeDesign(*made, &madeNew);
        if (!problem.isEmpty()) {
            if (failure)
                *failure = problem;
            return false;
        }
    }
    const AppliedForm form = applyDesign(body, m_record);
    QString problem;
    if (form.refused == AppliedForm::Refusal::OverALimit) {
        problem = QCoreApplication::translate(
            "DesignSession", "デザインの情報が大きすぎるため、適用しませんでした。");
    } else if (form.refused == AppliedForm::Refusal::LineBreak) {
        problem = QCoreApplication::translate(
            "DesignSession", "デザインの情報に改行が含まれているため、適用しませんでした。");
    } else if (!form.settings.isEmpty() && !m_store.saveSettings(common::kSection, form.settings)) {
        // One write for all: either every key of the design is stored or none.
        QStringList keys;
        for (const auto &kv : form.settings)
            keys << kv.first;
        problem =
            QCoreApplication::translate("DesignSession", "設定を保存できませんでした（%1）。\n%2\n")
                .arg(keys.join(QStringLiteral(", ")), m_store.lastError());
        // A design made for settings that could not be stored goes again.
        if (madeNew) {
            for (const QString &suffix : vespera::designFileSuffixes())
                QFile::remove(common::pathIn(m_writeFolder, made->name + suffix));
        }
    }
    if (form.designChanged) {
        const QString path = recordPath();
        QString error;
        const bool written = !path.isEmpty() && QDir().mkpath(m_writeFolder)
                             && common::writeFileAtomically(path, designFileBytes(m_record), &error,
                                                            common::Links::Refuse);
        if (!written)
            problem += QCoreApplication::translate("DesignSession",
                                                   "デザイン情報を保存できませんでした（%1）。%2")
                           .arg(path.isEmpty() ? m_snapshot.skin : path, error);
    }
    if (failure)
        *failure = problem;
    return problem.isEmpty();
}

} // namespace vesweb
