// The per-user settings store shared by the clock, the design browser and the remover.
#pragma once

#include "ini_document.h"

#include <QCoreApplication>
#include <QPair>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
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
// A write that cannot be done whole (a full disk, a lock held too long, a
// file that exists but cannot be read) changes nothing, says why on stderr
// and returns false; lastError() keeps the reason for a message.
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
    QString getSetting(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    QString getSetting(const QString &section, const QString &key, int defaultValue) const;

    bool saveSetting(const QString &section, const QString &key, const QString &value);
    // Several keys in one locked rewrite; order is kept.
    bool saveSettings(const QString &section, const QVector<QPair<QString, QString>> &values);

    // Any change of the document, in one locked rewrite; nothing is written
    // when the change returns false.
    bool change(const std::function<bool(IniDocument &)> &edit);

    // Removes one key; false when it was absent (callers ignore that).
    bool deleteSetting(const QString &section, const QString &key);
    // Removes a whole section; false when it was absent.
    bool deleteSection(const QString &section);

    // Several writes as one locked rewrite, for one action of the user (an
    // options dialog closing): from the batch's start the file is locked and
    // read once, every write changes that copy (and reads see it), and the
    // commit replaces the file once, or not at all when nothing changed. A
    // write in a batch that could not start fails at once, without a word
    // of its own; the batch's start or commit says why, once. Keep a batch
    // to the moment the writes take, never across a question to the user:
    // other programs' writes wait for it.
    class Batch {
    public:
        explicit Batch(SettingsStore &store);
        ~Batch() { commit(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;
        // Ends the batch: true when everything written in it is stored.
        // A batch opened inside another joins it and ends with it.
        bool commit();

    private:
        SettingsStore &m_store;
        bool m_joined = false, m_ended = false;
    };

    // How long a write waits for another program's to end before it fails.
    void setLockWait(int ms) { m_lockWaitMs = ms; }

    // How many times this store has replaced the file: what a test counts.
    int writeCount() const { return m_writes; }

    // Why the last write failed; empty when it succeeded, or when it
    // returned false only because there was nothing to change.
    QString lastError() const { return m_lastError; }
    // What a person who asked for the last write is told when it failed.
    QString unsavedMessage() const
    {
        return QCoreApplication::translate("SettingsStore", "設定を保存できませんでした。\n")
               + m_lastError;
    }

private:
    struct Tag {};
    SettingsStore(Tag, const QString &path) : m_path(path) {}
    bool rewrite(const std::function<bool(IniDocument &)> &change);
    bool failed(const QString &why);
    // The file as it is now, or nothing when it exists but cannot be read.
    std::optional<IniDocument> read(QString *error) const;

    // The last file parsed, known by its identity and times: a reader that
    // asks again while the file is unchanged is not made to parse it again.
    struct Parsed {
        quint64 device = 0, inode = 0;
        qint64 size = -1, modifiedNs = 0, changedNs = 0;
        IniDocument doc;
    };
    QString m_path;
    QString m_lastError;
    // Our programs hold the lock for the few milliseconds a rewrite takes, so
    // a longer hold means a program that hangs: better to fail and say so
    // than to write past it and have its commit wipe out ours.
    int m_lockWaitMs = 10000;
    mutable std::optional<Parsed> m_parsed;
    // The batch under way: its lock and the file as it will be written.
    struct Pending;
    std::shared_ptr<Pending> m_pending;
    mutable bool m_warnedUnreadable = false;
    int m_writes = 0;
};

QString configDirectory();

} // namespace common
