#include "Driver.h"

#include <QDir>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QSet>
#include <QTest>
#include <tuple>
#include <utility>
#include <memory>

// Each step either happens or the journey stops with what it waited for.
#define STEP(x) QVERIFY2((x), qPrintable(p->failure()))

class TestJourneys : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstHour();
    void changedOutside_data();
    void changedOutside();
    void killedWhileTyping_data();
    void killedWhileTyping();
    void twoPrograms();
    void reports();
    void shortcutPage_data();
    void shortcutPage();
    void documentsPage();
    void windowManagerStartsLater();
    void wholeTitle();

private:
    // A library of one title, t, opened at start, the start-up help off.
    void seed(const QByteArray& title);
    // The editor's lines as a save writes them: each one ends in CR LF.
    QByteArray editorBytes() { return (p->editorText() + '\n').toUtf8().replace('\n', "\r\n"); }

    std::unique_ptr<Home> h;
    std::unique_ptr<Driver> p;
};

void TestJourneys::init()
{
    h = std::make_unique<Home>();
    h->setClock(QDateTime(QDate(2024, 3, 4), QTime(9, 0)));
    p = std::make_unique<Driver>(*h);
}

void TestJourneys::seed(const QByteArray& title)
{
    QVERIFY(h->write("t.txt", title));
    QVERIFY(h->write("defaultfile.cnt", "t\r\n\r\n"));
    QVERIFY(h->write("tip.cnt", "No\r\n"));
}

// A failed journey leaves what the screen showed and the program's map.
void TestJourneys::cleanup()
{
    if (QTest::currentTestFailed() && p->running()) {
        const QString folder = QDir::tempPath() + "/morvane-journeys/";
        QDir().mkpath(folder);
        const QString base = folder + QTest::currentTestFunction();
        p->grab().save(base + ".png");
        QFile map(base + ".json");
        if (map.open(QIODevice::WriteOnly))
            map.write(QJsonDocument(p->map()).toJson());
        qWarning("screen and map left in %s.*", qPrintable(base));
    }
    p.reset();
    h.reset();
}

