#include "TitleBytes.h"

std::optional<QByteArrayView> TitleBytes::withoutMark(QByteArrayView file)
{
    const QByteArrayView bom("\xEF\xBB\xBF");
    if (file.startsWith(bom))
        file = file.sliced(bom.size());
    if (file.startsWith(bom))
        return std::nullopt;
    return file;
}
