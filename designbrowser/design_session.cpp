// The design browser's side of the exchange for one run.
#include "design_session.h"

#include "common/atomic_file.h"
#include "common/data_dir.h"

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

bool DesignSession::apply(const QByteArray &body, QString *failure)
{
    const AppliedForm form = applyDesign(body, m_record);
    QString problem;
    if (!form.withinLimits) {
        problem = QCoreApplication::translate(
            "DesignSession", "デザインの情報が大きすぎるため、適用しませんでした。");
    } else if (!form.settings.isEmpty() && !m_store.saveSettings(common::kSection, form.settings)) {
        // One write for all: either every key of the design is stored or none.
        QStringList keys;
        for (const auto &kv : form.settings)
            keys << kv.first;
        problem =
            QCoreApplication::translate("DesignSession", "設定を保存できませんでした（%1）。\n%2\n")
                .arg(keys.join(QStringLiteral(", ")), m_store.lastError());
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
