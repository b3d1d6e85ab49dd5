// The design browser's side of the exchange for one run: the settings read
// at start-up, the design record and its file, the body posted to the site
// and the storing of an applied design.
#pragma once

#include "exchange.h"

#include <QStringList>

namespace vesweb {

class DesignSession {
public:
    // Design records are written into `writeFolder` and looked up in
    // `readFolders`, first match wins.
    DesignSession(common::SettingsStore &store, const QString &writeFolder,
                  const QStringList &readFolders);

    // Reads the snapshot and the design record of its skin: "def" as the
    // name when there is no record; a short or unreadable one leaves the
    // missing fields empty.
    void load();
    QByteArray outboundBody() const;

    // Stores what an applied form carries: its settings in one write, and
    // the design record of the start-up skin when a design field came. A
    // form over the limits is refused whole. False with a reason when
    // something was refused or could not be stored.
    bool apply(const QByteArray &body, QString *failure = nullptr);

    const DesignSnapshot &snapshot() const { return m_snapshot; }
    const DesignRecord &record() const { return m_record; }
    // Where the record of the start-up skin is written; empty for a skin
    // name that must not name a file.
    QString recordPath() const;

private:
    common::SettingsStore &m_store;
    QString m_writeFolder;
    QStringList m_readFolders;
    DesignSnapshot m_snapshot;
    DesignRecord m_record;
};

} // namespace vesweb
