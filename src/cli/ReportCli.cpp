#include "ReportCli.h"

#include "Version.h"
#include "platform/DateFormat.h"
#include "platform/RegularFile.h"
#include "stats/PastedInput.h"
#include "stats/ReportFormats.h"
#include "stats/ReportLine.h"
#include "stats/Tally.h"
#include "titles/TitleLineViews.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

const char kProgram[] = "morvane-report";
const char kNowPattern[] = "yyyy-MM-dd HH:mm:ss";
const char kDatePattern[] = "yyyy-MM-dd";
// The charts' own limit on a picture's side.
constexpr int kMaxPictureSide = 32767;

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
    {"from", "yyyy-MM-dd",
     "count only the days from this date on: the lines below each date line\n"
     "of the period, up to the next date line; lines above the first date\n"
     "line never count then"},
    {"to", "yyyy-MM-dd", "count only the days up to this date (see --from)"},
    {"by", "day|week|month|year",
     "one report per period that holds an item, in date order (weeks as\n"
     "ISO 8601 weeks, 2026-W09)"},
    {"chart", "bar|hbar|pie|trend",
     "also draw the chart the program would show for the title (needs\n"
     "--output); trend, with --by, draws the most frequent items per period\n"
     "as stacked bars"},
    {"output", "FILE.bmp",
     "where --chart writes its picture: PNG when the name ends in .png,\n"
     "else BMP; a new or regular file other than the title"},
    {"size", "WxH", "the picture area to draw in (default: 589x399)"},
    {"docx", "OUT.docx",
     "also write the Word report: the report with the three charts side by side"},
    {"format", "text|csv|json",
     "text: the report as Total.tol holds it (default); csv: item,count,percent\n"
     "rows after a header row; json: one object with title, from, to, days,\n"
     "count_time, total and items; with --by, a period column or a list of\n"
     "periods"},
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

    bool has(const char* name) const { return options.contains(QLatin1String(name)); }
    QString value(const char* name) const { return options.value(QLatin1String(name)); }
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

QByteArray helpText()
{
    QString out = usageLine() + QLatin1Char('\n');
    out += QStringLiteral(
        "Counts the items of a title file and prints its text report, line for line\n"
        "as the program writes it to Total.tol (with LF line ends).\n\nOptions:\n");
    for (const OptionRow& row : kOptions) {
        QString head = QStringLiteral("  --") + QLatin1String(row.name);
        if (row.valueName)
            head += QLatin1Char(' ') + QLatin1String(row.valueName);
        out += head + QLatin1Char('\n');
        for (const QString& line : QString::fromLatin1(row.help).split(QLatin1Char('\n')))
            out += QStringLiteral("      ") + line + QLatin1Char('\n');
    }
    out += QStringLiteral(
        "\nExample: the counts of March, week by week, for a spreadsheet:\n"
        "  morvane-report --from 2026-03-01 --to 2026-03-31 --by week --format csv T.txt\n"
        "\nExit status: 0 on success (also for a title without items), 1 when a chart\n"
        "or document has nothing to draw or a --pasted table has a faulty line, 2 for\n"
        "a usage error, an unreadable file or an output that could not be written.\n");
    return out.toUtf8();
}

int fail(QTextStream& err, const QString& message)
{
    err << kProgram << ": " << message << '\n';
    err.flush();
    return 2;
}

// Writes all of bytes; a short write is tried again, so that a failure is
// told with the system's reason.
bool writeAll(QIODevice& out, QByteArrayView bytes, QString* reason)
{
    while (!bytes.isEmpty()) {
        const qint64 n = out.write(bytes.data(), bytes.size());
        if (n <= 0) {
            *reason = out.errorString();
            return false;
        }
        bytes = bytes.sliced(n);
    }
    return true;
}

// Checks the chart options before any work is done; empty when they are fine.
QString chartOptionsError(const CommandLine& cl)
{
    if (!cl.has("chart")) {
        if (cl.has("output") || cl.has("size"))
            return QStringLiteral("--output and --size go with --chart");
        return {};
    }
    const QString name = cl.value("chart");
    if (name != QLatin1String("bar") && name != QLatin1String("hbar") &&
        name != QLatin1String("pie") && name != QLatin1String("trend"))
        return QStringLiteral("--chart wants bar, hbar, pie or trend, got \"%1\"").arg(name);
    if ((name == QLatin1String("trend")) != cl.has("by"))
        return name == QLatin1String("trend") ? QStringLiteral("--chart trend needs --by")
                                              : QStringLiteral("--by draws --chart trend only");
    if (cl.value("output").isEmpty())
        return QStringLiteral("--chart needs --output FILE.bmp");
    if (cl.has("size")) {
        // Digits only: no blanks, signs or leading zeros.
        static const QRegularExpression pattern(
            QStringLiteral("^([1-9][0-9]{0,5})x([1-9][0-9]{0,5})$"));
        const QRegularExpressionMatch m = pattern.match(cl.value("size"));
        const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
        const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
        if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide)
            return QStringLiteral("--size wants WxH such as 589x399, got \"%1\"")
                .arg(cl.value("size"));
    }
    return {};
}

