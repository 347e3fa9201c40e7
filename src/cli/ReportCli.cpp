#include "ReportCli.h"

#include "Version.h"
#include "charts/Charts.h"
#include "charts/PictureOutput.h"
#include "charts/WordReport.h"
#include "platform/DateFormat.h"
#include "platform/MappedPages.h"
#include "platform/RegularFile.h"
#include "platform/UserName.h"
#include "stats/PastedInput.h"
#include "stats/ReportFormats.h"
#include "stats/ReportLine.h"
#include "stats/Tally.h"
#include "titles/TitleLineViews.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace {

const char kProgram[] = "morvane-report";
const char kNowPattern[] = "yyyy-MM-dd HH:mm:ss";

// One row per option: a new option is a row here and its handling in runReportCli().
struct OptionRow
{
    const char* name;
    const char* valueName; // nullptr for a switch
    const char* help;
};

const OptionRow kOptions[] = {
    {"date-format", "FMT",
     "short date pattern of the date lines, e.g. yyyy-M-d\n"
     "(default: the system's short date format)"},
    {"now", "\"yyyy-MM-dd HH:mm:ss\"", "the count time to report (default: the current time)"},
    {"title", "NAME",
     "the title name on the report's second line\n"
     "(default: the file name without \".txt\")"},
    {"chart", "bar|hbar|pie",
     "also draw the chart the program would show for the title\n"
     "(needs --output)"},
    {"output", "FILE.bmp",
     "where --chart writes its picture: PNG when the name ends in .png,\n"
     "else BMP; a new or regular file other than the title"},
    {"size", "WxH", "the picture area to draw in (default: 589x399)"},
    {"docx", "OUT.docx",
     "also write the Word report: the report with the three charts side by side"},
    {"format", "text|csv|json",
     "text: the report as Total.tol holds it (default); csv: item,count,percent\n"
     "rows after a header row; json: one object with title, from, to, days,\n"
     "count_time, total and items"},
    {"pasted", nullptr,
     "read the file as a pasted table, one item and its count per line\n"
     "(item,count or item<TAB>count), as \"Make report\" does"},
    {"help", nullptr, "show this help and exit"},
    {"version", nullptr, "show the version and exit"},
};

struct CommandLine
{
    QHash<QString, QString> options; // by name; a switch maps to an empty text
    QStringList files;
    QString error;
};

const OptionRow* findOption(const QString& name)
{
    for (const OptionRow& row : kOptions) {
        if (name == QLatin1String(row.name))
            return &row;
    }
    return nullptr;
}

CommandLine parse(const QStringList& args)
{
    CommandLine cl;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            cl.files << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("-h")) {
            cl.options.insert(QStringLiteral("help"), QString());
            continue;
        }
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name = arg.mid(2, eq < 0 ? -1 : eq - 2);
        const OptionRow* row = arg.startsWith(QLatin1String("--")) ? findOption(name) : nullptr;
        if (!row) {
            cl.error = QStringLiteral("unknown option %1").arg(eq < 0 ? arg : arg.left(eq));
            return cl;
        }
        if (!row->valueName) {
            if (eq >= 0) {
                cl.error = QStringLiteral("option --%1 takes no value").arg(name);
                return cl;
            }
            cl.options.insert(name, QString());
            continue;
        }
        if (eq >= 0) {
            cl.options.insert(name, arg.mid(eq + 1));
        } else if (i + 1 < args.size()) {
            cl.options.insert(name, args[++i]);
        } else {
            cl.error = QStringLiteral("option --%1 needs a value").arg(name);
            return cl;
        }
    }
    return cl;
}

QString usageLine()
{
    QString s = QStringLiteral("Usage: %1").arg(QLatin1String(kProgram));
    for (const OptionRow& row : kOptions) {
        if (row.valueName)
            s += QStringLiteral(" [--%1 %2]")
                     .arg(QLatin1String(row.name), QLatin1String(row.valueName));
    }
    return s + QStringLiteral(" TITLE.txt");
}

