#include "DocxCheck.h"
#include "TempDataFolder.h"
#include "cli/ReportCliDraw.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "platform/UserName.h"
#include "stats/FileTally.h"
#include "stats/Tally.h"
#include "stats/TotalFile.h"
#include "titles/TitleText.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 3), QTime(21, 5, 33));
const QString kNowText = "2024-03-03 21:05:33";

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args, const Clock& clock = Clock::fixed(kNow))
{
    CliRun run;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QTextStream err(&run.err);
    run.status = runReportCliWithCharts(args, out, err, clock);
    run.out = QString::fromUtf8(out.data());
    return run;
}

QStringList outputLines(const QString& text)
{
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// What Total.tol holds after the program tallies these bytes as an open title.
QStringList totalFileLines(const TempDataFolder& folder, const QByteArray& title,
                           const QString& titleName, const QString& datePattern)
{
    const QStringList lines = TitleText::decode(title).lines;
    const DateFormat format(datePattern, DateFormat::system(2024).longTimePattern(), 2024);
    const TallyOutcome outcome = runTally(lines, countDistinctItems(lines), titleName, format,
                                          Clock::fixed(kNow), TallyResult());
    if (!outcome.counted)
        return outcome.result.reportLines; // the program leaves Total.tol alone then
    if (!writeTotalFile(folder.path(), outcome.result.reportLines))
        return {};
    return TitleText::decode(folder.readFile("Total.tol")).lines;
}

QByteArray fruit(const DateFormat& format)
{
    const QByteArray d1 = format.formatDate(QDate(2024, 3, 1)).toUtf8();
    const QByteArray d3 = format.formatDate(QDate(2024, 3, 3)).toUtf8();
    return "//Rule:Must press the Enter key, after typing a item each time.\r\n\r\n//" + d1 +
           "\r\napple\r\npear\r\napple \r\n//" + d3 + "\r\nApple\r\napple\r\n";
}

} // namespace

class TestReportCli : public QObject
{
    Q_OBJECT
private slots:
    void sameAsTotalFile_data();
    void sameAsTotalFile();
    void help_data();
    void help();
    void errors_data();
    void errors();
    void executable();
    void charts_data();
    void charts();
    void formats_data();
    void formats();
    void docx();
    void pasted_data();
    void pasted();
    void periods_data();
    void periods();
};

void TestReportCli::sameAsTotalFile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("titleName");
    QTest::addColumn<QString>("datePattern");
    QTest::addColumn<QString>("fromTo"); // guards against rows that find no date at all

    const QByteArray ymd = fruit(DateFormat("yyyy-M-d"));
    const QStringList ymdNow{"--date-format", "yyyy-M-d", "--now", kNowText};
    const QString ymdFromTo = "From 2024-3-1 to 2024-3-3";
    const DateFormat system = DateFormat::system(2024);
    const QString systemFromTo = "From " + system.formatDate(QDate(2024, 3, 1)) + " to " +
                                 system.formatDate(QDate(2024, 3, 3));

    QTest::newRow("worked example") << "Fruit.txt" << ymd << ymdNow << "Fruit"
                                    << "yyyy-M-d" << ymdFromTo;
    QTest::newRow("extension in any case") << "Fruit.TxT" << ymd << ymdNow << "Fruit"
                                           << "yyyy-M-d" << ymdFromTo;
    QTest::newRow("other extension kept") << "Fruit.text" << ymd << ymdNow << "Fruit.text"
                                          << "yyyy-M-d" << ymdFromTo;
    QTest::newRow("--title") << "f.txt" << ymd << (ymdNow + QStringList{"--title", "My Fruit"})
                             << "My Fruit"
                             << "yyyy-M-d" << ymdFromTo;
    QTest::newRow("--opt=value forms")
        << "f.txt" << ymd << QStringList{"--title=", "--date-format=yyyy-M-d", "--now=" + kNowText}
        << ""
        << "yyyy-M-d" << ymdFromTo;
    QTest::newRow("test clock when no --now")
        << "Fruit.txt" << ymd << QStringList{"--date-format", "yyyy-M-d"} << "Fruit"
        << "yyyy-M-d" << ymdFromTo;
    QTest::newRow("8-character date lines")
        << "Dates.txt" << QByteArray("//1/2/24\r\na\r\n//1/12/24\r\nb\r\n//1/3/24\r\nb\r\n")
        << QStringList{"--date-format", "M/d/yy", "--now", kNowText} << "Dates"
        << "M/d/yy"
        << "From 1/12/24 to 1/3/24";
    QTest::newRow("system date format by default")
        << "Fruit.txt" << fruit(system) << QStringList{"--now", kNowText} << "Fruit"
        << system.shortDatePattern() << systemFromTo;
    QTest::newRow("no item line") << "Empty.txt" << QByteArray("//2024-3-1\r\n\r\n//just notes\r\n")
                                  << ymdNow << "Empty"
                                  << "yyyy-M-d"
                                  << "";
    QTest::newRow("empty file") << "Empty.txt" << QByteArray() << ymdNow << "Empty"
                                << "yyyy-M-d"
                                << "";
    QTest::newRow("file name after --")
        << "-dash.txt" << ymd << (ymdNow + QStringList{"--"}) << "-dash"
        << "yyyy-M-d" << ymdFromTo;
}

