// Shift-JIS (Windows code page 932), the encoding the design site and the
// design files use, through the C library's iconv.
#include "shift_jis.h"

#include <QList>

#include <cerrno>
#include <iconv.h>

namespace common {

namespace {

// One conversion direction, opened for a call and closed after it.
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(m_cd);
    }
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // Converts as much as it can; returns false at a sequence it cannot take.
    bool convert(const char *&in, size_t &inLeft, QByteArray &out)
    {
        char buffer[256];
        while (inLeft > 0) {
            char *to = buffer;
            size_t toLeft = sizeof buffer;
            const size_t r = iconv(m_cd, const_cast<char **>(&in), &inLeft, &to, &toLeft);
            out.append(buffer, int(sizeof buffer - toLeft));
            if (r == size_t(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

} // namespace

QByteArray toShiftJis(const QString &text)
{
    Converter cd("CP932", "UTF-8");
    if (!cd.ok())
        return text.toLatin1();
    QByteArray out;
    // Character by character, so one the code page lacks costs only itself.
    for (const uint code : text.toUcs4()) {
        const QByteArray utf8 =
            QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1).toUtf8();
        const char *in = utf8.constData();
        size_t inLeft = size_t(utf8.size());
        QByteArray piece;
        if (cd.convert(in, inLeft, piece))
            out += piece;
        else
            out += '?';
    }
    return out;
}

QString fromShiftJis(const QByteArray &bytes)
{
    Converter cd("UTF-8", "CP932");
    if (!cd.ok())
        return QString::fromLatin1(bytes);
    QByteArray utf8;
    const char *in = bytes.constData();
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        if (cd.convert(in, inLeft, utf8))
            break;
        utf8 += "\xEF\xBF\xBD"; // U+FFFD for the byte that starts nothing valid
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(utf8);
}

} // namespace common
