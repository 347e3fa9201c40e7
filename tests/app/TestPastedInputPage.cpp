#include "ProgramFixture.h"
#include "app/Dialogs.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"
#include "platform/Jpeg.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The report from a pasted table, on the picture window's page "input".
class TestPastedInputPage : public QObject
{
    Q_OBJECT
private slots:
    void page();
    void pasteNeedsText_data();
    void pasteNeedsText();
    void makeReportThenCorrect();
};

static const QString kRows =
    "Set aside all worries,77\nThinking,56\nOverall plan,14\nWork\t28\nStudy\t\t21\n";

void TestPastedInputPage::page()
{
    ProgramFixture f;
    f.start();
    TFormpic* pic = f.program->formpic();
    // Open already, behind the main window: the page comes up ready for typing.
    pic->show();
    f.form1()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.form1()));
    f.form1()->action("Frominput1")->trigger();
    QVERIFY(pic->isVisible());
    QCOMPARE(pic->currentPageName(), QString("input"));
    QCOMPARE(pic->windowTitle(), QString("Make report:please input..."));
    auto* memo = pic->findChild<QPlainTextEdit*>("Memo1");
    QTRY_VERIFY(memo->hasFocus());
    QCOMPARE(pic->findChild<QLabel*>("Label11")->text(), QString("Cut apart with the comma. "));
    QCOMPARE(pic->findChild<QLabel*>("Label12")->text(),
             QString("Duplicate the form of such software as Word , Excel ,etc..  "));
    // Each example shows its picture whole, with its note under it.
    for (const auto& [image, note, file] : {std::tuple{"Image5", "Label11", ":/tools/example1.jpg"},
                                            {"Image2", "Label12", ":/tools/example2.jpg"}}) {
        const auto* box = pic->findChild<QLabel*>(image);
        QVERIFY(!box->pixmap().isNull());
        QCOMPARE(box->pixmap().size(),
                 Jpeg::load(file).size().scaled(box->size(), Qt::KeepAspectRatio));
        QVERIFY(pic->findChild<QLabel*>(note)->y() > box->geometry().bottom());
    }

    pic->button("BitBtn11")->click();
    QCOMPARE(Dialogs::shownMessages(),
             QStringList{"Please input the content according to the example at first."});
    QVERIFY(!QFile::exists(f.dataFolder() + "Total.tol"));
    pic->button("BitBtn14")->click();
    QVERIFY(!pic->isVisible());
}

void TestPastedInputPage::pasteNeedsText_data()
{
    QTest::addColumn<QString>("clipboard"); // "image": a picture only, "": nothing
    QTest::addColumn<QString>("memo");
    QTest::newRow("text at the caret, replacing the selection") << "a,1\nb,2"
                                                                << "x a,1\nb,2";
    QTest::newRow("empty clipboard") << ""
                                     << "x y";
    QTest::newRow("no text on it") << "image"
                                   << "x y";
}

void TestPastedInputPage::pasteNeedsText()
{
    QFETCH(QString, clipboard);
    ProgramFixture f;
    f.start();
    f.form1()->Frominput1Click();
    TFormpic* pic = f.program->formpic();
    auto* memo = pic->findChild<QPlainTextEdit*>("Memo1");
    memo->setPlainText("x y");
    QTextCursor c = memo->textCursor();
    c.setPosition(2);
    c.setPosition(3, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
    QClipboard* board = QGuiApplication::clipboard();
    board->clear();
    if (clipboard == "image") {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        board->setImage(image);
    } else if (!clipboard.isEmpty()) {
        board->setText(clipboard);
    }
    pic->button("BitBtn15")->click();
    QTEST(memo->toPlainText(), "memo");
}

// Make report, draw, then a faulty line: the last whole result stays.
void TestPastedInputPage::makeReportThenCorrect()
{
    ProgramFixture f;
    f.start();
    f.form1()->Frominput1Click();
    TFormpic* pic = f.program->formpic();
    auto* memo = pic->findChild<QPlainTextEdit*>("Memo1");
    for (const char* b : {"BitBtn5", "BitBtn2", "BitBtn6"})
        pic->button(b)->setEnabled(false);
    memo->setPlainText(kRows);
    pic->button("BitBtn11")->click();
    QVERIFY(Dialogs::shownMessages().isEmpty());
    QCOMPARE(pic->currentPageName(), QString("pic"));
    QCOMPARE(pic->windowTitle(), QString("Make report:please input..."));
    QVERIFY(pic->picture().isNull());
    const QByteArray total = "statistics:\r\n   \r\nCount time:2024-3-3 21:05:33\r\n\r\n"
                             "77--39%--Set aside all worries\r\n56--29%--Thinking\r\n"
                             "14--7%--Overall plan\r\n28--14%--Work\r\n21--11%--Study\r\n";
    QCOMPARE(f.readData("Total.tol"), total);
    const TallyResult result = f.form1()->state().tally;
    QCOMPARE(result.countTexts, QStringList({"77", "56", "14", "28", "21"}));
    QCOMPARE(result.totalCount, 196);
    QCOMPARE(result.maxCount, 77);
    QCOMPARE(result.distinctCount, 5);
    for (const char* b : {"BitBtn5", "BitBtn2", "BitBtn6"}) {
        QVERIFY(pic->button(b)->isEnabled());
        pic->button(b)->click();
        QVERIFY2(!pic->picture().isNull(), b);
    }
    const QImage drawn = pic->picture();

    f.form1()->Frominput1Click();
    memo->setPlainText("a,1\nb,2\nc,3,4\nd,4");
    pic->button("BitBtn11")->click();
    QCOMPARE(Dialogs::shownMessages(),
             QStringList{"The form is wrong, please consult the example. "});
    QCOMPARE(memo->textCursor().blockNumber(), 2);
    QCOMPARE(pic->currentPageName(), QString("input"));
    QCOMPARE(f.readData("Total.tol"), total);
    QCOMPARE(f.form1()->state().tally.names, result.names);
    QCOMPARE(f.form1()->state().tally.totalCount, 196);
    QCOMPARE(pic->picture(), drawn);
}

QTEST_MAIN(TestPastedInputPage)
#include "TestPastedInputPage.moc"