void TestReportCli::sameAsTotalFile()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, options);
    QFETCH(QString, titleName);
    QFETCH(QString, datePattern);
    QFETCH(QString, fromTo);
    TempDataFolder folder;
    const QString path = folder.writeFile("titles/" + fileName, content);
    const QStringList expected = totalFileLines(folder, content, titleName, datePattern);
    QVERIFY(!expected.isEmpty());
    if (!fromTo.isEmpty())
        QCOMPARE(expected.value(2), fromTo);

    const CliRun run = runCli(options + QStringList{path});
    QCOMPARE(run.err, "");
    QCOMPARE(run.status, 0);
    QVERIFY(!run.out.contains('\r'));
    QCOMPARE(outputLines(run.out), expected);
}

void TestReportCli::help_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("-h") << QStringList{"-h"};
    QTest::newRow("help wins over a file") << QStringList{"missing.txt", "--help"};
}

void TestReportCli::help()
{
    QFETCH(QStringList, args);
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, "");
    QVERIFY(run.out.startsWith("Usage: morvane-report [--date-format FMT] "
                               "[--now \"yyyy-MM-dd HH:mm:ss\"] [--title NAME] "
                               "[--from yyyy-MM-dd] [--to yyyy-MM-dd] [--by day|week|month|year] "
                               "[--chart bar|hbar|pie|trend] [--output FILE.bmp] [--size WxH] "
                               "[--docx OUT.docx] [--format text|csv|json] TITLE.txt\n"));
    for (const char* option :
         {"--date-format", "--now", "--title", "--from", "--to", "--by", "--chart", "--output",
          "--size", "--docx", "--format", "--pasted", "--help", "--version"})
        QVERIFY2(run.out.contains(QString("\n  ") + option), option);
}

