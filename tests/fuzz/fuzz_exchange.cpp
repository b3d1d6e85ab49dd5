// libFuzzer target for what a web page, a design file or a hand-edited
// settings file can hand the programs: the applied form's scan, the design
// file reader, the encoder, the settings file's reader and writer.
// The first byte chooses the reader; the rest is the input.
#include "common/ini_document.h"
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
    switch (data[0] % 4) {
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
    case 2: {
        // Read, change one key, write, read again: the key has its new
        // value and everything else reads back exactly as it was.
        common::IniDocument first = common::IniDocument::parse(input);
        first.set(QStringLiteral("pendra"), QStringLiteral("fuzz"), QStringLiteral("\"v\" \n"));
        common::IniDocument again = common::IniDocument::parse(first.serialize());
        const QString *edited = again.find(QStringLiteral("pendra"), QStringLiteral("fuzz"));
        if (!edited || *edited != QStringLiteral("\"v\" \n"))
            __builtin_trap();
        first.remove(QStringLiteral("pendra"), QStringLiteral("fuzz"));
        again.remove(QStringLiteral("pendra"), QStringLiteral("fuzz"));
        if (first.serialize() != again.serialize())
            __builtin_trap();
        break;
    }
    default:
        vesweb::UrlEncode(QString::fromUtf8(input));
        vesweb::designFilePath(QStringLiteral("/data"), QString::fromUtf8(input));
        break;
    }
    return 0;
}
