// libFuzzer target for the settings file as a person or a program may leave
// it: read it, change one key, write it, read it again. The key has its new
// value and everything else reads back exactly as it was, so no line can
// turn into another key (the alarm program, an alarm) by being rewritten.
#include "common/ini_document.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    const QString section = QStringLiteral("pendra"), key = QStringLiteral("fuzz");
    const QString value = QStringLiteral("\"v\" \n\\");
    common::IniDocument first = common::IniDocument::parse(input);
    const QByteArray once = first.serialize();
    first.set(section, key, value);
    common::IniDocument again = common::IniDocument::parse(first.serialize());
    const QString *edited = again.find(section, key);
    if (!edited || *edited != value)
        __builtin_trap();
    first.remove(section, key);
    again.remove(section, key);
    if (first.serialize() != again.serialize())
        __builtin_trap();
    // Written once, a file reads back as itself.
    if (common::IniDocument::parse(once).serialize() != once)
        __builtin_trap();
    return 0;
}
