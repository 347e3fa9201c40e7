#include "DocxCheck.h"
#include "TempDataFolder.h"
#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "platform/UserName.h"
#include "cli/ReportCli.h"
#include "stats/Tally.h"
#include "stats/TotalFile.h"
#include "titles/TitleText.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

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
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runReportCli(args, out, err, clock);
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
                               "[--chart bar|hbar|pie] [--output FILE.bmp] [--size WxH] "
                               "[--docx OUT.docx] [--format text|csv|json] TITLE.txt\n"));
    for (const char* option : {"--date-format", "--now", "--title", "--chart", "--output", "--size",
                               "--docx", "--format", "--help", "--version"})
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
                                        {"@zerotitle", "/dev/zero"}};
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
    QStringList args{"--date-format", "yyyy-M-d", "--chart", kind, "--output", out, path};
    if (!size.isEmpty())
        args << "--size" << size;
    const CliRun run = runCli(args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, "");
    QVERIFY(run.out.startsWith("statistics:\n"));
    QImageReader picture(out);
    picture.setDecideFormatFromContent(true);
    QCOMPARE(picture.format(), QFileInfo(out).suffix().toLower().toLatin1());
    QTEST(picture.read().size(), "expected");

    // A title without items has no picture: nothing is written.
    const QString empty = folder.writeFile("Empty.txt", "//2024-3-3\r\n");
    const QString none = folder.path() + "none.bmp";
    const CliRun nothing = runCli({"--chart", kind, "--output", none, empty});
    QCOMPARE(nothing.status, 1);
    QVERIFY(nothing.err.contains("nothing to draw"));
    QVERIFY(!QFileInfo::exists(none));

    // Too large to draw: said in the tool's own words, nothing written.
    const CliRun huge = runCli({"--chart", kind, "--output", none, "--size", "32767x32767", path});
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
    if (!options.isEmpty())
        QCOMPARE(QFileInfo::exists(folder.path() + "p.bmp"), run.status == 0);
}

QTEST_MAIN(TestReportCli)
#include "TestReportCli.moc"