void printHelp(QTextStream& out)
{
    out << usageLine() << '\n'
        << "Counts the items of a title file and prints its text report, line for line\n"
           "as the program writes it to Total.tol.\n\nOptions:\n";
    for (const OptionRow& row : kOptions) {
        QString head = QStringLiteral("  --") + QLatin1String(row.name);
        if (row.valueName)
            head += QLatin1Char(' ') + QLatin1String(row.valueName);
        out << head << '\n';
        for (const QString& line : QString::fromLatin1(row.help).split(QLatin1Char('\n')))
            out << "      " << line << '\n';
    }
    out << "\nExit status: 0 on success (also for a title without items), 1 when a chart\n"
           "or document has nothing to draw, 2 for a usage error or an unreadable file.\n";
}

int fail(QTextStream& err, const QString& message)
{
    err << kProgram << ": " << message << '\n';
    err.flush();
    return 2;
}

// Checks the chart options before any work is done; empty when they are fine.
QString chartOptionsError(const CommandLine& cl, Charts::Kind* kind, QSize* size)
{
    const bool chart = cl.options.contains(QStringLiteral("chart"));
    if (!chart) {
        if (cl.options.contains(QStringLiteral("output")) ||
            cl.options.contains(QStringLiteral("size")))
            return QStringLiteral("--output and --size go with --chart");
        return {};
    }
    const QString name = cl.options.value(QStringLiteral("chart"));
    if (name == QLatin1String("bar"))
        *kind = Charts::Kind::Bar;
    else if (name == QLatin1String("hbar"))
        *kind = Charts::Kind::Horizontal;
    else if (name == QLatin1String("pie"))
        *kind = Charts::Kind::Pie;
    else
        return QStringLiteral("--chart wants bar, hbar or pie, got \"%1\"").arg(name);
    if (cl.options.value(QStringLiteral("output")).isEmpty())
        return QStringLiteral("--chart needs --output FILE.bmp");
    *size = Charts::kReferenceSize;
    if (cl.options.contains(QStringLiteral("size"))) {
        // Digits only: no blanks, signs or leading zeros.
        static const QRegularExpression pattern(
            QStringLiteral("^([1-9][0-9]{0,5})x([1-9][0-9]{0,5})$"));
        const QRegularExpressionMatch m = pattern.match(cl.options.value(QStringLiteral("size")));
        const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (w < 1 || h < 1 || w > Charts::kMaxPictureSide || h > Charts::kMaxPictureSide)
            return QStringLiteral("--size wants WxH such as 589x399, got \"%1\"")
                .arg(cl.options.value(QStringLiteral("size")));
        *size = QSize(w, h);
    }
    return {};
}

// Why option's file may not be written, or empty. Writing replaces the target
// by a new file, so only a regular file other than the title will do.
QString outputTargetError(const char* option, const QStringList& extensions, const QString& output,
                          const QString& input)
{
    if (std::none_of(extensions.begin(), extensions.end(), [&](const QString& extension) {
            return output.endsWith(extension, Qt::CaseInsensitive);
        }))
        return QStringLiteral("--%1 must name a %2 file, got \"%3\"")
            .arg(QLatin1String(option), extensions.join(QLatin1String(" or ")), output);
    if (RegularFile::existsAsNonRegular(output))
        return QStringLiteral("--%1 \"%2\" is not a regular file; it is left alone")
            .arg(QLatin1String(option), output);
    if (RegularFile::sameFile(output, input))
        return QStringLiteral("--%1 \"%2\" is the title itself; it is left alone")
            .arg(QLatin1String(option), output);
    return {};
}

// The report in the form --format names (text, csv or json).
QByteArray formattedReport(const QString& format, const TallyOutcome& outcome,
                           const QString& titleName)
{
    if (format == QLatin1String("text"))
        return outcome.result.reportLines.join(QLatin1Char('\n')).toUtf8() + '\n';
    if (format == QLatin1String("csv"))
        return ReportFormats::csv(outcome).toUtf8();
    if (format == QLatin1String("json"))
        return ReportFormats::json(outcome, titleName);
    return {};
}

