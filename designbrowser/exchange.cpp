// What the design browser trades with the design site: the design record
// and its file, the URL encoder, the body posted to the site, and the scan
// of the form the site submits when a design is applied.
#include "exchange.h"
#include "common/setting_keys.h"

#include "common/data_dir.h"
#include "common/ini_document.h"
#include "common/shift_jis.h"

#include <QDir>
#include <algorithm>

namespace vesweb {

const std::array<const char *, DesignRecord::kFields> &DesignRecord::keys()
{
    static const std::array<const char *, kFields> names = {"name", "c_mn", "c_bg", "c_ms",
                                                            "c_mw", "c_bs", "fname"};
    return names;
}

QString *DesignRecord::field(const QString &key)
{
    for (int i = 0; i < kFields; ++i) {
        if (key == QLatin1String(keys()[size_t(i)]))
            return &fields[size_t(i)];
    }
    return nullptr;
}

DesignSnapshot readSnapshot(const common::SettingsStore &store)
{
    return snapshotOf(store.snapshot());
}

DesignSnapshot snapshotOf(const common::IniDocument &doc)
{
    DesignSnapshot s;
    if (const QString *skin = doc.find(common::kSection, common::key::kSkin))
        s.skin = *skin;
    // Numbers as they are stored; text that is none reads as 0.
    auto number = [&](const QString &key) {
        const QString *v = doc.find(common::kSection, key);
        const int n = v ? v->trimmed().toInt() : 0;
        return qBound(-32768, n, 32767);
    };
    s.hide = number(common::key::kHideMode);
    s.dog = number(common::key::kDog);
    return s;
}

QString urlEncode(const QString &text)
{
    QString out;
    for (const uint code : text.toUcs4()) {
        const QByteArray bytes =
            common::toShiftJis(QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1));
        const auto hex = [](uchar b) {
            return QStringLiteral("%%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        };
        if (bytes.size() >= 2) {
            out += hex(uchar(bytes[0])) + hex(uchar(bytes[1]));
            continue;
        }
        const uchar c = bytes.isEmpty() ? uchar('?') : uchar(bytes[0]);
        if (c == ' ')
            out += QLatin1Char('+');
        else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
                 || c == '*' || c == '.' || c == '_' || c == '-')
            out += QLatin1Char(char(c));
        else
            out += hex(c);
    }
    return out;
}

QByteArray outboundBody(const DesignSnapshot &snapshot, const DesignRecord &r)
{
    const QString text =
        QStringLiteral("des=") + urlEncode(snapshot.skin) + QStringLiteral("&name=")
        + urlEncode(r.value(0)) + QStringLiteral("&c_mn=") + r.value(1) + QStringLiteral("&c_bg=")
        + r.value(2) + QStringLiteral("&c_ms=") + r.value(3) + QStringLiteral("&c_mw=") + r.value(4)
        + QStringLiteral("&c_bs=") + r.value(5) + QStringLiteral("&fname=") + urlEncode(r.value(6))
        + QStringLiteral("&hide=") + QString::number(snapshot.hide) + QStringLiteral("&wan=")
        + QString::number(snapshot.dog);
    return common::toShiftJis(text);
}

QByteArray designFileBytes(const DesignRecord &record)
{
    QStringList fields;
    for (const QString &f : record.fields)
        fields << f;
    return common::toShiftJis(fields.join(QLatin1Char(','))) + "\r\n";
}

DesignRecord readDesignFile(const QByteArray &bytes)
{
    const QString text = common::fromShiftJis(bytes);
    DesignRecord record;
    const auto isEnd = [&](int i) { return i >= text.size(); };
    const auto endsField = [&](int i) {
        return isEnd(i) || text[i] == QLatin1Char(',') || text[i] == QLatin1Char('\r')
               || text[i] == QLatin1Char('\n');
    };
    int i = 0;
    for (int f = 0; f < DesignRecord::kFields && !isEnd(i); ++f) {
        while (!isEnd(i) && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
            ++i;
        QString value;
        if (!isEnd(i) && text[i] == QLatin1Char('"')) {
            const int close = text.indexOf(QLatin1Char('"'), i + 1);
            const int end = close < 0 ? text.size() : close;
            value = text.mid(i + 1, end - i - 1);
            i = close < 0 ? text.size() : close + 1;
            while (!endsField(i)) // whatever follows the quote, up to the separator
                ++i;
        } else {
            const int start = i;
            while (!endsField(i))
                ++i;
            value = text.mid(start, i - start);
        }
        record.fields[size_t(f)] = value;
        // Past the separator: a comma, or one line end (CR LF counts as one).
        if (!isEnd(i) && text[i] == QLatin1Char('\r'))
            ++i;
        if (!isEnd(i) && (text[i] == QLatin1Char(',') || text[i] == QLatin1Char('\n')))
            ++i;
    }
    return record;
}

QString designFilePath(const QString &folder, const QString &skin)
{
    if (!isSafeDesignName(skin))
        return QString();
    return common::pathIn(folder, skin + QStringLiteral(".vsn"));
}

bool isApplyRequest(bool mainFrame, const QByteArray &method, const QUrl &url,
                    const QString &applyUrl)
{
    // A picture, a script or a frame pointed at the apply address, or a
    // form sent by GET, must not bring up the question.
    return mainFrame && method == QByteArrayLiteral("POST") && url.toString() == applyUrl;
}

bool siteMaySet(const QString &key)
{
    // Alarms, the chime and their volumes, the program an alarm starts, the
    // running total and its ledger, the welcome, the program's folder and
    // the monitor: compared without case, as the store compares names.
    static const QStringList refused = {
        common::key::kAlarmOn,       common::key::kAlarmProgram, common::key::kChimeOn,
        common::key::kAlarmVolumeOn, common::key::kAlarmVolume,  common::key::kChimeVolumeOn,
        common::key::kChimeVolume,   common::key::kTotal,        common::key::kTotalBoot,
        common::key::kTotalCounted,  common::key::kWelcomeSeen,  common::key::kProgramFolder,
        common::key::kMonitor};
    const QString name = key.trimmed();
    if (name.isEmpty() || refused.contains(name, Qt::CaseInsensitive))
        return false;
    // The alarm reservations are the numbered keys.
    return !std::all_of(name.begin(), name.end(), [](QChar c) { return c.isDigit(); });
}

int storedSettingKeySize(const QString &key) { return common::IniDocument::encodeKey(key).size(); }

int storedSettingValueSize(const QString &value)
{
    return common::IniDocument::encodeValue(value).size();
}

int storedDesignFieldSize(const QString &value) { return common::toShiftJis(value).size(); }

namespace {

// One part of a multipart form: the field's name and its whole value.
struct FormPart {
    QString name;
    QString value;
};

// The parts of a multipart form, in order, as far as they are whole. The
// boundary is the body's first line; a value runs up to the next boundary,
// line breaks and all, so nothing in a value can end it early.
QVector<FormPart> formParts(const QString &text)
{
    QVector<FormPart> parts;
    const QString lineEnd = QStringLiteral("\r\n");
    if (!text.startsWith(QLatin1String("--")))
        return parts;
    const int firstLineEnd = text.indexOf(lineEnd);
    if (firstLineEnd < 0)
        return parts;
    const QString delimiter = lineEnd + text.left(firstLineEnd);
    static const QString nameMarker = QStringLiteral("name=\"");
    int at = firstLineEnd + lineEnd.size();
    while (true) {
        const int headerEnd = text.indexOf(QStringLiteral("\r\n\r\n"), at);
        if (headerEnd < 0)
            break;
        const int valueStart = headerEnd + 4;
        const int valueEnd = text.indexOf(delimiter, valueStart);
        if (valueEnd < 0)
            break; // cut short: no part after it can be whole
        const QString header = text.mid(at, headerEnd - at);
        const int nameAt = header.indexOf(nameMarker);
        const int nameEnd =
            nameAt < 0 ? -1 : header.indexOf(QLatin1Char('"'), nameAt + nameMarker.size());
        if (nameEnd >= 0) {
            const int nameStart = nameAt + nameMarker.size();
            parts.append({header.mid(nameStart, nameEnd - nameStart),
                          text.mid(valueStart, valueEnd - valueStart)});
        }
        at = valueEnd + delimiter.size();
        if (text.mid(at, 2) == QLatin1String("--"))
            break; // the closing boundary
        const int next = text.indexOf(lineEnd, at);
        if (next < 0)
            break;
        at = next + lineEnd.size();
    }
    return parts;
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

} // namespace

AppliedForm applyDesign(const QByteArray &body, DesignRecord &record)
{
    AppliedForm form;
    const auto refuse = [](AppliedForm::Refusal why) {
        AppliedForm refused;
        refused.refused = why;
        return refused;
    };
    if (body.size() > kMaxApplyBody)
        return refuse(AppliedForm::Refusal::OverALimit);
    DesignRecord design = record;
    int fields = 0;
    bool lineBreak = false;
    for (const FormPart &part : formParts(common::fromShiftJis(body))) {
        if (!part.name.startsWith(QLatin1String("vsr")))
            continue;
        const QString key = part.name.mid(3);
        QString *field = design.field(key);
        const int valueSize =
            field ? storedDesignFieldSize(part.value) : storedSettingValueSize(part.value);
        if (++fields > kMaxApplyFields || storedSettingKeySize(key) > kMaxApplyText
            || valueSize > kMaxApplyText)
            return refuse(AppliedForm::Refusal::OverALimit);
        // Read on: a later part over a limit is the reason that counts.
        lineBreak = lineBreak || hasLineBreak(part.value);
        if (field) {
            *field = part.value;
            form.designChanged = true;
        } else if (siteMaySet(key)) {
            form.settings.append({key, part.value});
        }
    }
    if (lineBreak)
        return refuse(AppliedForm::Refusal::LineBreak);
    record = design;
    return form;
}

} // namespace vesweb