// Checks --from, --to and --by; empty when they are fine.
QString periodOptionsError(const CommandLine& cl, FileTally::Options* options)
{
    for (const char* name : {"from", "to"}) {
        if (!cl.has(name))
            continue;
        const QDate date = QDate::fromString(cl.value(name), QLatin1String(kDatePattern));
        if (!date.isValid())
            return QStringLiteral("--%1 wants a date such as 2026-03-01, got \"%2\"")
                .arg(QLatin1String(name), cl.value(name));
        (std::strcmp(name, "from") == 0 ? options->from : options->to) = date;
    }
    if (options->from && options->to && *options->from > *options->to)
        return QStringLiteral("--from %1 is after --to %2").arg(cl.value("from"), cl.value("to"));
    if (cl.has("by")) {
        static const QHash<QString, FileTally::Period> periods{
            {QStringLiteral("day"), FileTally::Period::Day},
            {QStringLiteral("week"), FileTally::Period::Week},
            {QStringLiteral("month"), FileTally::Period::Month},
            {QStringLiteral("year"), FileTally::Period::Year}};
        const auto it = periods.constFind(cl.value("by"));
        if (it == periods.constEnd())
            return QStringLiteral("--by wants day, week, month or year, got \"%1\"")
                .arg(cl.value("by"));
        options->by = *it;
        if (cl.has("docx"))
            return QStringLiteral("--by and --docx do not go together");
    }
    if (cl.has("pasted") && (cl.has("from") || cl.has("to") || cl.has("by")))
        return QStringLiteral("--pasted has no dates for --from, --to or --by");
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
    struct stat st;
    // A loop of links (or a folder that cannot be searched) is no place for a
    // new file: only a name that does not exist yet is.
    if (::stat(QFile::encodeName(output).constData(), &st) != 0 && errno != ENOENT)
        return QStringLiteral("--%1 \"%2\" cannot be written: %3; it is left alone")
            .arg(QLatin1String(option), output, QString::fromLocal8Bit(std::strerror(errno)));
    if (RegularFile::existsAsNonRegular(output))
        return QStringLiteral("--%1 \"%2\" is not a regular file; it is left alone")
            .arg(QLatin1String(option), output);
    if (RegularFile::sameFile(output, input))
        return QStringLiteral("--%1 \"%2\" is the title itself; it is left alone")
            .arg(QLatin1String(option), output);
    return {};
}

// Reads the whole file (for a pasted table, which is small).
bool readWhole(QFile& file, const QString& path, QByteArray* bytes, QString* error)
{
    *bytes = file.readAll();
    if (file.error() == QFileDevice::NoError)
        return true;
    *error = QStringLiteral("cannot read \"%1\": %2").arg(path, file.errorString());
    return false;
}

