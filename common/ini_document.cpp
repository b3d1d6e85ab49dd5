// A small INI document: ordered sections of ordered key/value strings.
#include "ini_document.h"

#include <QStringDecoder>

namespace common {

namespace {

bool isPlainKeyChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7f && c != '=' && c != '%' && c != '[' && c != ']' && c != ';'
           && c != '#' && c != '"' && c != '\\';
}

// UTF-8 text exactly as written. QString::fromUtf8 drops a byte-order mark
// at the start, so a key "\uFEFFpgm" would read back as "pgm": another key.
QString utf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
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
    return utf8(QByteArray::fromPercentEncoding(raw.trimmed())).toLower();
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
        return utf8(text);

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
    return utf8(out);
}

IniDocument IniDocument::parse(const QByteArray &bytes)
{
    IniDocument doc;
    // Some editors begin a UTF-8 file with a byte-order mark; it is no part
    // of the first line, nor of any other.
    static const QByteArray kBom("\xEF\xBB\xBF");
    int current = -1; // the section the lines go to; -1: none yet
    auto keepRaw = [&doc, &current](const QByteArray &raw) {
        if (current < 0) {
            doc.m_sections.append(Section{});
            doc.m_sections.last().verbatim = true;
            current = doc.m_sections.size() - 1;
        }
        doc.m_sections[current].lines.append(Line{{}, {}, raw, true});
    };
    for (int from = 0; from < bytes.size();) {
        int end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        QByteArray raw = bytes.mid(from, end - from);
        from = end + 1;
        while (raw.endsWith('\r')) // a file saved with CR LF line ends
            raw.chop(1);
        while (raw.startsWith(kBom))
            raw.remove(0, kBom.size());
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue; // blank lines are laid out anew between sections
        if (line.startsWith('[')) {
            const int close = line.indexOf(']');
            if (close < 0) {
                // A header that does not close: its keys are not guessed at,
                // but kept with it.
                doc.m_sections.append(Section{});
                doc.m_sections.last().verbatim = true;
                doc.m_sections.last().header = raw;
                current = doc.m_sections.size() - 1;
                continue;
            }
            const QString name = decodeKey(line.mid(1, close - 1));
            doc.section(name, true);
            current = doc.m_index.value(name);
            continue;
        }
        const int eq = line.indexOf('=');
        const QString key = eq > 0 ? decodeKey(line.left(eq)) : QString();
        if (current < 0 || doc.m_sections[current].verbatim || key.isEmpty()) {
            keepRaw(raw);
            continue;
        }
        doc.set(doc.m_sections[current].name, key, decodeValue(line.mid(eq + 1)));
    }
    return doc;
}

QByteArray IniDocument::serialize() const
{
    QByteArray out;
    for (const Section &s : m_sections) {
        if (s.verbatim && s.lines.isEmpty() && s.header.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        if (!s.verbatim)
            out += '[' + encodeKey(s.name) + "]\n";
        else if (!s.header.isEmpty())
            out += s.header + '\n';
        for (const Line &l : s.lines) {
            if (l.isRaw)
                out += l.raw + '\n';
            else
                out += encodeKey(l.key) + '=' + encodeValue(l.value) + '\n';
        }
    }
    return out;
}

void IniDocument::Section::reindex()
{
    keys.clear();
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].isRaw)
            keys.insert(lines[i].key, i);
    }
}

void IniDocument::reindex()
{
    m_index.clear();
    for (int i = 0; i < m_sections.size(); ++i) {
        if (!m_sections[i].verbatim && !m_index.contains(m_sections[i].name))
            m_index.insert(m_sections[i].name, i);
    }
}

IniDocument::Section *IniDocument::section(const QString &name, bool create)
{
    const QString lower = name.toLower();
    const auto found = m_index.constFind(lower);
    if (found != m_index.constEnd())
        return &m_sections[*found];
    if (!create)
        return nullptr;
    Section s;
    s.name = lower;
    m_sections.append(s);
    m_index.insert(lower, m_sections.size() - 1);
    return &m_sections.last();
}

const QString *IniDocument::find(const QString &sectionName, const QString &key) const
{
    const auto s = m_index.constFind(sectionName.toLower());
    if (s == m_index.constEnd())
        return nullptr;
    const Section &sec = m_sections[*s];
    const auto k = sec.keys.constFind(key.toLower());
    return k == sec.keys.constEnd() ? nullptr : &sec.lines[*k].value;
}

void IniDocument::set(const QString &sectionName, const QString &key, const QString &value)
{
    Section *s = section(sectionName, true);
    const QString k = key.toLower();
    const auto found = s->keys.constFind(k);
    if (found != s->keys.constEnd()) {
        s->lines[*found].value = value;
        return;
    }
    s->lines.append(Line{k, value, {}, false});
    s->keys.insert(k, s->lines.size() - 1);
}

bool IniDocument::remove(const QString &sectionName, const QString &key)
{
    return removeKeys(sectionName, {key.toLower()}) > 0;
}

int IniDocument::removeKeys(const QString &sectionName, const QSet<QString> &keys)
{
    Section *s = section(sectionName, false);
    if (!s || keys.isEmpty())
        return 0;
    const auto removed =
        s->lines.removeIf([&](const Line &l) { return !l.isRaw && keys.contains(l.key); });
    if (removed > 0)
        s->reindex();
    return int(removed);
}

bool IniDocument::removeSection(const QString &sectionName)
{
    const QString lower = sectionName.toLower();
    const auto removed =
        m_sections.removeIf([&](const Section &s) { return !s.verbatim && s.name == lower; });
    reindex();
    return removed > 0;
}

} // namespace common
