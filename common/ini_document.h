// A small INI document: ordered sections of ordered key/value strings.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

namespace common {

// Reads whatever lines it can understand and keeps the rest as they were,
// so a damaged or hand-annotated file still yields every readable setting
// and a rewrite loses nothing of it. Names are kept lower-cased. Keys and
// sections are indexed: a file of a hundred thousand keys reads in one pass.
class IniDocument {
public:
    static IniDocument parse(const QByteArray &bytes);
    QByteArray serialize() const;

    const QString *find(const QString &section, const QString &key) const;
    void set(const QString &section, const QString &key, const QString &value);
    bool remove(const QString &section, const QString &key);
    // Removes every key of the set (lower-cased names) from the section in
    // one pass; how many were there.
    int removeKeys(const QString &section, const QSet<QString> &keys);
    bool removeSection(const QString &section);

    // Escaping used in the file; exposed for tests.
    static QByteArray encodeValue(const QString &value);
    static QString decodeValue(const QByteArray &raw);
    static QByteArray encodeKey(const QString &key);
    static QString decodeKey(const QByteArray &raw);

private:
    // A key and its value, or a line that is no key (a comment, a line
    // without "="), kept in `raw` as it stood.
    struct Line {
        QString key;
        QString value;
        QByteArray raw;
        bool isRaw = false;
    };
    // A section under its header; or, without a name, the lines before the
    // first header or under a header that does not close, which are never
    // read as keys and are written back as they stood (`header` is that
    // header line, empty for the lines before the first).
    struct Section {
        QString name;
        QByteArray header;
        QVector<Line> lines;
        QHash<QString, int> keys; // key -> its index in lines
        bool verbatim = false;
        void reindex();
    };
    Section *section(const QString &name, bool create);
    void reindex();
    QVector<Section> m_sections;
    QHash<QString, int> m_index; // section name -> its index in m_sections
};

} // namespace common
