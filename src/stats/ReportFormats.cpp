#include "ReportFormats.h"

#include "stats/ReportLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Without items (nothing counted) the lists hold an earlier result: none is shown.
qsizetype itemCount(const TallyOutcome& outcome)
{
    return outcome.counted ? outcome.result.names.size() : 0;
}

} // namespace

QString ReportFormats::csv(const TallyOutcome& outcome)
{
    const TallyResult& r = outcome.result;
    QString text = QStringLiteral("item,count,percent\r\n");
    for (qsizetype i = 0; i < itemCount(outcome); ++i) {
        text += csvField(r.names[i]) + QLatin1Char(',') + r.countTexts[i] + QLatin1Char(',') +
                formatPercent(r.countTexts[i].toLongLong(), r.totalCount) +
                QLatin1String("\r\n");
    }
    return text;
}

QByteArray ReportFormats::json(const TallyOutcome& outcome, const QString& titleName)
{
    const TallyResult& r = outcome.result;
    QJsonArray items;
    for (qsizetype i = 0; i < itemCount(outcome); ++i) {
        const qint64 count = r.countTexts[i].toLongLong();
        items.append(QJsonObject{
            {QStringLiteral("item"), r.names[i]},
            {QStringLiteral("count"), count},
            {QStringLiteral("percent"), formatPercent(count, r.totalCount).toLongLong()}});
    }
    const QJsonObject report{{QStringLiteral("title"), titleName},
                             {QStringLiteral("from"), outcome.fromDate},
                             {QStringLiteral("to"), outcome.toDate},
                             {QStringLiteral("days"), outcome.days},
                             {QStringLiteral("count_time"), outcome.countTime},
                             {QStringLiteral("total"), outcome.counted ? r.totalCount : 0},
                             {QStringLiteral("items"), items}};
    return QJsonDocument(report).toJson(QJsonDocument::Compact) + '\n';
}
