// A small INI document: ordered sections of ordered key/value strings.
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace common {

// Reads whatever lines it can understand and skips the rest, so a damaged
// file still yields every readable setting. Names are kept lower-cased.
class IniDocument {
public:
    static IniDocument parse(const QByteArray &bytes);
    QByteArray serialize() const;

    const QString *find(const QString &section, const QString &key) const;
    void set(const QString &section, const QString &key, const QString &value);
    bool remove(const QString &section, const QString &key);
    bool removeSection(const QString &section);

    // Escaping used in the file; exposed for tests.
    static QByteArray encodeValue(const QString &value);
    static QString decodeValue(const QByteArray &raw);
    static QByteArray encodeKey(const QString &key);
    static QString decodeKey(const QByteArray &raw);

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QVector<Entry> entries;
    };
    Section *section(const QString &name, bool create);
    QVector<Section> m_sections;
};

} // namespace common
