// Shift-JIS (Windows code page 932), the encoding the design site and the
// design files use, through the C library's iconv.
#pragma once

#include <QByteArray>
#include <QString>

namespace common {

// The text in Shift-JIS; a character the code page lacks becomes "?".
QByteArray toShiftJis(const QString &text);
// The text of Shift-JIS bytes; a byte that starts no valid character
// becomes U+FFFD and the decoding goes on with the next byte.
QString fromShiftJis(const QByteArray &bytes);

} // namespace common
