// The per-user settings store shared by the clock, the design browser and the remover.
#include "settings_store.h"
#include "ini_document.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <functional>

namespace common {

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Runs one change of the file under the store's lock: read the newest file,
// change it, replace it atomically. Returns what the change returned, or false
// when the file could not be written.
bool rewrite(const QString &path, const std::function<bool(IniDocument &)> &change)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    // A writer that hangs while holding the lock must not stop us for good:
    // after the wait we write anyway, which is no worse than having no lock.
    const bool locked = lock.tryLock(5000);

    IniDocument doc = IniDocument::parse(readAll(path));
    const bool result = change(doc);
    if (!result)
        return false;

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(doc.serialize());
    const bool written = out.commit();
    if (locked)
        lock.unlock();
    return written;
}

} // namespace

QString configDirectory()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

SettingsStore::SettingsStore(const QString &application)
    : m_path(configDirectory() + QLatin1Char('/') + application.toLower() + QStringLiteral(".ini"))
{
}

SettingsStore SettingsStore::atPath(const QString &iniPath)
{
    return SettingsStore(Tag{}, iniPath);
}

IniDocument SettingsStore::snapshot() const { return IniDocument::parse(readAll(m_path)); }

std::optional<QString> SettingsStore::value(const QString &section, const QString &key) const
{
    const IniDocument doc = snapshot();
    if (const QString *v = doc.find(section, key))
        return *v;
    return std::nullopt;
}

QString SettingsStore::GetSetting(const QString &section, const QString &key,
                                  const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

QString SettingsStore::GetSetting(const QString &section, const QString &key,
                                  int defaultValue) const
{
    return GetSetting(section, key, QString::number(defaultValue));
}

bool SettingsStore::SaveSetting(const QString &section, const QString &key, const QString &value)
{
    return SaveSettings(section, {{key, value}});
}

bool SettingsStore::SaveSettings(const QString &section,
                                 const QVector<QPair<QString, QString>> &values)
{
    return rewrite(m_path, [&](IniDocument &doc) {
        for (const auto &kv : values)
            doc.set(section, kv.first, kv.second);
        return true;
    });
}

bool SettingsStore::change(const std::function<bool(IniDocument &)> &edit)
{
    return rewrite(m_path, edit);
}

bool SettingsStore::DeleteSetting(const QString &section, const QString &key)
{
    return rewrite(m_path, [&](IniDocument &doc) { return doc.remove(section, key); });
}

bool SettingsStore::DeleteSection(const QString &section)
{
    return rewrite(m_path, [&](IniDocument &doc) { return doc.removeSection(section); });
}

} // namespace common
