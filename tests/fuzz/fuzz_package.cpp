// libFuzzer target for design files (.vsdesign), which anyone can hand a
// user: whatever the file holds is read, checked and its pictures decoded
// without a crash, a hang or an allocation the file's size does not bound.
#include "design/design_package.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    QString error;
    vespera::readDesignPackage(input, &error);
    return 0;
}