// A new user's first hour: help, a group and a title of their own, two days
// of items by typing, click list, hotkeys and a real paste, renames, the
// default title, a restart and the delete.
void TestJourneys::firstHour()
{
    STEP(p->start());
    STEP(p->waitFor([&] { return p->find("BitBtn1", "Help").valid(); }, "the start-up help"));
    STEP(p->click("BitBtn1", "Help"));
    STEP(p->waitFor([&] { return !p->find("BitBtn1", "Help").valid(); }, "the help to close"));
    QVERIFY(h->read("tip.cnt").startsWith("No"));

    STEP(p->click("ToolButtonGroup"));
    STEP(p->clickText("Establish to the root catalogue"));
    STEP(p->click("Edit3"));
    p->key("a", "ctrl");
    p->type("Habits\n");
    STEP(p->clickRow("TreeView1", "Habits"));
    STEP(p->waitFor([&] { return p->editorText().startsWith("//This is a title group"); },
                    "the group shown"));
    STEP(p->click("ToolButton2"));
    STEP(p->waitFor([&] { return p->find("Edit1").data["focus"].toBool(); }, "the name box"));
    p->type("Sleep\n");
    STEP(p->clickRow("TreeView1", "Habits\\Sleep"));
    STEP(p->waitForCaption("Morvane---Sleep"));
    QCOMPARE(p->editorText(), QString("//4 Mar 2024\n"));
    p->type("coffee\nwalk\ntea\n");
    STEP(p->waitFor([&] { return p->clickList() == QStringList({"coffee", "tea", "walk"}); },
                    "the typed items in the click list"));
    QCOMPARE(p->hotkeys(), QStringList({"C", "T", "W"}));
    STEP(p->click("ToolButtonSave"));
    const QByteArray day1 = "//4 Mar 2024\r\ncoffee\r\nwalk\r\ntea\r\n\r\n";
    STEP(p->waitFor([&] { return h->read("Habits/Sleep.txt") == day1; }, "the first day saved"));

    // The next day begins when the title is opened again.
    h->setClock(QDateTime(QDate(2024, 3, 5), QTime(8, 30)));
    STEP(p->clickRow("TreeView1", "Habits"));
    STEP(p->clickRow("TreeView1", "Habits\\Sleep"));
    STEP(p->waitFor([&] { return p->editorText().endsWith("\n//5 Mar 2024\n"); }, "the new day"));
    STEP(p->clickRow("ListBoxListNow", "walk"));
    STEP(p->waitFor([&] { return p->editorText().endsWith("//5 Mar 2024\nwalk\n"); },
                    "walk chosen by mouse"));
    p->key("Tab", "ctrl");
    STEP(p->waitFor([&] { return p->find("ListBoxListNow").data["focus"].toBool(); },
                    "the click list's focus"));
    p->key("Up");
    STEP(p->waitFor([&] { return p->editorText().endsWith("walk\ntea\n"); }, "tea by keyboard"));
    p->key("c", "ctrl");
    STEP(p->waitFor([&] { return p->editorText().endsWith("tea\ncoffee\n"); }, "Ctrl+C's item"));
    p->setClipboard("news\nsleep\n");
    p->quickCtrl("v");
    STEP(p->waitFor([&] { return p->editorText().endsWith("coffee\nnews\nsleep\n"); }, "the paste"));
    // Both columns follow the text, however quickly Ctrl went up.
    STEP(p->waitFor([&] { return p->clickList().contains("news"); }, "news in the click list"));
    QCOMPARE(p->hotkeys().size(), p->clickList().size());
    STEP(p->click("ToolButtonSave"));
    const QByteArray saved = day1 + "//5 Mar 2024\r\nwalk\r\ntea\r\ncoffee\r\nnews\r\nsleep\r\n\r\n";
    STEP(p->waitFor([&] { return h->read("Habits/Sleep.txt") == saved; }, "the second day saved"));

    STEP(p->menu("File", "Rename..."));
    p->key("a", "ctrl");
    p->type("Rest\n");
    STEP(p->waitFor([&] { return h->read("Habits/Rest.txt") == saved; }, "the title renamed"));
    STEP(p->clickRow("TreeView1", "Habits"));
    STEP(p->clickRow("TreeView1", "Habits\\Rest"));
    STEP(p->waitForCaption("Morvane---Rest"));
    QCOMPARE(p->messageText(), QString());
    QCOMPARE(editorBytes(), saved);

    STEP(p->clickRow("TreeView1", "Habits"));
    STEP(p->menu("File", "Rename..."));
    p->key("a", "ctrl");
    p->type("Health\n");
    STEP(p->waitFor([&] { return h->read("Health/Rest.txt") == saved; }, "the group renamed"));
    STEP(p->clickRow("TreeView1", "Health\\Rest"));
    STEP(p->waitForCaption("Morvane---Rest"));
    QCOMPARE(editorBytes(), saved);

    STEP(p->click("ToolButtonStartOpen"));
    STEP(p->waitFor([&] { return h->read("defaultfile.cnt") == "Rest\r\nHealth\r\n"; },
                    "the default"));
    STEP(p->quit());
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---Rest"));
    QCOMPARE(editorBytes(), saved);
    QTest::qWait(1500); // the start-up help would be up after a second
    QVERIFY(!p->x().windowTitles().join('|').contains("Help"));

    STEP(p->menu("File", "Delete"));
    STEP(p->waitForMessage("Really must you delete Rest?"));
    STEP(p->answer("Yes"));
    STEP(p->waitFor([&] { return !QFile::exists(h->data() + "Health/Rest.txt"); }, "the delete"));
    STEP(p->waitForCaption("Morvane---Please click a title to start."));
    QVERIFY(p->find("TreeView1").row("Health\\Rest").isEmpty());
}

void TestJourneys::changedOutside_data()
{
    QTest::addColumn<QString>("answer"); // a button, or a key on the question
    QTest::addColumn<QByteArray>("title"); // t.txt afterwards
    QTest::addColumn<QByteArray>("beside"); // t (2).txt afterwards
    QTest::addColumn<QString>("shown"); // the one of the two lines the editor holds
    const QByteArray head = "//4 Mar 2024\r\nold\r\n";
    QTest::newRow("Reload") << "Reload" << head + "theirs\r\n" << QByteArray() << "theirs";
    QTest::newRow("Overwrite") << "Overwrite" << head + "mine\r\n\r\n" << QByteArray() << "mine";
    QTest::newRow("Keep both") << "Keep both" << head + "theirs\r\n" << head + "mine\r\n\r\n"
                               << "mine";
    // A reflexive Enter keeps both sides; Escape saves nothing and keeps the typing.
    QTest::newRow("Enter") << "Return" << head + "theirs\r\n" << head + "mine\r\n\r\n"
                           << "mine";
    QTest::newRow("Escape") << "Escape" << head + "theirs\r\n" << QByteArray() << "mine";
}

