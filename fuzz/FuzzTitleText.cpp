// Title decoding of any bytes, in each encoding a title can have, and the
// title written back and read again gives the same lines.
#include "FuzzInput.h"
#include "titles/TitleText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const QByteArray codecs[] = {"windows-1252", "windows-1251", "Shift_JIS",
                                        "GBK",          "Big5",         "EUC-KR"};
    const QByteArray& codec = codecs[data[0] % std::size(codecs)];
    const TitleText::Decoded title = TitleText::decode(bytesOf(data + 1, size - 1), codec);
    const TitleText::Format format = TitleText::formatFor(title.lines, title.encoding);
    const TitleText::Decoded again =
        TitleText::decode(TitleText::encode(title.lines, format), codec);
    if (again.lines != title.lines)
        __builtin_trap();
    return 0;
}
