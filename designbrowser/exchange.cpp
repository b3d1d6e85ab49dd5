// What the design browser trades with the design site: the design record
// and its file, the URL encoder, the body posted to the site, and the scan
// of the form the site submits when a design is applied.
#include "exchange.h"
#include "common/setting_keys.h"

#include "common/data_dir.h"
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
    s.wan = number(common::key::kDog);
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
        + QString::number(snapshot.wan);
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

AppliedForm applyDesign(const QByteArray &body, DesignRecord &record)
{
    AppliedForm form;
    if (body.size() > kMaxApplyBody) {
        form.withinLimits = false;
        return form;
    }
    static const QString marker = QStringLiteral("name=\"vsr");
    const QString text = common::fromShiftJis(body);
    DesignRecord design = record;
    int fields = 0;
    int start = 0;
    while (true) {
        const int at = text.indexOf(marker, start);
        if (at < 0)
            break;
        const int keyStart = at + marker.size();
        const int quote = text.indexOf(QLatin1Char('"'), keyStart);
        if (quote < 0)
            break;                        // a key without its closing quote: nothing more to read
        const int valueStart = quote + 5; // past the quote, CR LF and the empty line
        const int cr = valueStart <= text.size() ? text.indexOf(QLatin1Char('\r'), valueStart) : -1;
        if (cr < 0)
            break; // a value without its CR
        const QString key = text.mid(keyStart, quote - keyStart);
        const QString value = text.mid(valueStart, cr - valueStart);
        start = cr;
        if (++fields > kMaxApplyFields || key.size() > kMaxApplyText
            || value.size() > kMaxApplyText) {
            form.withinLimits = false;
            form.settings.clear();
            form.designChanged = false;
            return form;
        }
        if (QString *field = design.field(key)) {
            *field = value;
            form.designChanged = true;
        } else if (siteMaySet(key)) {
            form.settings.append({key, value});
        }
    }
    record = design;
    return form;
}

} // namespace vesweb