void TestReportCli::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("no arguments") << QStringList{} << "missing TITLE.txt";
    QTest::newRow("missing file") << QStringList{"@dir/nothing.txt"} << "nothing.txt";
    QTest::newRow("a folder") << QStringList{"@dir"} << "folder";
    QTest::newRow("unknown option") << QStringList{"--graph", "bar", "@file"} << "--graph";
    QTest::newRow("unknown chart")
        << QStringList{"--chart", "line", "--output", "x.bmp", "@file"} << "line";
    QTest::newRow("chart without output") << QStringList{"--chart", "bar", "@file"} << "--output";
    QTest::newRow("output without chart") << QStringList{"--output", "x.bmp", "@file"} << "--chart";
    for (const char* size : {"589by399", "0x399", " 5x 5", "+5x+5"})
        QTest::addRow("size \"%s\"", size)
            << QStringList{"--chart", "pie", "--output", "x.bmp", "--size", size, "@file"}
            << QString(size);
    QTest::newRow("unknown short option") << QStringList{"-x", "@file"} << "-x";
    QTest::newRow("bad --now") << QStringList{"--now", "yesterday", "@file"} << "yesterday";
    QTest::newRow("impossible --now")
        << QStringList{"--now", "2024-02-30 10:00:00", "@file"} << "2024-02-30";
    QTest::newRow("--now without value") << QStringList{"@file", "--now"} << "--now";
    QTest::newRow("empty --date-format")
        << QStringList{"--date-format=", "@file"} << "--date-format";
    QTest::newRow("switch with a value") << QStringList{"--help=yes"} << "--help";
    QTest::newRow("two files") << QStringList{"@file", "@file"} << "one title file";
    QTest::newRow("--docx without a name") << QStringList{"--docx=", "@file"} << "--docx";
    const QStringList pie{"--chart", "pie", "--output"};
    QTest::newRow("output not .bmp or .png")
        << pie + QStringList{"x.gif", "@file"} << ".bmp or .png";
    QTest::newRow("output a FIFO") << pie + QStringList{"@pipebmp", "@file"} << "not a regular";
    QTest::newRow("output a device") << pie + QStringList{"@null.bmp", "@file"} << "not a regular";
    QTest::newRow("output the title") << pie + QStringList{"@same.bmp", "@file"} << "title itself";
    QTest::newRow("title a FIFO link") << QStringList{"@pipetitle"} << "not a regular";
    QTest::newRow("title a /dev/zero link") << QStringList{"@zerotitle"} << "not a regular";
    QTest::newRow("unknown format") << QStringList{"--format", "xml", "@file"} << "xml";
    QTest::newRow("output a loop of links") << pie + QStringList{"@loop.bmp", "@file"} << "levels";
    for (const char* date : {"2026-02-30", "2026-3-1", "yesterday", ""})
        QTest::addRow("--from \"%s\"", date) << QStringList{"--from", date, "@file"} << "--from";
    QTest::newRow("bad --to") << QStringList{"--to=1.3.2026", "@file"} << "--to";
    QTest::newRow("--from after --to")
        << QStringList{"--from", "2026-03-02", "--to", "2026-03-01", "@file"} << "after --to";
    QTest::newRow("unknown --by") << QStringList{"--by", "fortnight", "@file"} << "--by";
    QTest::newRow("trend without --by")
        << QStringList{"--chart", "trend", "--output", "t.png", "@file"} << "--by";
    QTest::newRow("--by with a bar chart")
        << QStringList{"--by", "week", "--chart", "bar", "--output", "t.png", "@file"} << "--by";
    QTest::newRow("--by with --docx")
        << QStringList{"--by", "week", "--docx", "t.docx", "@file"} << "--docx";
    QTest::newRow("--pasted with --from")
        << QStringList{"--pasted", "--from", "2026-03-01", "@file"} << "--pasted";
}

void TestReportCli::errors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);
    TempDataFolder folder;
    const QString file = folder.writeFile("Fruit.txt", "apple\r\n");
    const QString pipe = folder.path() + "pipe.bmp";
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const QHash<QString, QString> links{{"@null.bmp", "/dev/null"},
                                        {"@same.bmp", file},
                                        {"@pipetitle", pipe},
                                        {"@zerotitle", "/dev/zero"},
                                        {"@loop.bmp", folder.path() + "loop.bmp"}};
    for (auto it = links.begin(); it != links.end(); ++it)
        QVERIFY(QFile::link(it.value(), folder.path() + it.key().mid(1)));
    for (QString& arg : args) {
        if (links.contains(arg))
            arg = folder.path() + arg.mid(1);
        arg.replace("@pipebmp", pipe);
        arg.replace("@file", file);
        arg.replace("@dir", folder.path().chopped(1));
    }
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 2);
    QCOMPARE(run.out, "");
    QVERIFY2(run.err.startsWith("morvane-report: "), qPrintable(run.err));
    QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, qPrintable(run.err));
    QVERIFY2(run.err.contains(mentions), qPrintable(run.err));
    QCOMPARE(folder.readFile("Fruit.txt"), QByteArray("apple\r\n"));
    QVERIFY(QFileInfo(pipe).isSymLink() || !QFileInfo(pipe).isFile());
}