// --pasted: the report from a pasted table. A faulty table exits with 1 and
// the program's message, naming the line.
int pastedResult(const QByteArray& bytes, const DateFormat& dateFormat, const Clock& clock,
                 TallyResult* result, QTextStream& err)
{
    const TitleLineViews titleLines(bytes);
    QStringList lines;
    lines.reserve(titleLines.lines().size());
    for (const QStringView line : titleLines.lines())
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

bool asksForOutputs(const QStringList& args)
{
    for (const QString& arg : args) {
        if (arg == QLatin1String("--"))
            return false;
        if (arg.startsWith(QLatin1String("--chart")) || arg.startsWith(QLatin1String("--docx")))
            return true;
    }
    return false;
}

int runReportCli(const QStringList& args, QIODevice& out, QTextStream& err, const Clock& clock,
                 ReportOutputs* outputs)
{
    const CommandLine cl = parse(args);
    if (!cl.error.isEmpty())
        return fail(err, cl.error + QStringLiteral(" (try --help)"));
    QString writeError;
    if (cl.has("help")) {
        if (!writeAll(out, helpText(), &writeError))
            return fail(err,
                        QStringLiteral("cannot write the help to standard output: ") + writeError);
        return 0;
    }
    if (cl.has("version")) {
        if (!writeAll(out, QByteArray(kProgram) + ' ' + MORVANE_VERSION + '\n', &writeError))
            return fail(err, QStringLiteral("cannot write the version to standard output: ") +
                                 writeError);
        return 0;
    }
    if (cl.files.isEmpty())
        return fail(err, QStringLiteral("missing TITLE.txt (try --help)"));
    const QString chartError = chartOptionsError(cl);
    if (!chartError.isEmpty())
        return fail(err, chartError + QStringLiteral(" (try --help)"));
    if (cl.has("docx") && cl.value("docx").isEmpty())
        return fail(err, QStringLiteral("--docx needs OUT.docx (try --help)"));
    const QString format = cl.options.value(QStringLiteral("format"), QStringLiteral("text"));
    if (format != QLatin1String("text") && format != QLatin1String("csv") &&
        format != QLatin1String("json"))
        return fail(err, QStringLiteral("--format wants text, csv or json, got \"%1\" (try --help)")
                             .arg(format));
    FileTally::Options tallyOptions;
    const QString periodError = periodOptionsError(cl, &tallyOptions);
    if (!periodError.isEmpty())
        return fail(err, periodError + QStringLiteral(" (try --help)"));
    if (cl.files.size() > 1)
        return fail(
            err, QStringLiteral("one title file only, got %1 (try --help)").arg(cl.files.size()));
    QString targetError;
    if (cl.has("chart"))
        targetError = outputTargetError("output", {QStringLiteral(".bmp"), QStringLiteral(".png")},
                                        cl.value("output"), cl.files.front());
    if (targetError.isEmpty() && cl.has("docx"))
        targetError = outputTargetError("docx", {QStringLiteral(".docx")}, cl.value("docx"),
                                        cl.files.front());
    if (!targetError.isEmpty())
        return fail(err, targetError);
    if ((cl.has("chart") || cl.has("docx")) && !outputs)
        return fail(err, QStringLiteral("charts and documents are drawn by morvane-report-charts, "
                                        "which is not installed"));

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
    tallyOptions.dateFormat = dateFormat;

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
    const QString time = countTime(dateFormat, effectiveClock);

    QByteArray report;
    TallyResult result;
    QString nothing;
    FileTally::Result counted;
    if (cl.has("pasted")) {
        QByteArray bytes;
        if (!readWhole(file, path, &bytes, &openError))
            return fail(err, openError);
        TallyOutcome outcome;
        if (const int status =
                pastedResult(bytes, dateFormat, effectiveClock, &outcome.result, err))
            return status;
        outcome.counted = true;
        outcome.countTime = time;
        if (format == QLatin1String("text"))
            report = outcome.result.reportLines.join(QLatin1Char('\n')).toUtf8() + '\n';
        else if (format == QLatin1String("csv"))
            report = ReportFormats::csv(outcome);
        else
            report = ReportFormats::json(outcome, titleName);
        result = outcome.result;
        nothing = QStringLiteral("the counts add up to 0");
    } else {
        // Every item finds its place, as in the program, whose table has one
        // entry per click-list entry.
        // Without a chart or a document, a period's report is made as it is written.
        tallyOptions.periodsOnDemand = !cl.has("chart") && !cl.has("docx");
        counted = FileTally::count(file.handle(), file.size(), path, tallyOptions);
        if (!counted.error.isEmpty())
            return fail(err, counted.error);
        file.close();
        // Written a piece at a time: a report per day of a large title can
        // be larger than the title.
        const ReportFormats::Sink sink = [&](QByteArrayView bytes) {
            return writeAll(out, bytes, &writeError);
        };
        bool written = false;
        if (tallyOptions.by != FileTally::Period::None) {
            const QString by = cl.value("by");
            if (format == QLatin1String("text"))
                written = ReportFormats::periodsText(counted, titleName, by, time, sink);
            else if (format == QLatin1String("csv"))
                written = ReportFormats::periodsCsv(counted, sink);
            else
                written = ReportFormats::periodsJson(counted, titleName, by, sink);
        } else if (format == QLatin1String("text")) {
            written = ReportFormats::text(counted.whole, titleName, time, sink);
        } else if (format == QLatin1String("csv")) {
            written = ReportFormats::csv(counted.whole, sink);
        } else {
            written = ReportFormats::json(counted.whole, titleName, time, sink);
        }
        if (!written)
            return fail(err, QStringLiteral("cannot write the report to standard output: ") +
                                 writeError);
        nothing = QStringLiteral("the title has no items");
    }
    file.close();
    if (cl.has("pasted") && !writeAll(out, report, &writeError))
        return fail(err,
                    QStringLiteral("cannot write the report to standard output: ") + writeError);
    if (!outputs || (!cl.has("chart") && !cl.has("docx")))
        return 0;
    if (!cl.has("pasted"))
        result = tallyOutcome(counted.whole, titleName, time, TallyResult()).result;
    return outputs->write({cl.options, result, counted.periods, nothing}, err);
}
