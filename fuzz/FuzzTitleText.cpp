// Title decoding of any bytes, in each encoding a title can have, and the
// title written back and read again gives the same lines. Any UTF-16, lone
// surrogates included, is written as UTF-8 exactly as QString::toUtf8() does.
#include "FuzzInput.h"
#include "titles/TitleText.h"

#include <cstring>

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

    QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * 2); // the input may be unaligned
    const QStringList units = text.split(u'\n');
    QByteArray expected;
    for (const QString& line : units)
        expected += line.toUtf8() + "\r\n";
    if (TitleText::encode(units, TitleText::Encoding::Utf8) != expected)
        __builtin_trap();
    return 0;
}