// The real program: standard output carries exactly the report, "\n" after each line.
void TestReportCli::executable()
{
    TempDataFolder folder;
    const QByteArray content = fruit(DateFormat("yyyy-M-d"));
    const QString path = folder.writeFile("Fruit.txt", content);
    const QStringList expected = totalFileLines(folder, content, "Fruit", "yyyy-M-d");

    QProcess ok;
    ok.start(MORVANE_REPORT_BIN, {"--date-format", "yyyy-M-d", "--now", kNowText, path});
    QVERIFY(ok.waitForFinished(60000));
    QCOMPARE(ok.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ok.exitCode(), 0);
    QCOMPARE(ok.readAllStandardError(), QByteArray());
    QCOMPARE(ok.readAllStandardOutput(), (expected.join('\n') + '\n').toUtf8());

    QProcess missing;
    missing.start(MORVANE_REPORT_BIN, {folder.path() + "gone.txt"});
    QVERIFY(missing.waitForFinished(60000));
    QCOMPARE(missing.exitCode(), 2);
    QCOMPARE(missing.readAllStandardOutput(), QByteArray());
    QCOMPARE(missing.readAllStandardError().count('\n'), 1);

    // A report that could not be written is no success.
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    full.start(MORVANE_REPORT_BIN, {path});
    QVERIFY(full.waitForFinished(60000));
    QCOMPARE(full.exitCode(), 2);
    QVERIFY(full.readAllStandardError().contains("cannot write"));
    QProcess helpFull;
    helpFull.setStandardOutputFile("/dev/full");
    helpFull.start(MORVANE_REPORT_BIN, {"--help"});
    QVERIFY(helpFull.waitForFinished(60000));
    QCOMPARE(helpFull.exitCode(), 2);
    QVERIFY(helpFull.readAllStandardError().contains("No space left on device"));

    // The text, CSV and JSON reports start without Qt Gui.
    for (const char* format : {"text", "csv", "json"}) {
        QProcess libs;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_DEBUG", "libs");
        libs.setProcessEnvironment(env);
        libs.start(MORVANE_REPORT_BIN, {"--format", format, "--by", "month", path});
        QVERIFY(libs.waitForFinished(60000));
        QCOMPARE(libs.exitCode(), 0);
        const QByteArray loaded = libs.readAllStandardError();
        QVERIFY(loaded.contains("libQt6Core"));
        QVERIFY2(!loaded.contains("libQt6Gui"), format);
    }

    // A write cut short (here by the file size limit, as a full disk would)
    // says the system's reason and leaves nothing behind.
    const QString picture = folder.path() + "cut.bmp";
    for (const char* kind : {"bar", "trend"}) {
        QProcess limited;
        limited.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{4096, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &small);
        });
        QStringList args{"--date-format", "yyyy-M-d", "--chart", kind, "--output", picture, path};
        if (QByteArray(kind) == "trend")
            args << "--by"
                 << "day";
        limited.start(MORVANE_REPORT_BIN, args);
        QVERIFY(limited.waitForFinished(60000));
        QCOMPARE(limited.exitCode(), 2);
        const QString said = QString::fromLocal8Bit(limited.readAllStandardError());
        QVERIFY2(said.contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(said));
        QVERIFY(!QFileInfo::exists(picture));
    }
}

void TestReportCli::charts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("bar") << "bar"
                         << "" << QSize(589, 399) << "chart.bmp";
    QTest::newRow("horizontal") << "hbar"
                                << "" << QSize(589, 399) << "chart.bmp";
    QTest::newRow("pie, wider than the area") << "pie"
                                              << "" << QSize(598, 399) << "chart.bmp";
    QTest::newRow("bar at a size") << "bar"
                                   << "800x600" << QSize(800, 600) << "chart.bmp";
    QTest::newRow("pie as PNG") << "pie"
                                << "" << QSize(598, 399) << "chart.PNG";
    QTest::newRow("trend by day") << "trend"
                                  << "" << QSize(589, 399) << "trend.png";
    QTest::newRow("trend at a size") << "trend"
                                     << "300x200" << QSize(300, 200) << "trend.bmp";
}