// Says why a chart was not drawn and what is therefore not written; exit status 1.
// nothing says why an empty result has nothing to draw.
int notDrawn(const Charts::ChartResult& chart, const QString& nothing, const char* notWritten,
             QTextStream& err)
{
    err << kProgram << ": "
        << (chart.error.isEmpty()
                ? QStringLiteral("nothing to draw: ") + nothing
                : QStringLiteral("the chart would need a picture too large to draw"))
        << "; " << notWritten << '\n';
    err.flush();
    return 1;
}

int writeChart(const CommandLine& cl, const TallyResult& result, const QString& nothing,
               QTextStream& err)
{
    Charts::Kind kind = Charts::Kind::Bar;
    QSize size;
    chartOptionsError(cl, &kind, &size);
    const Charts::ChartResult chart = Charts::drawChart(kind, result, size);
    if (!chart.drawn)
        return notDrawn(chart, nothing, "no picture written", err);
    QString error;
    const QString output = cl.options.value(QStringLiteral("output"));
    const bool png = output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if ((png ? PictureOutput::writePng(chart.image, output, SafeFile::Purpose::Picture, &error)
             : PictureOutput::writeBmp(chart.image, output, SafeFile::Purpose::Picture, &error)) !=
        PictureOutput::WriteOutcome::Written)
        return fail(err, error);
    return 0;
}

// The Word report of the result, with the charts drawn at the reference size.
int writeDocx(const CommandLine& cl, const TallyResult& result, const QString& nothing,
              QTextStream& err)
{
    WordReport::Content content = WordReport::contentOf(result.reportLines, UserName::fullName());
    for (const Charts::Kind kind : WordReport::kPictureOrder) {
        const Charts::ChartResult chart = Charts::drawChart(kind, result, Charts::kReferenceSize);
        if (!chart.drawn)
            return notDrawn(chart, nothing, "no document written", err);
        content.pictures.append(
            {PictureOutput::chartFileName(kind), PictureOutput::bmpBytes(chart.image)});
    }
    QString error;
    if (!WordReport::write(cl.options.value(QStringLiteral("docx")), content, &error))
        return fail(err, error);
    return 0;
}

// --pasted: the report from a pasted table. A faulty table exits with 1 and
// the program's message, naming the line.
int pastedResult(const QList<QStringView>& views, const DateFormat& dateFormat, const Clock& clock,
                 TallyResult* result, QTextStream& err)
{
    QStringList lines;
    lines.reserve(views.size());
    for (const QStringView line : views)
        lines << line.toString();
    const PastedInput::Parsed parsed = PastedInput::parse(lines);
    if (lines.isEmpty() || !parsed.ok()) {
        err << kProgram << ": ";
        if (lines.isEmpty())
            err << PastedInput::noInputMessage() << '\n';
        else
            err << "line " << parsed.errorLine + 1 << ": " << PastedInput::formatMessage() << '\n';
        err.flush();
        return 1;
    }
    *result = PastedInput::report(parsed.rows, dateFormat, clock);
    return 0;
}

} // namespace

