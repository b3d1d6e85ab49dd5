// A small INI document: ordered sections of ordered key/value strings.
#include "ini_document.h"

#include <QList>

namespace common {

namespace {

bool isPlainKeyChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7f && c != '=' && c != '%' && c != '[' && c != ']' && c != ';'
           && c != '#' && c != '"' && c != '\\';
}

} // namespace

QByteArray IniDocument::encodeKey(const QString &key)
{
    const QByteArray utf8 = key.toLower().toUtf8();
    QByteArray out;
    for (char c : utf8) {
        if (isPlainKeyChar(c))
            out += c;
        else
            out += '%'
                   + QByteArray::number(static_cast<unsigned char>(c), 16)
                         .rightJustified(2, '0')
                         .toUpper();
    }
    return out;
}

QString IniDocument::decodeKey(const QByteArray &raw)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(raw.trimmed())).toLower();
}

// A value is written bare unless bare text would not read back the same:
// then it is quoted with backslash escapes.
QByteArray IniDocument::encodeValue(const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    bool needsQuotes =
        !utf8.isEmpty() && (utf8.startsWith('"') || utf8.trimmed().size() != utf8.size());
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\\' || c == 0x7f)
            needsQuotes = true;
    }
    if (!needsQuotes)
        return utf8;

    QByteArray out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20 || u == 0x7f)
                out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out + '"';
}

QString IniDocument::decodeValue(const QByteArray &raw)
{
    const QByteArray text = raw.trimmed();
    if (text.size() < 2 || !text.startsWith('"') || !text.endsWith('"'))
        return QString::fromUtf8(text);

    QByteArray out;
    const QByteArray body = text.mid(1, text.size() - 2);
    for (int i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c != '\\' || i + 1 >= body.size()) {
            out += c;
            continue;
        }
        const char e = body[++i];
        switch (e) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            bool ok = false;
            const int code = body.mid(i + 1, 2).toInt(&ok, 16);
            if (ok && i + 2 < body.size()) {
                out += static_cast<char>(code);
                i += 2;
            } else {
                out += 'x';
            }
            break;
        }
        default: out += e; // \\ and \" and anything unknown stand for themselves
        }
    }
    return QString::fromUtf8(out);
}

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument doc;
    Section *current = nullptr;
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray &rawLine : lines) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const int close = line.indexOf(']');
            if (close < 0) {
                current = nullptr; // a broken header: skip its keys rather than misfile them
                continue;
            }
            current = doc.section(decodeKey(line.mid(1, close - 1)), true);
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq <= 0 || !current)
            continue;
        const QString key = decodeKey(line.left(eq));
        if (key.isEmpty())
            continue;
        doc.set(current->name, key, decodeValue(line.mid(eq + 1)));
    }
    return doc;
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    for (const Section &s : m_sections) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + encodeKey(s.name) + "]\n";
        for (const Entry &e : s.entries)
            out += encodeKey(e.key) + '=' + encodeValue(e.value) + '\n';
    }
    return out;
}

IniDocument::Section *IniDocument::section(const QString &name, bool create)
{
    const QString lower = name.toLower();
    for (Section &s : m_sections) {
        if (s.name == lower)
            return &s;
    }
    if (!create)
        return nullptr;
    m_sections.append(Section{lower, {}});
    return &m_sections.last();
}

const QString *IniDocument::find(const QString &sectionName, const QString &key) const
{
    const QString s = sectionName.toLower(), k = key.toLower();
    for (const Section &sec : m_sections) {
        if (sec.name != s)
            continue;
        for (const Entry &e : sec.entries) {
            if (e.key == k)
                return &e.value;
        }
    }
    return nullptr;
}

void IniDocument::set(const QString &sectionName, const QString &key, const QString &value)
{
    Section *s = section(sectionName, true);
    const QString k = key.toLower();
    for (Entry &e : s->entries) {
        if (e.key == k) {
            e.value = value;
            return;
        }
    }
    s->entries.append(Entry{k, value});
}

bool IniDocument::remove(const QString &sectionName, const QString &key)
{
    Section *s = section(sectionName, false);
    if (!s)
        return false;
    const QString k = key.toLower();
    for (int i = 0; i < s->entries.size(); ++i) {
        if (s->entries[i].key == k) {
            s->entries.remove(i);
            return true;
        }
    }
    return false;
}

bool IniDocument::removeSection(const QString &sectionName)
{
    // Every spelling: a hand-edited file may hold the section more than once.
    const QString lower = sectionName.toLower();
    const auto removed = m_sections.removeIf([&](const Section &s) { return s.name == lower; });
    return removed > 0;
}

} // namespace common