// The picture the program would show, by the same drawing code.
void TestReportCli::charts()
{
    QFETCH(QString, kind);
    QFETCH(QString, size);
    QFETCH(QString, fileName);
    TempDataFolder folder;
    const QString path = folder.writeFile("Fruit.txt", fruit(DateFormat("yyyy-M-d")));
    const QString out = folder.path() + fileName;
    const QStringList by = kind == "trend" ? QStringList{"--by", "day"} : QStringList{};
    QStringList args =
        QStringList{"--date-format", "yyyy-M-d", "--chart", kind, "--output", out, path} + by;
    if (!size.isEmpty())
        args << "--size" << size;
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, "");
    QVERIFY(run.out.startsWith(kind == "trend" ? "statistics by day:\n" : "statistics:\n"));
    QImageReader picture(out);
    picture.setDecideFormatFromContent(true);
    QCOMPARE(picture.format(), QFileInfo(out).suffix().toLower().toLatin1());
    QTEST(picture.read().size(), "expected");

    // A title without items has no picture: nothing is written.
    const QString empty = folder.writeFile("Empty.txt", "//2024-3-3\r\n");
    const QString none = folder.path() + "none.bmp";
    const CliRun nothing = runCli(QStringList{"--chart", kind, "--output", none, empty} + by);
    QCOMPARE(nothing.status, 1);
    QVERIFY(nothing.err.contains("nothing to draw"));
    QVERIFY(!QFileInfo::exists(none));

    // Too large to draw: said in the tool's own words, nothing written.
    const CliRun huge = runCli(QStringList{"--date-format", "yyyy-M-d", "--chart", kind, "--output",
                                           none, "--size", "32767x32767", path} +
                               by);
    QCOMPARE(huge.status, 1);
    QVERIFY2(huge.err.contains("too large") && !huge.err.contains("previous"),
             qPrintable(huge.err));
    QVERIFY(!QFileInfo::exists(none));
}

void TestReportCli::formats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("csv") << "csv"
                         << "item,count,percent\r\napple,3,60\r\npear,1,20\r\nApple,1,20\r\n";
    QTest::newRow("json") << "json"
                          << R"({"title":"Fruit","from":"2024-3-1","to":"2024-3-3","days":2,)"
                             R"("total":5,"items":[{"item":"apple","count":3,"percent":60},)"
                             R"({"item":"pear","count":1,"percent":20},)"
                             R"({"item":"Apple","count":1,"percent":20}]})";
}

// The same numbers as the text report, in forms for spreadsheets and scripts.
void TestReportCli::formats()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    TempDataFolder folder;
    const QString path = folder.writeFile("Fruit.txt", fruit(DateFormat("yyyy-M-d")));
    const CliRun run = runCli({"--format", format, "--date-format", "yyyy-M-d", path});
    QCOMPARE(run.err, "");
    QCOMPARE(run.status, 0);
    if (format == "json") {
        QJsonObject got = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QVERIFY(got.take("count_time").toString().startsWith("2024-3-3 "));
        QCOMPARE(got, QJsonDocument::fromJson(expected.toUtf8()).object());
    } else {
        QCOMPARE(run.out, expected);
    }
}

// The Word report of a title: its report lines and three charts.
void TestReportCli::docx()
{
    TempDataFolder folder;
    const QByteArray content = fruit(DateFormat("yyyy-M-d"));
    const QString path = folder.writeFile("Fruit.txt", content);
    const QString out = folder.path() + "Fruit report.docx";
    const CliRun run = runCli({"--date-format", "yyyy-M-d", "--docx", out, path});
    QCOMPARE(run.err, "");
    QCOMPARE(run.status, 0);
    const QStringList lines = outputLines(run.out);
    const QString problems =
        docxProblems(out, "   Fruit report", "by " + UserName::fullName(), lines.mid(2), {});
    QVERIFY2(problems.isEmpty(), qPrintable(problems));

    const QString empty = folder.writeFile("Empty.txt", "//2024-3-3\r\n");
    const CliRun nothing = runCli({"--docx", folder.path() + "none.docx", empty});
    QCOMPARE(nothing.status, 1);
    QVERIFY(nothing.err.contains("no document written"));
    QVERIFY(!QFileInfo::exists(folder.path() + "none.docx"));
}

