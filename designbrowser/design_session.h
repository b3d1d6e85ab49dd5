// The design browser's side of the exchange for one run: the settings read
// at start-up, the design record and its file, the body posted to the site
// and the storing of an applied design.
#pragma once

#include "exchange.h"

#include "design/design_install.h"
#include "painter/recipe.h"

#include <QStringList>
#include <optional>

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
    // the design record of the start-up skin when a design field came. All
    // or nothing: a form over the limits is refused whole, and when any
    // write fails, what was written for it is taken back. False with a
    // reason when something was refused or could not be stored.
    //
    // A form that carries a recipe (the studio's, in "c_mn") and a design
    // name ("skin") makes that design: its pictures are painted from the
    // recipe and written into the user's folder. A shipped design is never
    // painted over, and a name that must not name a file is refused.
    bool apply(const QByteArray &body, QString *failure = nullptr);

    // The design a form would make, when it makes one.
    struct MadeDesign {
        QString name;
        painter::Recipe recipe;
    };
    std::optional<MadeDesign> designMadeBy(const QByteArray &body) const;
    // Whether that design would replace one of the user's own.
    bool replacesOwnDesign(const MadeDesign &made) const;

    const DesignSnapshot &snapshot() const { return m_snapshot; }
    // Where the user's designs go, and every folder designs are found in.
    const QString &userFolder() const { return m_writeFolder; }
    const QStringList &folders() const { return m_readFolders; }
    const DesignRecord &record() const { return m_record; }
    // Where the record of the start-up skin is written; empty for a skin
    // name that must not name a file.
    QString recordPath() const;

private:
    // Paints and installs a design a form makes; the reason when it cannot.
    // `replaced` gets the files of the user's own design it replaces, none
    // for a new one, for unmakeDesign() to put back.
    QString makeDesign(const MadeDesign &made, QVector<vespera::DesignFile> *replaced);
    void unmakeDesign(const QString &name, const QVector<vespera::DesignFile> &replaced);
    bool isShipped(const QString &name) const;

    common::SettingsStore &m_store;
    QString m_writeFolder;
    QStringList m_readFolders;
    DesignSnapshot m_snapshot;
    DesignRecord m_record;
};

} // namespace vesweb
