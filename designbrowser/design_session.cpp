// The design browser's side of the exchange for one run.
#include "design_session.h"

#include "common/atomic_file.h"
#include "common/data_dir.h"
#include "design/design_install.h"
#include "painter/design_painter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <memory>
#include <sys/stat.h>

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

QString DesignSession::makeDesign(const MadeDesign &made, QVector<vespera::DesignFile> *replaced)
{
    if (!vespera::isSafeDesignName(made.name) || made.name.contains(QLatin1Char('@')))
        return QCoreApplication::translate("DesignSession", "「%1」はデザインの名前に使えません。")
            .arg(made.name);
    if (isShipped(made.name))
        return QCoreApplication::translate("DesignSession",
                                           "「%1」は付属のデザインなので、置き換えられません。"
                                           "別の名前を付けてください。")
            .arg(made.name);
    replaced->clear();
    if (vespera::installedDesigns({m_writeFolder}).contains(made.name)) {
        for (const QString &suffix : vespera::designFileSuffixes()) {
            QFile file(common::pathIn(m_writeFolder, made.name + suffix));
            if (file.open(QIODevice::ReadOnly))
                replaced->append({suffix, file.readAll()});
        }
    }
    QString error;
    if (!vespera::installDesign(m_writeFolder, made.name, painter::paintDesignFiles(made.recipe),
                                &error))
        return QCoreApplication::translate("DesignSession", "デザインを保存できませんでした。\n%1")
            .arg(error);
    return QString();
}

void DesignSession::unmakeDesign(const QString &name, const QVector<vespera::DesignFile> &replaced)
{
    if (!replaced.isEmpty()) {
        vespera::installDesign(m_writeFolder, name, replaced);
        return;
    }
    for (const QString &suffix : vespera::designFileSuffixes())
        QFile::remove(common::pathIn(m_writeFolder, name + suffix));
}

namespace {

// The design record written in full beside its place, to take that place
// only once everything else of the apply is stored; null, with the reason,
// when it cannot be written. Only a file of its own is replaced: a link or
// anything else at its place is left alone.
std::unique_ptr<QSaveFile> stageRecord(const QString &path, const QByteArray &bytes, QString *error)
{
    struct stat there {};
    if (::lstat(QFile::encodeName(path).constData(), &there) == 0 && !S_ISREG(there.st_mode)) {
        *error = path + QStringLiteral(": not a regular file, left alone");
        return nullptr;
    }
    auto file = std::make_unique<QSaveFile>(path);
    // Flushed now, so that a full disk shows before anything else is written.
    if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size() || !file->flush()) {
        *error = path + QStringLiteral(": ") + file->errorString();
        return nullptr;
    }
    return file;
}

} // namespace

bool DesignSession::apply(const QByteArray &body, QString *failure)
{
    const auto refuse = [failure](const QString &why) {
        if (failure)
            *failure = why;
        return false;
    };
    DesignRecord record = m_record;
    const AppliedForm form = applyDesign(body, record);
    if (form.refused == AppliedForm::Refusal::OverALimit)
        return refuse(QCoreApplication::translate(
            "DesignSession", "デザインの情報が大きすぎるため、適用しませんでした。"));
    if (form.refused == AppliedForm::Refusal::LineBreak)
        return refuse(QCoreApplication::translate(
            "DesignSession", "デザインの情報に改行が含まれているため、適用しませんでした。"));
    const auto recordProblem = [this](const QString &path, const QString &error) {
        return QCoreApplication::translate("DesignSession",
                                           "デザイン情報を保存できませんでした（%1）。%2")
            .arg(path.isEmpty() ? m_snapshot.skin : path, error);
    };

    // The record is written beside its place first (a full disk or a place
    // that is not ours stops the apply there), then the design the form
    // makes, then the settings in one write; only then does the record take
    // its place, by a rename, which a full disk does not stop. Each failure
    // takes back what was written before it.
    std::unique_ptr<QSaveFile> staged;
    if (form.designChanged) {
        const QString path = recordPath();
        QString error;
        if (!path.isEmpty() && !QDir().mkpath(m_writeFolder))
            error = m_writeFolder + QStringLiteral(": cannot make this folder");
        else if (!path.isEmpty())
            staged = stageRecord(path, designFileBytes(record), &error);
        if (!staged)
            return refuse(recordProblem(path, error));
    }
    const auto made = designMadeBy(body);
    QVector<vespera::DesignFile> replaced;
    if (made) {
        const QString problem = makeDesign(*made, &replaced);
        if (!problem.isEmpty())
            return refuse(problem);
    }
    const auto unmake = [&] {
        if (made)
            unmakeDesign(made->name, replaced);
    };

    // One write for all the settings, noting what each key held before.
    QHash<QString, std::optional<QString>> before;
    QHash<QString, QString> written;
    if (!form.settings.isEmpty()) {
        const bool stored = m_store.change([&](common::IniDocument &doc) {
            before.clear();
            written.clear();
            for (const auto &kv : form.settings) {
                const QString key = kv.first.toLower();
                if (!before.contains(key)) {
                    const QString *old = doc.find(common::kSection, key);
                    before.insert(key, old ? std::optional<QString>(*old) : std::nullopt);
                }
                written.insert(key, kv.second);
                doc.set(common::kSection, key, kv.second);
            }
            return true;
        });
        if (!stored) {
            unmake();
            QStringList keys;
            for (const auto &kv : form.settings)
                keys << kv.first;
            return refuse(QCoreApplication::translate("DesignSession",
                                                      "設定を保存できませんでした（%1）。\n%2\n")
                              .arg(keys.join(QStringLiteral(", ")), m_store.lastError()));
        }
    }

    if (staged && !staged->commit()) {
        const QString error = staged->errorString();
        // The settings go back to what they were, except a key another
        // program has changed since.
        const bool takenBack = written.isEmpty() || m_store.change([&](common::IniDocument &doc) {
            for (auto it = before.cbegin(); it != before.cend(); ++it) {
                const QString *now = doc.find(common::kSection, it.key());
                if (!now || *now != written.value(it.key()))
                    continue;
                if (it.value())
                    doc.set(common::kSection, it.key(), *it.value());
                else
                    doc.remove(common::kSection, it.key());
            }
            return true;
        });
        unmake();
        QString problem = recordProblem(recordPath(), error);
        if (!takenBack)
            problem += QCoreApplication::translate(
                           "DesignSession", "\n設定は保存されたまま、元に戻せませんでした。\n%1")
                           .arg(m_store.lastError());
        return refuse(problem);
    }
    m_record = record;
    if (failure)
        failure->clear();
    return true;
}

} // namespace vesweb
