// What a screen reader and a keyboard user meet in the four windows, each
// page opened by the command a user gives for it.
#include "ProgramFixture.h"
#include "app/EntryEditor.h"
#include "app/TForm1.h"
#include "app/TFormOpt.h"
#include "app/TFormhlp.h"
#include "app/TFormpic.h"
#include "platform/Shell.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {
QString pageOf(QWidget* window)
{
    return window->findChild<QTabWidget*>("PageControl1")->currentWidget()->objectName();
}

// Opens a window's page as the user does: a menu command, then (for the
// help pages) a button of the help window. Returns the window.
QWidget* openPage(ProgramFixture& f, const QString& command, const QString& helpButton)
{
    if (command.isEmpty())
        return f.form1();
    f.form1()->action(command)->trigger();
    QWidget* window = command == "help2" ? static_cast<QWidget*>(f.program->formhlp())
                      : QStringList{"Short1", "Uninstall1", "About1"}.contains(command)
                          ? static_cast<QWidget*>(f.program->formOpt())
                          : static_cast<QWidget*>(f.program->formpic());
    if (!helpButton.isEmpty())
        window->findChild<QPushButton*>(helpButton)->click();
    // The help window never takes the focus by itself; the user brings it forward.
    QApplication::setActiveWindow(window);
    return window;
}

bool needsName(QAccessibleInterface* iface)
{
    if (iface->state().focusable)
        return true;
    switch (iface->role()) {
    case QAccessible::Graphic:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Button:
        return true;
    case QAccessible::Grouping: // a radio group
        for (int i = 0; i < iface->childCount(); ++i)
            if (iface->child(i)->role() == QAccessible::RadioButton)
                return true;
        return false;
    default:
        return false;
    }
}

// Walks the window's accessible tree as a screen reader does: every control
// in view that takes the focus or shows something, with its name.
void walk(QAccessibleInterface* iface, QStringList* unnamed, QHash<QString, QString>* names)
{
    if (!iface || iface->state().invisible)
        return;
    const QString name = iface->text(QAccessible::Name);
    QObject* object = iface->object();
    const QString id = object ? object->objectName() : QString();
    if (!id.isEmpty() && !name.isEmpty())
        names->insert(id, name);
    if (needsName(iface) && name.isEmpty())
        *unnamed << QStringLiteral("%1 \"%2\" (role %3)")
                        .arg(object ? object->metaObject()->className() : "?", id)
                        .arg(int(iface->role()));
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), unnamed, names);
}

// The accessible names met from the focused control on, pressing Tab (and
// Ctrl+Tab in a text box that takes Tab for itself).
QStringList tabWalk(int steps)
{
    QStringList met;
    for (int i = 0; i < steps; ++i) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return met << "(no focus)";
        met << QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name);
        const auto* text = qobject_cast<QPlainTextEdit*>(focus);
        QTest::keyClick(focus, Qt::Key_Tab,
                        text && !text->isReadOnly() ? Qt::ControlModifier : Qt::NoModifier);
    }
    return met;
}
} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_f.reset(); }
    void namesAndTabOrder_data();
    void namesAndTabOrder();
    void chartDescription_data();
    void chartDescription();
    void menuBarByKeyboard_data();
    void menuBarByKeyboard();
    void linksByKeyboard_data();
    void linksByKeyboard();
    void treeByKeyboard();

private:
    std::unique_ptr<ProgramFixture> m_f;
};

void TestAccessibility::init()
{
    m_f = std::make_unique<ProgramFixture>();
    m_f->writeData("Fruit.txt", kFruitTitle);
    m_f->writeData("Nuts.txt", "//2024-3-1\r\nhazel\r\n");
    m_f->start();
    m_f->click("Fruit");
}

