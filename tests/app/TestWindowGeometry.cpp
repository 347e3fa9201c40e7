#include "ProgramFixture.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"
#include "app/TFormpic.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>
#include <algorithm>

// The main window on screens of real sizes (side by side on the offscreen
// platform, see screens.json), its hints and its tree's hot tracking.
class TestWindowGeometry : public QObject
{
    Q_OBJECT
private slots:
    void screenSizes_data();
    void screenSizes();
    void hints_data();
    void hints();
    void splitterColours();
    void treeHotTracking();
    void highDensityScreen();

private:
    static void startOn(ProgramFixture& f, const QString& screen);
};

void TestWindowGeometry::startOn(ProgramFixture& f, const QString& screen)
{
    // 40 items: the hotkey column shows letters, digits and "NO-".
    QByteArray text = "//2024-3-3\r\n";
    for (int i = 0; i < 40; ++i)
        text += "Item " + QByteArray::number(i) + "\r\n";
    f.writeData("Fruit.txt", text);
    const QList<QScreen*> screens = QGuiApplication::screens();
    const auto named = std::find_if(screens.begin(), screens.end(),
                                    [&](QScreen* s) { return s->name() == screen; });
    QVERIFY(named != screens.end());
    f.start(*named);
    f.click("Fruit");
}

void TestWindowGeometry::screenSizes_data()
{
    QTest::addColumn<QSize>("normalSize");
    QTest::newRow("800x600") << QSize(798, 568);
    QTest::newRow("1024x768") << QSize(1021, 727);
    QTest::newRow("1920x1080") << QSize(1915, 1022);
}

void TestWindowGeometry::screenSizes()
{
    QFETCH(QSize, normalSize);
    const QString screen = QTest::currentDataTag();
    ProgramFixture f;
    startOn(f, screen);
    TForm1* form1 = f.form1();
    QCOMPARE(form1->screen()->name(), screen);
    QVERIFY(form1->isMaximized());
    QCOMPARE(form1->normalGeometry().size(), normalSize);
    // Keys in the editor leave the click list in the font the screen gave it.
    const QString clickFont = f.clickList()->font().toString();
    QTest::keyClick(f.editor(), Qt::Key_A);
    QCOMPARE(f.clickList()->font().toString(), clickFont);

    auto* toolBar = form1->findChild<QToolBar*>("ToolBar1");
    QListWidget* hotkeys = f.hotkeys();
    const int margin = hotkeys->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
    for (bool maximised : {true, false}) {
        if (!maximised) {
            form1->showNormal();
            QTRY_COMPARE(form1->size(), normalSize);
        }
        // Every button in view with its caption whole; no overflow chevron.
        int shown = 0;
        for (QAction* a : toolBar->actions()) {
            auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(a));
            if (!button)
                continue;
            QVERIFY2(button->isVisible(), qPrintable(a->objectName()));
            QVERIFY(toolBar->rect().contains(button->geometry()));
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width(),
                     qPrintable(a->objectName()));
            ++shown;
        }
        QCOMPARE(shown, 11);
        auto* chevron = toolBar->findChild<QToolButton*>("qt_toolbar_ext_button");
        QVERIFY(!chevron || !chevron->isVisible());

        // Every hotkey entry shows whole in the column's font.
        QVERIFY(hotkeys->item(39)->text() == "NO-");
        for (int i = 0; i < hotkeys->count(); ++i) {
            const QString text = hotkeys->item(i)->text();
            QVERIFY2(hotkeys->fontMetrics().horizontalAdvance(text) + 2 * margin <=
                         hotkeys->viewport()->width(),
                     qPrintable(text));
        }
    }
}

void TestWindowGeometry::hints_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("hint");
    const char* const rows[][2] = {
        {"ToolButtonGroup", ""},
        {"ToolButton2", "New Title"},
        {"ToolButtonStartOpen", "Open when this software starts"},
        {"ToolButtonSave", "Save title"},
        {"ToolButtonReplace", "Replace Item"},
        {"ToolButtonBar", "BarChart"},
        {"ToolButtonPie", "PieChart"},
        {"ToolButtonbar2", "BarchartHorizon"},
        {"ToolButtonWord", "MS Word Report"},
        {"ToolButtonText", "Text Report"},
        {"ToolButton11", "Help"},
        {"Splitter3 handle", "Title windows"},
        {"TreeView1", ""},
        {"RichEditNeed", ""},
        {"ListBoxListNow", ""},
    };
    for (const auto& [widget, hint] : rows)
        QTest::newRow(widget) << QString(widget) << QString(hint);
}

void TestWindowGeometry::hints()
{
    QFETCH(QString, widget);
    ProgramFixture f;
    startOn(f, "1024x768");
    QWidget* target = nullptr;
    if (widget == "Splitter3 handle")
        target = f.form1()->findChild<QSplitter*>("Splitter3")->handle(1);
    else if (auto* view = f.form1()->findChild<QAbstractScrollArea*>(widget))
        target = view->viewport();
    else
        target = f.form1()->findChild<QToolButton*>(widget);
    QVERIFY(target);
    QToolTip::hideText();
    const QPoint at = target->rect().center();
    QHelpEvent event(QEvent::ToolTip, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QTEST(QToolTip::isVisible() ? QToolTip::text() : QString(), "hint");
}

void TestWindowGeometry::splitterColours()
{
    ProgramFixture f;
    f.start();
    auto* tree = f.form1()->findChild<QSplitter*>("Splitter3");
    auto* lists = f.form1()->findChild<QSplitter*>("Splitter1");
    const QColor yellow(255, 255, 170);
    for (QWidget* handle : {tree->handle(1), lists->handle(1)}) {
        QVERIFY(handle->autoFillBackground());
        QCOMPARE(handle->palette().color(QPalette::Window), yellow);
    }
    QVERIFY(tree->handle(2)->palette().color(QPalette::Window) != yellow); // Splitter2
}

void TestWindowGeometry::treeHotTracking()
{
    ProgramFixture f;
    startOn(f, "1024x768");
    QTreeWidget* tree = f.tree();
    const QRect row = tree->visualItemRect(f.node("Fruit"));
    const QImage before = tree->viewport()->grab(row).toImage();
    QTest::mouseMove(tree->viewport(), row.center());
    QTRY_VERIFY(tree->viewport()->grab(row).toImage() != before);
}

// On a screen of two device pixels a pixel, charts are drawn one picture pixel
// to one device pixel over the whole picture area, and icons have a sharp
// version.
void TestWindowGeometry::highDensityScreen()
{
    ProgramFixture f;
    startOn(f, "double density");
    TFormpic* pic = f.program->formpic();
    QCOMPARE(pic->devicePixelRatio(), 2.0);
    f.form1()->BarChart1Click();
    auto* image1 = pic->findChild<QLabel*>("Image1");
    QCOMPARE(pic->picture().size(), image1->size() * 2);
    QCOMPARE(image1->pixmap().devicePixelRatio(), 2.0);
    const QIcon icon = f.form1()->action("ToolButtonBar")->icon();
    QCOMPARE(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" MORVANE_SCREENS);
    QApplication app(argc, argv);
    TestWindowGeometry test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestWindowGeometry.moc"
