#pragma once

#include "stats/TallyResult.h"

#include <QImage>
#include <QPair>
#include <QString>
#include <algorithm>

// A tally result as the pasted-input report makes it: names and count texts
// as given, TotalCount their sum, MaxCount the largest but at least 1.
inline TallyResult makeTally(const QList<QPair<QString, qint64>>& entries)
{
    TallyResult r;
    r.maxCount = 1;
    for (const auto& [name, count] : entries) {
        r.names << name;
        r.countTexts << QString::number(count);
        r.totalCount += count;
        r.maxCount = std::max(r.maxCount, count);
    }
    r.distinctCount = r.names.size();
    return r;
}

// Entries n0, n1, ... with these counts.
inline TallyResult countsTally(const QList<qint64>& counts)
{
    QList<QPair<QString, qint64>> entries;
    for (qint64 c : counts)
        entries.append({QStringLiteral("n%1").arg(entries.size()), c});
    return makeTally(entries);
}

// n entries with the same count.
inline TallyResult equalTally(int n, qint64 count = 1)
{
    QList<QPair<QString, qint64>> entries;
    for (int i = 0; i < n; ++i)
        entries.append({QStringLiteral("e%1").arg(i), count});
    return makeTally(entries);
}

inline QRgb pixelAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}