void TestAccessibility::namesAndTabOrder_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("helpButton");
    QTest::addColumn<QStringList>("ownNames"); // "objectName=name" of controls without a caption
    QTest::addColumn<QStringList>("tabOrder"); // from the first control, round to it again
    QTest::newRow("main window") << ""
                                 << ""
                                 << QStringList{"TreeView1=Title tree", "RichEditNeed=Entries",
                                                "ListBoxListNow=Click list",
                                                "ListBoxHotkey=Hotkeys"}
                                 << QStringList{"Title tree", "Entries", "Click list",
                                                "Title tree"};
    QTest::newRow("chart")
        << "BarChart1"
        << "" << QStringList{"Image1=Chart picture", "ScrollBox1=Chart"}
        << QStringList{
               "Chart", "PieChart",        "BarchartHorizon",   "Ms Word Report", "Text Report",
               "Print", "Save Picture as", "Copy to clipboard", "From input...",  "back home page",
               "Chart"};
    QTest::newRow("new title") << "New1"
                               << ""
                               << QStringList{"Edit1=Please input new title name",
                                              "RadioGroup3=Place of the new title"}
                               << QStringList{"Please input new title name",
                                              "Establish to the root catalogue ", "ok", "Cancel",
                                              "Please input new title name"};
    QTest::newRow("new title group")
        << "NewTitleGroup1"
        << ""
        << QStringList{"Edit3=Please input new title group name",
                       "RadioGroup2=Place of the new title group"}
        << QStringList{"Please input new title group name", "Establish to the root catalogue", "OK",
                       "Cancel", "Please input new title group name"};
    // The choice is one stop, its first button; the arrows move within it.
    QTest::newRow("default title")
        << "Startopen1"
        << "" << QStringList{"RadioGroup4=start open"}
        << QStringList{"Open when this software starts", "Open when this software starts"};
    QTest::newRow("export") << "Export1"
                            << "" << QStringList{"RadioGroup1=Note option"}
                            << QStringList{"Export all", "Don't export space line ", "Export now",
                                           "Cancel", "Export all"};
    QTest::newRow("replace") << "ReplaceItem1"
                             << "" << QStringList{"ComboBox1=Old row", "Edit2=New row"}
                             << QStringList{"Old row", "New row", "Replace", "Cancel", "Old row"};
    QTest::newRow("pasted input") << "Frominput1"
                                  << ""
                                  << QStringList{"Memo1=Items and counts", "Image5=example1",
                                                 "Image2=example2"}
                                  << QStringList{"Items and counts", "Paste", "Make report",
                                                 "back home page", "Items and counts"};
    // "Back home page" stands at the top of the tools window, above every page.
    QTest::newRow("shortcuts") << "Short1"
                               << "" << QStringList{}
                               << QStringList{"Back home page", "DeskTop",     "Start Menu",
                                              "Programs",       "Quick Start", "Back home page"};
    QTest::newRow("documents") << "Uninstall1"
                               << "" << QStringList{}
                               << QStringList{"Back home page", "@data", "or Delete it now",
                                              "@program", "Back home page"};
    QTest::newRow("about") << "About1"
                           << "" << QStringList{}
                           << QStringList{"Back home page", "Back home page"};
    const QStringList helpButtons{"I See",
                                  "I See ,do not display at startup",
                                  "Best way--StartOpen",
                                  "New title",
                                  "New title group",
                                  "Make report Singly",
                                  "Documents or Uninstall",
                                  "Other help or suggest"};
    QTest::newRow("help, quick start")
        << "help2"
        << "" << QStringList{"Image1=Quick start"} << helpButtons + QStringList{"I See"};
    QTest::newRow("help, best way")
        << "help2"
        << "BitBtn3" << QStringList{"Image2=Best way--StartOpen", "Memo1=Best way--StartOpen steps"}
        << helpButtons + QStringList{"Best way--StartOpen steps", "I See"};
    QTest::newRow("help, other") << "help2"
                                 << "BitBtn8" << QStringList{}
                                 << helpButtons + QStringList{"@readme", "I See"};
}

void TestAccessibility::namesAndTabOrder()
{
    QFETCH(QString, command);
    QFETCH(QString, helpButton);
    QFETCH(QStringList, ownNames);
    QFETCH(QStringList, tabOrder);
    QWidget* window = openPage(*m_f, command, helpButton);
    QVERIFY(window->isVisible());

    QStringList unnamed;
    QHash<QString, QString> names;
    walk(QAccessible::queryAccessibleInterface(window), &unnamed, &names);
    QVERIFY2(unnamed.isEmpty(), qPrintable("without a name: " + unnamed.join(", ")));
    for (const QString& pair : ownNames)
        QCOMPARE(names.value(pair.section('=', 0, 0)), pair.section('=', 1));

    // Folders shown on the pages stand for themselves.
    tabOrder.replaceInStrings("@data", m_f->dataFolder());
    tabOrder.replaceInStrings("@program", QCoreApplication::applicationDirPath() + '/');
    if (const QLabel* readme = window->findChild<QLabel*>("Label3"))
        tabOrder.replaceInStrings("@readme", readme->text());
    if (QApplication::focusWidget())
        QApplication::focusWidget()->clearFocus();
    QWidget* first = nullptr;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisible() &&
            QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name) == tabOrder.first())
            first = w;
    QVERIFY(first);
    first->setFocus();
    const QString page = pageOf(window);
    QCOMPARE(tabWalk(tabOrder.size()), tabOrder);
    // Ctrl+Tab moved the focus on, never to a page that is not to be seen.
    QCOMPARE(pageOf(window), page);
}

