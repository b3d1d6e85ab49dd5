// libFuzzer target for what a web page or a design file can hand the design
// browser: the applied form's scan, the design file reader, the encoder.
// The first byte chooses the reader; the rest is the input.
#include "designbrowser/exchange.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));
    vesweb::DesignRecord record;
    switch (data[0] % 3) {
    case 0: {
        int saved = 0;
        vesweb::ApplyDesign(input, record, [&saved](const QString &, const QString &) { ++saved; });
        // What was read must go back out: the design file and the post.
        vesweb::readDesignFile(vesweb::designFileBytes(record));
        vesweb::outboundBody(vesweb::DesignSnapshot{}, record);
        break;
    }
    case 1:
        record = vesweb::readDesignFile(input);
        vesweb::outboundBody(vesweb::DesignSnapshot{}, record);
        break;
    default:
        vesweb::UrlEncode(QString::fromUtf8(input));
        vesweb::designFilePath(QStringLiteral("/data"), QString::fromUtf8(input));
        break;
    }
    return 0;
}