void TestReportCli::pasted_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString header = "statistics:\n   \nCount time:2024-3-3 " +
                           DateFormat::system(2024).formatTime(kNow.time()) + "\n\n";
    QTest::newRow("table") << QByteArray("a,3\r\nb\t\t+01\r\n") << QStringList{} << 0
                           << header + "3--75%--a\n+01--25%--b\n"
                           << "";
    QTest::newRow("with a chart") << QByteArray("a,3\nb,1\n")
                                  << QStringList{"--chart", "pie", "--output", "@dir/p.bmp"} << 0
                                  << header + "3--75%--a\n1--25%--b\n"
                                  << "";
    QTest::newRow("counts adding up to 0: no chart")
        << QByteArray("a,5\nb,-5\n") << QStringList{"--chart", "bar", "--output", "@dir/p.bmp"} << 1
        << header + "5--0%--a\n-5--0%--b\n"
        << "morvane-report: nothing to draw: the counts add up to 0; no picture written\n";
    QTest::newRow("faulty line") << QByteArray("a,3\r\n\r\nb,1\r\n") << QStringList{} << 1 << ""
                                 << "morvane-report: line 2: The form is wrong, please consult the "
                                    "example. \n";
    QTest::newRow("empty file") << QByteArray() << QStringList{} << 1 << ""
                                << "morvane-report: Please input the content according to the "
                                   "example at first.\n";
    // CSV and JSON carry the counts' values, whatever their notation.
    QTest::newRow("hex counts, CSV")
        << QByteArray("a,0x10\r\nb,$ff\r\nc\t9\r\n") << QStringList{"--format", "csv"} << 0
        << "item,count,percent\r\na,16,6\r\nb,255,91\r\nc,9,3\r\n"
        << "";
    QTest::newRow("hex counts, JSON")
        << QByteArray("a,0x10\nb,-$10\n") << QStringList{"--format", "json", "--title", "T"} << 0
        << "{\"title\":\"T\",\"from\":\"\",\"to\":\"\",\"days\":0,\"count_time\":\"2024-3-3 " +
               DateFormat::system(2024).formatTime(kNow.time()) +
               "\",\"total\":0,\"items\":[{\"item\":\"a\",\"count\":16,\"percent\":0},"
               "{\"item\":\"b\",\"count\":-16,\"percent\":0}]}\n"
        << "";
}

void TestReportCli::pasted()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, options);
    TempDataFolder folder;
    const QString path = folder.writeFile("table.txt", content);
    for (QString& arg : options)
        arg.replace("@dir", folder.path().chopped(1));
    const CliRun run =
        runCli(QStringList{"--pasted", "--date-format", "yyyy-M-d"} + options + QStringList{path});
    QTEST(run.status, "status");
    QTEST(run.out, "out");
    QTEST(run.err, "err");
    if (options.contains("--chart"))
        QCOMPARE(QFileInfo::exists(folder.path() + "p.bmp"), run.status == 0);
}

namespace {

// A generated title: lines above the first date line, then days (a date
// line and the lines below it), in no order, some dates twice.
struct Day
{
    QDate date;
    QStringList lines;
};

struct GeneratedTitle
{
    QStringList undated;
    std::vector<Day> days;

    QByteArray bytes(const std::vector<const Day*>& chosen, bool withUndated) const
    {
        QStringList lines = withUndated ? undated : QStringList{};
        for (const Day* day : chosen)
            lines << "//" + day->date.toString("yyyy-M-d") << day->lines;
        return TitleText::encode(lines);
    }
};

GeneratedTitle generatedTitle(quint32 seed)
{
    static const QStringList kinds{"apple",      "pear", "Apple", " fig ", "kiwi",
                                   "plum",       "lime", "date",  "",      "//a note that is long",
                                   "//2024-2-30"};
    QRandomGenerator rng(seed);
    GeneratedTitle t;
    t.undated << "//Rule:Must press the Enter key, after typing a item each time."
              << "apple"
              << "pear";
    const QDate first(2024, 12, 20);
    for (int i = 0; i < 60; ++i) {
        Day day;
        day.date = i > 5 && rng.bounded(8) == 0 ? t.days[rng.bounded(i)].date
                                                : first.addDays(rng.bounded(120) - 30);
        const int n = rng.bounded(7); // 0: a date line with nothing below it
        for (int k = 0; k < n; ++k)
            day.lines << kinds[rng.bounded(int(kinds.size()))];
        t.days.push_back(day);
    }
    return t;
}

QString periodOf(const QDate& date, const QString& by)
{
    if (by == "day")
        return date.toString("yyyy-MM-dd");
    if (by == "month")
        return date.toString("yyyy-MM");
    if (by == "year")
        return date.toString("yyyy");
    int year = 0;
    const int week = date.weekNumber(&year);
    return QString("%1-W%2").arg(year).arg(week, 2, 10, QChar('0'));
}

} // namespace

