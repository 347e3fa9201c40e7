#include "ReportCliDraw.h"

#include "charts/Charts.h"
#include "charts/PictureOutput.h"
#include "charts/WordReport.h"
#include "cli/TrendChart.h"
#include "platform/UserName.h"

namespace {

const char kProgram[] = "morvane-report";

int fail(QTextStream& err, const QString& message, int status = 2)
{
    err << kProgram << ": " << message << '\n';
    err.flush();
    return status;
}

// Says why a chart was not drawn and what is therefore not written; exit status 1.
// nothing says why an empty result has nothing to draw.
int notDrawn(const QString& error, const QString& nothing, const char* notWritten, QTextStream& err)
{
    err << kProgram << ": "
        << (error.isEmpty() ? QStringLiteral("nothing to draw: ") + nothing
                            : QStringLiteral("the chart would need a picture too large to draw"))
        << "; " << notWritten << '\n';
    err.flush();
    return 1;
}

QSize pictureSize(const QHash<QString, QString>& options)
{
    const QString size = options.value(QStringLiteral("size"));
    if (size.isEmpty())
        return Charts::kReferenceSize;
    const qsizetype x = size.indexOf(QLatin1Char('x'));
    return QSize(size.left(x).toInt(), size.mid(x + 1).toInt()); // checked before
}

class ChartOutputs : public ReportOutputs
{
public:
    int write(const Request& request, QTextStream& err) override
    {
        int status = 0;
        if (request.options.contains(QStringLiteral("chart")))
            status = writeChart(request, err);
        if (status == 0 && request.options.contains(QStringLiteral("docx")))
            status = writeDocx(request, err);
        return status;
    }

private:
    static int writeChart(const Request& request, QTextStream& err)
    {
        const QString name = request.options.value(QStringLiteral("chart"));
        const QSize size = pictureSize(request.options);
        QImage image;
        QString error;
        if (name == QLatin1String("trend")) {
            const TrendChart::Picture trend = TrendChart::draw(request.periods, size);
            if (trend.tooNarrow)
                return fail(err, trend.error + QStringLiteral("; no picture written"), 1);
            if (trend.image.isNull())
                return notDrawn(trend.error, QStringLiteral("no period holds an item"),
                                "no picture written", err);
            image = trend.image;
        } else {
            const Charts::Kind kind = name == QLatin1String("bar")    ? Charts::Kind::Bar
                                      : name == QLatin1String("hbar") ? Charts::Kind::Horizontal
                                                                      : Charts::Kind::Pie;
            const Charts::ChartResult chart = Charts::drawChart(kind, request.result, size);
            if (!chart.drawn)
                return notDrawn(chart.error, request.nothing, "no picture written", err);
            image = chart.image;
        }
        const QString output = request.options.value(QStringLiteral("output"));
        const bool png = output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
        if ((png ? PictureOutput::writePng(image, output, SafeFile::Purpose::Picture, &error)
                 : PictureOutput::writeBmp(image, output, SafeFile::Purpose::Picture, &error)) !=
            PictureOutput::WriteOutcome::Written)
            return fail(err, error);
        return 0;
    }

    // The Word report of the result, with the charts drawn at the reference size.
    static int writeDocx(const Request& request, QTextStream& err)
    {
        WordReport::Content content =
            WordReport::contentOf(request.result.reportLines, UserName::fullName());
        for (const Charts::Kind kind : WordReport::kPictureOrder) {
            const Charts::ChartResult chart =
                Charts::drawChart(kind, request.result, Charts::kReferenceSize);
            if (!chart.drawn)
                return notDrawn(chart.error, request.nothing, "no document written", err);
            content.pictures.append(
                {PictureOutput::chartFileName(kind), PictureOutput::bmpBytes(chart.image)});
        }
        QString error;
        if (!WordReport::write(request.options.value(QStringLiteral("docx")), content, &error))
            return fail(err, error);
        return 0;
    }
};

} // namespace

int runReportCliWithCharts(const QStringList& args, QIODevice& out, QTextStream& err,
                           const Clock& clock)
{
    ChartOutputs outputs;
    return runReportCli(args, out, err, clock, &outputs);
}