// Another program appends to the open title; Save asks what to keep.
void TestJourneys::changedOutside()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, beside);
    QFETCH(QString, shown);
    seed("//4 Mar 2024\r\nold\r\n");
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    p->type("mine\n");
    STEP(p->waitFor([&] { return p->clickList().contains("mine"); }, "the typed line"));
    QVERIFY(h->append("t.txt", "theirs\r\n"));
    STEP(p->click("ToolButtonSave"));
    STEP(p->waitForMessage("was changed on disk"));
    if (answer == "Return" || answer == "Escape")
        STEP(p->keyOnMessage(answer.toLatin1().constData()));
    else
        STEP(p->answer(answer));
    STEP(p->waitFor([&] { return !p->messageBox().valid(); }, "the question to close"));
    STEP(p->waitFor([&] { return h->read("t.txt") == title; }, "t.txt as chosen"));
    QCOMPARE(h->read("t (2).txt"), beside);
    QVERIFY(p->editorText().contains(shown + "\n"));
    QVERIFY(!p->editorText().contains((shown == "mine" ? "theirs" : "mine") + QString("\n")));
    if (beside.isEmpty())
        return;
    // The new title is the open one, highlighted, and can be renamed and opened again.
    STEP(p->waitForCaption("Morvane---t (2)"));
    QVERIFY(p->find("TreeView1").row("t (2)")["current"].toBool());
    STEP(p->menu("File", "Rename..."));
    p->key("a", "ctrl");
    p->type("u\n");
    STEP(p->waitFor([&] { return h->read("u.txt") == beside; }, "the new title renamed"));
    STEP(p->clickRow("TreeView1", "t"));
    STEP(p->waitForCaption("Morvane---t"));
    STEP(p->clickRow("TreeView1", "u"));
    STEP(p->waitForCaption("Morvane---u"));
    QCOMPARE(editorBytes(), beside);
}

void TestJourneys::killedWhileTyping_data()
{
    QTest::addColumn<bool>("restore");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

// SIGKILL while typing: the next start offers the lines back; No keeps them aside.
void TestJourneys::killedWhileTyping()
{
    QFETCH(bool, restore);
    seed("//4 Mar 2024\r\n");
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    p->type("alpha\nbeta\n");
    const auto copies = [&](const char* pattern) {
        QByteArray all;
        for (const QString& f : QDir(h->state()).entryList({pattern})) {
            QFile copy(h->state() + f);
            if (copy.open(QIODevice::ReadOnly))
                all += copy.readAll();
        }
        return all;
    };
    STEP(p->waitFor([&] { return copies("*.recovery").contains("beta"); }, "the recovery copy"));
    p->kill();
    QCOMPARE(h->read("t.txt"), QByteArray("//4 Mar 2024\r\n"));

    STEP(p->start());
    STEP(p->waitForMessage("restore the unsaved lines of t?"));
    STEP(p->answer(restore ? "Yes" : "No"));
    STEP(p->waitForCaption("Morvane---t"));
    QCOMPARE(p->editorText().contains("alpha\nbeta\n"), restore);
    if (restore) {
        STEP(p->click("ToolButtonSave"));
        STEP(p->waitFor([&] { return h->read("t.txt").contains("alpha\r\nbeta\r\n"); },
                        "the restored lines saved"));
    } else {
        QVERIFY(copies("*.kept").contains("alpha\nbeta\n"));
    }
    STEP(p->quit());
    QVERIFY(copies("*.recovery").isEmpty());
}

// A second program on the same data folder steps back; the first goes on.
void TestJourneys::twoPrograms()
{
    seed("//4 Mar 2024\r\n");
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    Driver second(*h);
    QVERIFY2(second.start(), qPrintable(second.failure()));
    QVERIFY2(second.waitForMessage("Morvane is already running on the data folder"),
             qPrintable(second.failure()));
    QVERIFY2(second.answer("OK"), qPrintable(second.failure()));
    QVERIFY2(second.waitFor([&] { return !second.running(); }, "the second to end"),
             qPrintable(second.failure()));
    p->type("first\n");
    STEP(p->click("ToolButtonSave"));
    STEP(p->waitFor([&] { return h->read("t.txt").contains("first\r\n"); }, "the save"));
    STEP(p->quit());
}

namespace {
// The lengths of the blue bars of a chart on the screen, left to right
// (across: top to bottom), in pixels: axes and texts do not count.
QList<int> barLengths(const QImage& image, bool across)
{
    QList<int> bars;
    int run = 0;
    const int lines = across ? image.height() : image.width();
    for (int i = 0; i <= lines; ++i) {
        int coloured = 0;
        for (int j = 0; i < lines && j < (across ? image.width() : image.height()); ++j) {
            const QColor c = across ? image.pixelColor(j, i) : image.pixelColor(i, j);
            coloured += c.saturation() > 60 && c.blue() > 200 && c.blue() > c.green();
        }
        // Count texts are a few pixels long; a bar is more.
        if (coloured > 12)
            run = qMax(run, coloured);
        else if (run > 0)
            bars << std::exchange(run, 0);
    }
    return bars;
}

// The share of a picture's pixels that are not white.
double inked(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) != 0xffffffff;
    return double(n) / (image.width() * image.height());
}
} // namespace