int runReportCli(const QStringList& args, QTextStream& out, QTextStream& err, const Clock& clock)
{
    const CommandLine cl = parse(args);
    if (!cl.error.isEmpty())
        return fail(err, cl.error + QStringLiteral(" (try --help)"));
    if (cl.options.contains(QStringLiteral("help"))) {
        printHelp(out);
        out.flush();
        return 0;
    }
    if (cl.options.contains(QStringLiteral("version"))) {
        out << kProgram << ' ' << MORVANE_VERSION << '\n';
        out.flush();
        return 0;
    }
    if (cl.files.isEmpty())
        return fail(err, QStringLiteral("missing TITLE.txt (try --help)"));
    {
        Charts::Kind kind;
        QSize size;
        const QString chartError = chartOptionsError(cl, &kind, &size);
        if (!chartError.isEmpty())
            return fail(err, chartError + QStringLiteral(" (try --help)"));
    }
    if (cl.options.contains(QStringLiteral("docx")) &&
        cl.options.value(QStringLiteral("docx")).isEmpty())
        return fail(err, QStringLiteral("--docx needs OUT.docx (try --help)"));
    const QString format = cl.options.value(QStringLiteral("format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("csv") &&
        format != QLatin1String("json"))
        return fail(err, QStringLiteral("--format wants text, csv or json, got \"%1\" (try --help)")
                             .arg(format));
    if (cl.files.size() > 1)
        return fail(
            err, QStringLiteral("one title file only, got %1 (try --help)").arg(cl.files.size()));
    QString targetError;
    if (cl.options.contains(QStringLiteral("chart")))
        targetError = outputTargetError("output", {QStringLiteral(".bmp"), QStringLiteral(".png")},
                                        cl.options.value(QStringLiteral("output")),
                                        cl.files.front());
    if (targetError.isEmpty() && cl.options.contains(QStringLiteral("docx")))
        targetError = outputTargetError("docx", {QStringLiteral(".docx")}, cl.options.value(QStringLiteral("docx")),
                                        cl.files.front());
    if (!targetError.isEmpty())
        return fail(err, targetError);

    Clock effectiveClock = clock;
    const auto now = cl.options.constFind(QStringLiteral("now"));
    if (now != cl.options.constEnd()) {
        const QDateTime time = QDateTime::fromString(*now, QLatin1String(kNowPattern));
        if (!time.isValid())
            return fail(err, QStringLiteral("--now wants \"%1\", got \"%2\"")
                                 .arg(QLatin1String(kNowPattern), *now));
        effectiveClock = Clock::fixed(time);
    }

    const int pivotYear = effectiveClock.now().date().year();
    const DateFormat system = DateFormat::system(pivotYear);
    const QString datePattern =
        cl.options.value(QStringLiteral("date-format"), system.shortDatePattern());
    if (datePattern.isEmpty())
        return fail(err, QStringLiteral("--date-format needs a pattern such as yyyy-M-d"));
    const DateFormat dateFormat(datePattern, system.longTimePattern(), pivotYear);

    const QString path = cl.files.front();

    QString titleName;
    const auto title = cl.options.constFind(QStringLiteral("title"));
    if (title != cl.options.constEnd()) {
        titleName = *title;
    } else {
        titleName = QFileInfo(path).fileName();
        if (titleName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            titleName.chop(4);
    }

    QFile file;
    QString openError;
    if (!RegularFile::openForReading(file, path, &openError))
        return fail(err, openError);
    // Mapping a large title spares copying it; readAll covers what cannot be mapped.
    QByteArray bytes;
    bool mapped = false;
    if (file.size() > 0) {
        if (const uchar* data = file.map(0, file.size())) {
            bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), file.size());
            mapped = true;
        }
    }
    if (bytes.isNull()) {
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return fail(err,
                        QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString()));
    }

    TallyOutcome outcome;
    QString nothing;
    if (cl.options.contains(QStringLiteral("pasted"))) {
        const TitleLineViews titleLines(bytes);
        if (const int status =
                pastedResult(titleLines.lines(), dateFormat, effectiveClock, &outcome.result, err))
            return status;
        outcome.counted = true;
        outcome.countTime = countTime(dateFormat, effectiveClock);
        nothing = QStringLiteral("the counts add up to 0");
    } else {
        // Counted as bytes where the file is UTF-8; every item finds its place,
        // as in the program, whose table has one entry per click-list entry.
        // A mapped file's pages are given back as the tally passes them, so
        // that a large title is never resident as a whole.
        outcome =
            runTallyOnFile(bytes, kEveryItem, titleName, dateFormat, effectiveClock, TallyResult(),
                           mapped ? MappedPages::release : std::function<void(QByteArrayView)>());
        nothing = QStringLiteral("the title has no items");
    }
    file.close();
    out << QString::fromUtf8(formattedReport(format, outcome, titleName));
    out.flush();
    if (out.status() != QTextStream::Ok)
        return fail(err, QStringLiteral("cannot write the report to standard output"));
    int status = 0;
    if (cl.options.contains(QStringLiteral("chart")))
        status = writeChart(cl, outcome.result, nothing, err);
    if (status == 0 && cl.options.contains(QStringLiteral("docx")))
        status = writeDocx(cl, outcome.result, nothing, err);
    return status;
}
