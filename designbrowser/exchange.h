// What the design browser trades with the design site: the design record
// and its file, the URL encoder, the body posted to the site, and the scan
// of the form the site submits when a design is applied.
#pragma once

#include "common/settings_store.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>

namespace vesweb {

// The seven fields, in the order of the design file.
struct DesignRecord {
    static constexpr int kFields = 7;
    static const std::array<const char *, kFields> &keys(); // name, c_mn, ..., fname
    std::array<QString, kFields> fields;
    QString &name() { return fields[0]; }
    const QString &name() const { return fields[0]; }
    // The field for a key (case-sensitive), or null when it is none of them.
    QString *field(const QString &key);
    const QString &value(int i) const { return fields[size_t(i)]; }
};

// Read once when the browser starts.
struct DesignSnapshot {
    QString skin = QStringLiteral("blue");
    int hide = 0;
    int wan = 0;
};
DesignSnapshot readSnapshot(const common::SettingsStore &store);

// Each character by its Shift-JIS code: "+" for a blank, letters, digits and
// "*._-" as they are, "%XX" for other single bytes and "%XX%YY" for double
// bytes; a character Shift-JIS lacks counts as "?".
QString UrlEncode(const QString &text);

// The body posted to the site, in Shift-JIS.
QByteArray outboundBody(const DesignSnapshot &snapshot, const DesignRecord &record);

// The design file: one Shift-JIS line, the seven fields joined by commas, CR LF.
QByteArray designFileBytes(const DesignRecord &record);
// Reads the fields from the start of a design file: each ends at a comma or
// a line end, leading blanks are skipped, a quoted field runs to its closing
// quote; missing fields stay empty, anything after the seventh is ignored.
DesignRecord readDesignFile(const QByteArray &bytes);

// A design name that can name files in a folder without reaching outside
// it: not empty, no path separator, no "..", no NUL.
bool isSafeDesignName(const QString &skin);
// Where the design file of a skin lives in a folder; empty for an unsafe name.
QString designFilePath(const QString &folder, const QString &skin);

// Scans the form a site submitted for fields named "vsr" + key. Design
// fields go into the record; any other key is handed to `save`, one at a
// time in body order, except those a site must never set: the program an
// alarm starts ("pgm") and the alarm reservations ("0", "1", ...). Returns
// whether a design field was among them. A part without its closing quote
// or its final CR ends the scan.
bool ApplyDesign(const QByteArray &body, DesignRecord &record,
                 const std::function<void(const QString &key, const QString &value)> &save);

} // namespace vesweb