// Every report command on a title, each ending in what it writes or shows.
void TestJourneys::reports()
{
    seed("//4 Mar 2024\r\na\r\na\r\na\r\nb\r\n");
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    STEP(p->click("ToolButtonText"));
    STEP(p->waitFor([&] { return h->read("Total.tol").contains("a"); }, "Total.tol"));
    QCOMPARE(h->read("Total.tol"), QByteArray("statistics:\r\n   t\r\nFrom 4 Mar 2024 to 4 Mar 2024\r\n"
                                               "Counted of days:1\r\nCount time:4 Mar 2024 09:00:00"
                                               "\r\n\r\n3--75%--a\r\n1--25%--b\r\n"));
    // Nothing on this desktop opens text: the program shows it itself.
    STEP(p->waitFor([&] { return p->x().windowTitles().contains("Total.tol"); }, "the viewer"));

    // Each chart, then each redraw from the picture window, whose own button goes grey.
    STEP(p->click("ToolButtonBar"));
    STEP(p->waitFor([&] { return p->find("Image1", "BarChart---t").valid(); }, "the bar chart"));
    // a counts 3, b 1: the bars stand about 3 to 1 on the screen (the bar
    // chart's caps add to both).
    const auto shows = [&](const char* kind) {
        const QImage shown = p->grab(p->find("Image1").rect());
        if (QByteArray(kind) == "pie")
            return inked(shown) > 0.3;
        const QList<int> bars = barLengths(shown, QByteArray(kind) == "across");
        return bars.size() == 2 && bars[0] > 2.5 * bars[1] && bars[0] < 3.2 * bars[1];
    };
    for (const auto& [redraw, kind] :
         {std::pair{"BitBtn6", "bar"}, {"BitBtn2", "pie"}, {"BitBtn5", "across"}, {"", "bar"}}) {
        STEP(p->waitFor([&] { return shows(kind); }, QString("the %1 chart shown").arg(kind)));
        if (*redraw) {
            STEP(p->click(redraw));
            STEP(p->waitFor([&] { return !p->find(redraw).enabled(); }, redraw));
        }
    }

    // Save Picture as, through the file dialog as a user types in it.
    const auto saveThrough = [&](const QString& file) {
        if (!p->waitFor([&] { return p->find("fileNameEdit").data["focus"].toBool(); },
                        "the file dialog"))
            return false;
        p->key("a", "ctrl");
        p->type(file + "\n");
        return p->waitFor([&] { return QFileInfo(file).size() > 0; }, file);
    };
    STEP(p->click("BitBtn7"));
    STEP(saveThrough(h->path() + "chart.png"));
    QCOMPARE(QImage(h->path() + "chart.png").size(), p->find("Image1").rect().size());
    STEP(p->click("BitBtn16"));
    STEP(p->waitFor([&] { return !QGuiApplication::clipboard()->image().isNull(); },
                    "the picture on the clipboard"));
    STEP(p->click("BitBtn1"));
    STEP(p->waitForMessage("Print the picture to a PDF file instead?"));
    STEP(p->answer("Yes"));
    STEP(saveThrough(h->path() + "chart.pdf"));
    QFile pdf(h->path() + "chart.pdf");
    QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");

    STEP(p->click("BitBtnWord"));
    STEP(p->waitForMessage("Whether Word has already been installed correctly?"));
    const QString docx = p->messageText().section('\n', -1);
    STEP(p->answer("OK"));
    STEP(p->raise("BarChart")); // the box belonged to the main window, which came forward
    QFile word(docx);
    QVERIFY2(word.open(QIODevice::ReadOnly) && word.read(2) == "PK", qPrintable(docx));

    // A table typed on the pasted-input page, then one it cannot read.
    STEP(p->click("BitBtn9"));
    STEP(p->click("Memo1", "Make report"));
    p->type("x,6\ny,2\n");
    STEP(p->click("BitBtn11"));
    STEP(p->waitFor([&] { return h->read("Total.tol").contains("\r\n6--75%--x\r\n2--25%--y"); },
                    "the report of the typed table"));
    STEP(p->click("BitBtn5"));
    STEP(p->waitFor([&] { return shows("bar"); }, "the chart of the typed table"));
    STEP(p->click("BitBtn9"));
    STEP(p->click("Memo1", "Make report"));
    p->key("a", "ctrl");
    p->type("x,6,\n,,\n");
    STEP(p->click("BitBtn11"));
    STEP(p->waitForMessage("The form is wrong, please consult the example."));
    STEP(p->answer("OK"));
    // Refused whole: the last report stays as it was.
    QVERIFY(h->read("Total.tol").contains("\r\n6--75%--x\r\n2--25%--y\r\n"));
}