void TestAccessibility::chartDescription_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pasted"); // typed into the pasted-input page, then "Make report"
    QTest::addColumn<QString>("button"); // then pressed on the chart page
    QTest::addColumn<QString>("caption");
    QTest::newRow("bar chart command") << "BarChart1"
                                       << ""
                                       << ""
                                       << "BarChart---Fruit";
    QTest::newRow("pie chart button") << "BarChart1"
                                      << ""
                                      << "BitBtn6"
                                      << "PieChart";
    QTest::newRow("horizontal command") << "Barchart11"
                                        << ""
                                        << ""
                                        << "Horizon BarChart---Fruit";
    QTest::newRow("pasted table") << "Frominput1"
                                  << "Work,28\nStudy,21"
                                  << "BitBtn5"
                                  << "BarChart";
}

// The picture reads as the report it shows: the caption, then Total.tol's lines.
void TestAccessibility::chartDescription()
{
    QFETCH(QString, command);
    QFETCH(QString, pasted);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    TFormpic* pic = m_f->program->formpic();
    auto* image = pic->findChild<QLabel*>("Image1");
    m_f->form1()->action(command)->trigger();
    if (!pasted.isEmpty()) {
        pic->findChild<QPlainTextEdit*>("Memo1")->setPlainText(pasted);
        pic->button("BitBtn11")->click();
        // No picture yet: nothing to describe.
        QCOMPARE(image->accessibleDescription(), QString());
    }
    if (!button.isEmpty())
        pic->button(button)->click();
    QCOMPARE(pic->windowTitle(), caption);
    QStringList report = QString::fromUtf8(m_f->readData("Total.tol")).split("\r\n");
    QCOMPARE(report.takeLast(), QString());
    QVERIFY(report.size() > 3);
    const QString expected = caption + '\n' + report.join('\n');
    QCOMPARE(image->accessibleDescription(), expected);
    QCOMPARE(pic->scrollBox()->accessibleDescription(), expected);
}

void TestAccessibility::menuBarByKeyboard_data()
{
    QTest::addColumn<QList<int>>("keys");
    // The menus have no accelerators: F10, or Alt alone, then the arrows.
    QTest::newRow("F10, Help, About...")
        << QList<int>{Qt::Key_F10, Qt::Key_Left, Qt::Key_Down, Qt::Key_Return};
    QTest::newRow("Alt, Help, About...")
        << QList<int>{Qt::Key_Alt, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return};
}

void TestAccessibility::menuBarByKeyboard()
{
    QFETCH(QList<int>, keys);
    m_f->editor()->setFocus();
    for (int key : keys) {
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : QApplication::focusWidget(), Qt::Key(key));
    }
    QVERIFY(!QApplication::activePopupWidget());
    QVERIFY(m_f->program->formOpt()->isVisible());
    QCOMPARE(pageOf(m_f->program->formOpt()), "about");
}

void TestAccessibility::linksByKeyboard_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("helpButton");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("key");
    QTest::newRow("data folder, Enter") << "Uninstall1"
                                        << ""
                                        << "Label8" << int(Qt::Key_Return);
    QTest::newRow("program folder, Space") << "Uninstall1"
                                           << ""
                                           << "Label10" << int(Qt::Key_Space);
    QTest::newRow("README, Enter") << "help2"
                                   << "BitBtn8"
                                   << "Label3" << int(Qt::Key_Enter);
}

// A link reached with Tab opens what a click opens.
void TestAccessibility::linksByKeyboard()
{
    QFETCH(QString, command);
    QFETCH(QString, helpButton);
    QFETCH(QString, link);
    QFETCH(int, key);
    QWidget* window = openPage(*m_f, command, helpButton);
    auto* label = window->findChild<QLabel*>(link);
    // No README lies beside the test program: the link gets one to open.
    if (link == "Label3" && label->property("target").toString().isEmpty())
        label->setProperty("target", m_f->dataFolder() + "README.md");
    QStringList opened;
    Shell::setOpenHandlerForTesting([&](const QString& target) {
        opened << target;
        return true;
    });
    label->setFocus(Qt::TabFocusReason);
    QVERIFY(label->hasFocus());
    QTest::keyClick(label, Qt::Key(key));
    Shell::setOpenHandlerForTesting({});
    QCOMPARE(opened.size(), 1);
    QVERIFY2(opened[0].endsWith(link == "Label3" ? "README.md" : "/"), qPrintable(opened[0]));
}

// Enter on the tree opens the selected title, as a click does; the arrows
// alone only move the selection.
void TestAccessibility::treeByKeyboard()
{
    m_f->tree()->setFocus();
    QTest::keyClick(m_f->tree(), Qt::Key_Down);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCOMPARE(m_f->form1()->windowTitle(), "Morvane---Fruit");
    QCOMPARE(m_f->tree()->currentItem()->text(0), "Nuts");
    QTest::keyClick(m_f->tree(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    QCOMPARE(m_f->form1()->windowTitle(), "Morvane---Nuts");
    QCOMPARE(m_f->editor()->lines().value(1), "hazel");
}

QTEST_MAIN(TestAccessibility)
#include "TestAccessibility.moc"
