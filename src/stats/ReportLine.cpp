#include "ReportLine.h"

#include "platform/Clock.h"
#include "platform/DateFormat.h"

#include <cmath>

QString formatPercent(qint64 count, qint64 total)
{
    if (total == 0)
        return QStringLiteral("0");
    // printf's "%.0f" would round halves to even (12.5 -> "12"); std::round
    // takes them away from zero, which is what the report has always shown.
    double rounded = std::round(double(count) * 100.0 / double(total));
    if (rounded == 0.0)
        rounded = 0.0; // no "-0" for a small negative share
    return QString::number(rounded, 'f', 0);
}

QString reportLine(const QString& countText, qint64 count, qint64 total, const QString& name)
{
    return countText + QLatin1String("--") + formatPercent(count, total) + QLatin1String("%--") +
           name;
}

QString countTime(const DateFormat& dateFormat, const Clock& clock)
{
    const QDateTime now = clock.now();
    return dateFormat.formatDate(now.date()) + QLatin1Char(' ') + dateFormat.formatTime(now.time());
}

QString countTimeLine(const DateFormat& dateFormat, const Clock& clock)
{
    return QStringLiteral("Count time:") + countTime(dateFormat, clock);
}