void TestJourneys::shortcutPage_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("launcher"); // below HOME
    QTest::newRow("DeskTop") << "CheckBox1" << "Desktop/Morvane.desktop";
    QTest::newRow("Start Menu") << "CheckBox2" << ".local/share/applications/Morvane.desktop";
    QTest::newRow("Programs") << "CheckBox3"
                              << ".local/share/applications/Morvane-programs.desktop";
    QTest::newRow("Quick Start") << "CheckBox4" << ".config/autostart/Morvane.desktop";
}

// Each shortcut box ticked writes its launcher, starting this program;
// unticked removes it; the page shows what is on disk when it opens again.
void TestJourneys::shortcutPage()
{
    QFETCH(QString, box);
    QFETCH(QString, launcher);
    seed("//4 Mar 2024\r\n");
    const QString file = h->path() + "home/" + launcher;
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    STEP(p->menu("Tools", "ShortCut"));
    STEP(p->waitFor([&] { return p->find(box).valid() && !p->find(box).data["checked"].toBool(); },
                    "the box unticked"));
    STEP(p->click(box));
    STEP(p->waitFor([&] { return QFileInfo(file).isExecutable(); }, "the launcher"));
    QFile entry(file);
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    QVERIFY2(text.contains("Exec=\"" MORVANE_BIN "\"") || text.contains("Exec=" MORVANE_BIN),
             text.constData());
    STEP(p->click("BitBtn1", "Create Shortcut")); // back home, then the page again
    STEP(p->menu("Tools", "ShortCut"));
    STEP(p->waitFor([&] { return p->find(box).data["checked"].toBool(); }, "the box ticked"));
    STEP(p->click(box));
    STEP(p->waitFor([&] { return !QFileInfo::exists(file); }, "the launcher removed"));
    STEP(p->quit());
}

// The documents page names the data folder; deleting it asks first, and No keeps it.
void TestJourneys::documentsPage()
{
    seed("//4 Mar 2024\r\n");
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    STEP(p->menu("Tools", "Uninstall"));
    STEP(p->waitFor([&] { return p->find("Label8").text() == h->data(); }, "the data folder named"));
    STEP(p->click("BitBtn3", "Uninstall"));
    STEP(p->waitForMessage("You really must delete all documents?"));
    STEP(p->answer("No"));
    STEP(p->waitFor([&] { return !p->messageBox().valid(); }, "the question to close"));
    QCOMPARE(h->read("t.txt"), QByteArray("//4 Mar 2024\r\n"));
    STEP(p->click("BitBtn3", "Uninstall"));
    STEP(p->answer("Yes"));
    STEP(p->waitForMessage("It is successful to delete"));
    STEP(p->answer("OK"));
    QVERIFY(!QFileInfo::exists(h->data()));
    STEP(p->quit());
}