void TestReportCli::periods_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("format");
    const QList<QStringList> periods{{"--from", "2025-01-01"},
                                     {"--to", "2024-12-31"},
                                     {"--from", "2024-12-28", "--to", "2025-01-05"},
                                     {"--from", "2025-01-02", "--to", "2025-01-02"},
                                     {"--from", "2030-01-01"},
                                     {"--by", "day"},
                                     {"--by", "week"},
                                     {"--by", "month"},
                                     {"--by", "year"},
                                     {"--by", "week", "--from", "2024-12-29", "--to", "2025-02-02"},
                                     {"--by", "month", "--from", "2031-01-01"}};
    for (const QStringList& p : periods) {
        for (const char* format : {"text", "csv", "json"})
            QTest::addRow("%s, %s", qPrintable(p.join(' ')), format) << p << QString(format);
    }
}

// Over a period the report is exactly the plain report of the title cut down
// to the days of the period; per period, one such report for each.
void TestReportCli::periods()
{
    QFETCH(QStringList, options);
    QFETCH(QString, format);
    const QString from = options.contains("--from") ? options[options.indexOf("--from") + 1] : "";
    const QString to = options.contains("--to") ? options[options.indexOf("--to") + 1] : "";
    const QString by = options.contains("--by") ? options[options.indexOf("--by") + 1] : "";
    const QStringList common{"--date-format", "yyyy-M-d", "--now",    kNowText,
                             "--title",       "T",        "--format", format};
    TempDataFolder folder;
    for (quint32 seed = 1; seed <= 2; ++seed) {
        const GeneratedTitle title = generatedTitle(seed);
        const QString path = folder.writeFile(
            "T.txt", title.bytes({}, true) + [&] {
                std::vector<const Day*> all;
                for (const Day& day : title.days)
                    all.push_back(&day);
                return title.bytes(all, false);
            }());
        const CliRun run = runCli(common + options + QStringList{path});
        QCOMPARE(run.err, "");
        QCOMPARE(run.status, 0);

        // The days of the period, grouped by their period in date order.
        std::map<QDate, QString> firstDayOf;
        std::map<QString, std::vector<const Day*>> chosen;
        for (const Day& day : title.days) {
            if ((!from.isEmpty() && day.date < QDate::fromString(from, "yyyy-MM-dd")) ||
                (!to.isEmpty() && day.date > QDate::fromString(to, "yyyy-MM-dd")))
                continue;
            chosen[by.isEmpty() ? "" : periodOf(day.date, by)].push_back(&day);
        }
        const auto plain = [&](const std::vector<const Day*>& days, const QString& form) {
            const QString cut = folder.writeFile("cut/T.txt", title.bytes(days, false));
            const CliRun r = runCli(QStringList{"--date-format", "yyyy-M-d", "--now", kNowText,
                                                "--title", "T", "--format", form, cut});
            return r.out;
        };
        if (by.isEmpty()) {
            QCOMPARE(run.out, plain(chosen[""], format));
            continue;
        }
        QString text = "statistics by " + by + ":\n   T\nCount time:2024-3-3 " +
                       DateFormat::system(2024).formatTime(kNow.time()) + "\n";
        QString csv = "period,item,count,percent\r\n";
        QJsonArray json;
        for (const auto& [period, days] : chosen) {
            const QJsonObject report =
                QJsonDocument::fromJson(plain(days, "json").toUtf8()).object();
            if (report["items"].toArray().isEmpty())
                continue; // a period without items has no report
            QJsonObject entry{{"period", period}};
            for (const char* key : {"from", "to", "days", "total", "items"})
                entry[key] = report[key];
            json << entry;
            for (const QString& row : outputLines(plain(days, "csv")).mid(1))
                csv += period + "," + row.chopped(1) + "\r\n";
            const QStringList lines = outputLines(plain(days, "text"));
            text += "\n" + period + ": " + lines[2] + ", days " + lines[3].mid(16) + ", total " +
                    QString::number(report["total"].toInteger()) + "\n";
            for (const QString& line : lines.mid(6))
                text += "  " + line + "\n";
        }
        if (json.isEmpty())
            text += "\n" + QString(kNoItemMessage) + "\n";
        if (format == "text") {
            QCOMPARE(run.out, text);
        } else if (format == "csv") {
            QCOMPARE(run.out, csv);
        } else {
            const QJsonObject got = QJsonDocument::fromJson(run.out.toUtf8()).object();
            QCOMPARE(got["title"].toString(), "T");
            QCOMPARE(got["by"].toString(), by);
            QCOMPARE(got["undated"].toInteger(), 2);
            QCOMPARE(got["periods"].toArray(), json);
        }
    }
}

QTEST_MAIN(TestReportCli)
#include "TestReportCli.moc"
