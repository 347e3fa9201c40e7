#include "ReportFormats.h"

#include "stats/ReportLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <initializer_list>
#include <utility>

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

// One value as JSON text, escaped by Qt's own writer.
QByteArray jsonValue(const QJsonValue& value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// An object with its members in the order given (QJsonObject sorts them).
QByteArray jsonObject(std::initializer_list<std::pair<const char*, QJsonValue>> members)
{
    QByteArray text = "{";
    for (const auto& [name, value] : members) {
        if (text.size() > 1)
            text += ',';
        text += '"' + QByteArray(name) + "\":" + jsonValue(value);
    }
    return text + '}';
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
    QByteArray items = "[";
    for (qsizetype i = 0; i < itemCount(outcome); ++i) {
        const qint64 count = r.countTexts[i].toLongLong();
        if (i > 0)
            items += ',';
        items += jsonObject({{"item", r.names[i]},
                             {"count", count},
                             {"percent", formatPercent(count, r.totalCount).toLongLong()}});
    }
    items += ']';
    const QByteArray head = jsonObject({{"title", titleName},
                                        {"from", outcome.fromDate},
                                        {"to", outcome.toDate},
                                        {"days", outcome.days},
                                        {"count_time", outcome.countTime},
                                        {"total", outcome.counted ? r.totalCount : 0}});
    // The items come last, after the header's members.
    return head.chopped(1) + ",\"items\":" + items + "}\n";
}