// Append Text, Replace and Export with each of its filters, through their
// pages and the file dialogs.
void TestJourneys::wholeTitle()
{
    seed("//4 Mar 2024\r\na\r\n\r\n//note\r\nb\r\n");
    QFile in(h->path() + "in.txt");
    QVERIFY(in.open(QIODevice::WriteOnly) && in.write("c\r\nd\r\n") == 6);
    in.close();
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    const auto throughDialog = [&](const QString& file) {
        if (!p->waitFor([&] { return p->find("fileNameEdit").data["focus"].toBool(); },
                        "the file dialog"))
            return false;
        p->key("a", "ctrl");
        p->type(file + "\n");
        return true;
    };
    STEP(p->menu("File", "Append Text..."));
    STEP(throughDialog(in.fileName()));
    STEP(p->waitFor([&] { return p->editorText().endsWith("b\n\nc\nd\n"); }, "the appended lines"));
    // The next item starts a line of its own.
    p->type("e\n");
    STEP(p->click("ToolButtonSave"));
    const QByteArray body = "\r\n//note\r\nb\r\n\r\nc\r\nd\r\ne\r\n\r\n";
    STEP(p->waitFor([&] { return h->read("t.txt") == "//4 Mar 2024\r\na\r\n" + body; },
                    "the appended title saved"));

    STEP(p->menu("Edit", "Replace Item..."));
    STEP(p->click("ComboBox1"));
    p->key("a", "ctrl");
    p->type("a");
    STEP(p->click("Edit2"));
    p->key("a", "ctrl");
    p->type("z");
    STEP(p->click("BitBtn3"));
    STEP(p->waitForMessage("1 row be replaced"));
    STEP(p->answer("OK"));
    QCOMPARE(editorBytes(), "//4 Mar 2024\r\nz\r\n" + body);

    int exports = 0;
    const QByteArray z = "z\r\n\r\n";
    for (const auto& [choice, noSpace, exported] :
         {std::tuple{"Export all", false, "//4 Mar 2024\r\n" + z + "//note\r\nb\r\n\r\nc\r\nd\r\ne\r\n\r\n"},
          {"Don't export date lines ", false, z + "//note\r\nb\r\n\r\nc\r\nd\r\ne\r\n\r\n"},
          {"Don't export all note lins", false, z + "b\r\n\r\nc\r\nd\r\ne\r\n\r\n"},
          {"Export all", true, QByteArray("//4 Mar 2024\r\nz\r\n//note\r\nb\r\nc\r\nd\r\ne\r\n")}}) {
        STEP(p->menu("File", "Export..."));
        STEP(p->clickText(choice));
        Widget box;
        STEP(p->waitFor([&] { return (box = p->find("CheckBox1", "")).valid(); }, "the box"));
        if (box.data["checked"].toBool() != noSpace)
            STEP(p->click("CheckBox1", box.window()));
        STEP(p->click("BitBtn12"));
        const QString out = h->path() + QString("out%1.txt").arg(++exports);
        STEP(throughDialog(out));
        STEP(p->waitForMessage("ok"));
        STEP(p->answer("OK"));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), exported);
    }
}

// A window manager started while the program runs reparents and maps its
// windows again: the help must not come back, nor the title close.
void TestJourneys::windowManagerStartsLater()
{
    QProcess probe;
    probe.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
    if (probe.waitForFinished(5000) && probe.readAll().contains("window id"))
        QSKIP("runs on a screen without a window manager");
    QVERIFY(h->write("t.txt", "//4 Mar 2024\r\n"));
    QVERIFY(h->write("defaultfile.cnt", "t\r\n\r\n"));
    STEP(p->start());
    STEP(p->waitForCaption("Morvane---t"));
    STEP(p->waitFor([&] { return p->find("BitBtn2", "Help").valid(); }, "the start-up help"));
    STEP(p->click("BitBtn2", "Help")); // "I See": shown again at the next start only
    STEP(p->waitFor([&] { return !p->find("BitBtn2", "Help").valid(); }, "the help to close"));

    QProcess wm;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QDir().mkpath(h->path() + "wmhome");
    env.insert("HOME", h->path() + "wmhome");
    wm.setProcessEnvironment(env);
    wm.start("openbox", {"--sm-disable"});
    STEP(p->waitFor(
        [&] {
            QProcess check;
            check.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
            return check.waitForFinished(5000) && check.readAll().contains("window id");
        },
        "openbox"));
    QTest::qWait(1500); // the help's timer would have fired by now
    STEP(p->raise("Morvane---t"));
    STEP(p->click("RichEditNeed"));
    p->key("End", "ctrl");
    p->type("one\ntwo\nthree\nfour\nfive\n");
    STEP(p->waitFor([&] { return p->clickList().contains("five"); }, "the five items"));
    QVERIFY(!p->find("BitBtn2", "Help").valid());
    QCOMPARE(p->caption(), QString("Morvane---t"));
    STEP(p->click("ToolButtonSave"));
    STEP(p->waitFor([&] { return h->read("t.txt").contains("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n"); },
                    "the five items saved"));
    STEP(p->quit());
    wm.terminate();
    wm.waitForFinished(5000);
}

QTEST_MAIN(TestJourneys)
#include "TestJourneys.moc"
