#include "TitleBytes.h"

std::optional<QByteArrayView> TitleBytes::utf8Text(QByteArrayView file)
{
    if (!file.isValidUtf8())
        return std::nullopt;
    const QByteArrayView bom("\xEF\xBB\xBF");
    // The decoder skips one mark and TitleLineViews drops the next.
    for (int i = 0; i < 2 && file.startsWith(bom); ++i)
        file = file.sliced(bom.size());
    return file;
}
