// The JPEG decoder over any bytes.
#include "FuzzInput.h"
#include "platform/Jpeg.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QString error;
    const QImage image = Jpeg::decode(bytesOf(data, size), &error);
    if (image.isNull() == error.isEmpty())
        __builtin_trap(); // a picture or a reason, never both or neither
    return 0;
}
