// What the design browser trades with the design site: the design record
// and its file, the URL encoder, the body posted to the site, and the scan
// of the form the site submits when a design is applied.
#pragma once

#include "common/setting_keys.h"
#include "common/settings_store.h"
#include "design/design_files.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QVector>
#include <array>

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
    QString skin = common::key::kDefaultSkin;
    int hide = 0;
    int dog = 0; // the dog moves: 1, or 0
};
DesignSnapshot readSnapshot(const common::SettingsStore &store);
DesignSnapshot snapshotOf(const common::IniDocument &settings);

// Each character by its Shift-JIS code: "+" for a blank, letters, digits and
// "*._-" as they are, "%XX" for other single bytes and "%XX%YY" for double
// bytes; a character Shift-JIS lacks counts as "?".
QString urlEncode(const QString &text);

// The body posted to the site, in Shift-JIS.
QByteArray outboundBody(const DesignSnapshot &snapshot, const DesignRecord &record);

// The design file: one Shift-JIS line, the seven fields joined by commas, CR LF.
QByteArray designFileBytes(const DesignRecord &record);
// Reads the fields from the start of a design file: each ends at a comma or
// a line end, leading blanks are skipped, a quoted field runs to its closing
// quote; missing fields stay empty, anything after the seventh is ignored.
DesignRecord readDesignFile(const QByteArray &bytes);

using vespera::isSafeDesignName;
// Where the design file of a skin lives in a folder; empty for an unsafe name.
QString designFilePath(const QString &folder, const QString &skin);

// Whether a request the browser is about to make is an apply: a form the
// page itself posts (in its main frame) to exactly the apply address.
bool isApplyRequest(bool mainFrame, const QByteArray &method, const QUrl &url,
                    const QString &applyUrl);

// Limits on one apply. A design carries a handful of short fields; these are
// far above that, and far below what would make the settings file big or a
// store of it slow.
inline constexpr int kMaxApplyBody = 64 * 1024; // bytes of the submitted form
inline constexpr int kMaxApplyFields = 64;      // "vsr" fields, every kind counted
inline constexpr int kMaxApplyText = 1024;      // bytes of one key or value as a file holds it

// Whether a site may store this key. It may carry the design and its look
// (the skin, the dog, the 24-hour face, the week mark, the view, the corner,
// always on top, tucking) and keys the clock does not know; never what rings
// or starts programs, the running total or the clock's own bookkeeping.
bool siteMaySet(const QString &key);

// What a submitted form asks for.
struct AppliedForm {
    // Why nothing is taken from the form, when something is wrong with it.
    enum class Refusal { None, OverALimit, LineBreak };
    Refusal refused = Refusal::None;
    bool designChanged = false;                // a design field was among the fields
    QVector<QPair<QString, QString>> settings; // keys a site may set, in body order
    bool withinLimits() const { return refused == Refusal::None; }
};

// The bytes a key or a value takes where it is stored: a setting as the
// settings file writes it (UTF-8, escaped where it must be), a field of the
// design record in Shift-JIS.
int storedSettingKeySize(const QString &key);
int storedSettingValueSize(const QString &value);
int storedDesignFieldSize(const QString &value);

// Scans the multipart form a site submitted for fields named "vsr" + key,
// each value the whole of its part. Design fields go into the record; any
// other key a site may set goes into the settings, in body order. A part cut
// short ends the scan. A form over a limit, or with a line break in a value
// (which neither file can keep on its line), changes nothing, not even the
// record.
AppliedForm applyDesign(const QByteArray &body, DesignRecord &record);

} // namespace vesweb
