// libFuzzer target for the pictures the catalogue previews: whatever a
// design file holds is decoded, checked for size and cut into a preview
// without a crash or a hang.
#include "designbrowser/preview.h"

#include <QBuffer>
#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    vesweb::designPreviewPng(&buffer);
    return 0;
}
