// The per-user settings store shared by the clock, the design browser and the remover.
#pragma once

#include "ini_document.h"

#include <QPair>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace common {

// Application, section and key names used by every program.
inline const QString kApplication = QStringLiteral("kestrel");
inline const QString kSection = QStringLiteral("pendra");

// One INI file per user and application: $XDG_CONFIG_HOME/<application>.ini.
// Section and key names compare without regard to case; they are stored
// lower-cased. Every write takes a lock, re-reads the file, changes only its
// own keys and replaces the file atomically, so programs writing at the same
// time never lose each other's keys and a crash never leaves a torn file.
class SettingsStore {
public:
    explicit SettingsStore(const QString &application = kApplication);
    static SettingsStore atPath(const QString &iniPath);

    QString filePath() const { return m_path; }

    // The whole file as read now, for a reader that wants many keys at once.
    IniDocument snapshot() const;

    // Stored value, or nothing when the key is absent (an empty value is present).
    std::optional<QString> value(const QString &section, const QString &key) const;

    // The stored string, or the default when the key is absent.
    QString GetSetting(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    QString GetSetting(const QString &section, const QString &key, int defaultValue) const;

    bool SaveSetting(const QString &section, const QString &key, const QString &value);
    // Several keys in one locked rewrite; order is kept.
    bool SaveSettings(const QString &section, const QVector<QPair<QString, QString>> &values);

    // Any change of the document, in one locked rewrite; nothing is written
    // when the change returns false.
    bool change(const std::function<bool(IniDocument &)> &edit);

    // Removes one key; false when it was absent (callers ignore that).
    bool DeleteSetting(const QString &section, const QString &key);
    // Removes a whole section; false when it was absent.
    bool DeleteSection(const QString &section);

private:
    struct Tag {};
    SettingsStore(Tag, const QString &path) : m_path(path) {}
    QString m_path;
};

QString configDirectory();

} // namespace common
