#include "TitleBytes.h"

QByteArrayView TitleBytes::withoutMarks(QByteArrayView file)
{
    const QByteArrayView bom("\xEF\xBB\xBF");
    // The decoder skips one mark and TitleLineViews drops the next.
    for (int i = 0; i < 2 && file.startsWith(bom); ++i)
        file = file.sliced(bom.size());
    return file;
}
