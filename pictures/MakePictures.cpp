// Makes the help window's pictures and the pasted-input examples from the
// real windows: starts the program over a scratch folder, types a few items,
// grabs the windows and draws the numbered call-outs. Run by make-pictures.sh.
#include "app/Dialogs.h"
#include "app/EntryEditor.h"
#include "app/Program.h"
#include "app/TForm1.h"
#include "tools/HelpPictures.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdio>

namespace {
const QColor kCallout(210, 30, 30);

// A numbered red disc with a line to the spot it explains.
void callout(QPainter& p, int number, QPointF disc, QPointF target)
{
    p.setPen(QPen(kCallout, 2));
    p.drawLine(disc, target);
    p.setBrush(kCallout);
    p.drawEllipse(target, 3, 3);
    p.drawEllipse(disc, 11, 11);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(disc.x() - 11, disc.y() - 11, 22, 22), Qt::AlignCenter,
               QString::number(number));
}

void note(QPainter& p, const QRectF& box, int number, const QString& text)
{
    callout(p, number, box.topLeft() + QPointF(11, 11), box.topLeft() + QPointF(11, 11));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(box.adjusted(28, 2, 0, 0), Qt::TextWordWrap, text);
}

// Where a child widget's rectangle lies in the window's picture, scaled.
QRectF placed(QWidget* window, QWidget* child, qreal scale, QPointF offset = {})
{
    const QRect r(child->mapTo(window, QPoint(0, 0)), child->size());
    return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale)
        .translated(offset);
}

bool save(const QImage& image, const QString& path)
{
    const bool ok = image.convertToFormat(QImage::Format_RGB888).save(path, "JPG", 88);
    std::printf("%s %s (%dx%d)\n", ok ? "wrote" : "FAILED", qPrintable(path), image.width(),
                image.height());
    return ok;
}

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

QImage quickStart(TForm1* form)
{
    const QPixmap shot = form->grab();
    const qreal scale = 400.0 / shot.height();
    const int notesWidth = 270;
    const int width = qRound(shot.width() * scale) + notesWidth;
    QImage canvas(width, 400, QImage::Format_RGB32);
    canvas.fill(QColor(255, 255, 236));
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRectF(0, 0, shot.width() * scale, 400), shot, shot.rect());

    auto* tree = form->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    auto* editor = form->findChild<EntryEditor*>(QStringLiteral("RichEditNeed"));
    auto* clicks = form->findChild<QListWidget*>(QStringLiteral("ListBoxListNow"));
    auto* save = form->findChild<QWidget*>(QStringLiteral("ToolButtonSave"));
    auto* bar = form->findChild<QWidget*>(QStringLiteral("ToolButtonBar"));
    auto* text = form->findChild<QWidget*>(QStringLiteral("ToolButtonText"));

    const QRect item = tree->visualItemRect(tree->currentItem());
    const QRectF treeBox = placed(form, tree->viewport(), scale);
    const QPointF title(treeBox.x() + item.center().x() * scale * 0.6,
                        treeBox.y() + item.center().y() * scale);
    callout(p, 1, title + QPointF(30, 40), title);
    // The first item typed under the date line, and its entry in the click list.
    const QTextBlock work = editor->document()->findBlockByNumber(4);
    const QRect line = editor->cursorRect(QTextCursor(work));
    const QRectF edit = placed(form, editor->viewport(), scale);
    const QPointF item1 = edit.topLeft() + QPointF(line.x() + 25, line.center().y()) * scale;
    callout(p, 2, item1 + QPointF(70, 60), item1);
    QListWidgetItem* workEntry =
        clicks->findItems(QStringLiteral("Work"), Qt::MatchExactly).value(0);
    const QRectF list = placed(form, clicks->viewport(), scale);
    const QPointF entry =
        list.topLeft() + QPointF(clicks->visualItemRect(workEntry).center()) * scale;
    callout(p, 3, entry + QPointF(-40, 60), entry);
    const QRectF saveBox = placed(form, save, scale);
    callout(p, 4, saveBox.bottomLeft() + QPointF(0, 30), saveBox.center());
    const QRectF reports = placed(form, bar, scale).united(placed(form, text, scale));
    p.setPen(QPen(kCallout, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(reports.adjusted(-2, -2, 2, 2));
    callout(p, 5, reports.bottomLeft() + QPointF(reports.width() / 2, 30),
            reports.bottomLeft() + QPointF(reports.width() / 2, 2));

    const qreal x = shot.width() * scale + 12;
    QFont head(QStringLiteral("Liberation Sans"));
    head.setPixelSize(17);
    head.setBold(true);
    p.setFont(head);
    p.setPen(Qt::black);
    p.drawText(QPointF(x, 28), QStringLiteral("Quick start"));
    const QStringList notes = HelpPictures::quickStartNotes();
    for (int i = 0; i < notes.size(); ++i)
        note(p, QRectF(x, 48 + i * 68, width - x - 8, 64), i + 1, notes[i]);
    return canvas;
}

QImage bestWay(TForm1* form)
{
    auto* tree = form->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    auto* button = form->findChild<QToolButton*>(QStringLiteral("ToolButtonStartOpen"));
    // The tree with the chosen title and the toolbar up to the Default button;
    // a white column on the right shows the button pressed.
    const QRect area(0, 0, 290, 340);
    const QPixmap shot = form->grab(area);
    // The button once clicked: the title is the default, its image the full star.
    form->action(QStringLiteral("ToolButtonStartOpen"))->trigger();
    settle();
    button->setDown(true);
    const QPixmap down = button->grab();
    button->setDown(false);

    QImage canvas(440, area.height(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPixmap(0, 0, shot);
    const QRect item = tree->visualItemRect(tree->currentItem());
    const QPointF title =
        placed(form, tree->viewport(), 1).topLeft() + QPointF(item.x() + 70, item.center().y());
    callout(p, 1, title + QPointF(90, 34), title);

    const QRectF b = placed(form, button, 1);
    // The hint the button shows under the mouse.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(12);
    p.setFont(f);
    const QStringList notes = HelpPictures::bestWayNotes();
    const QString hint = notes[1];
    const QRectF tip(b.left() + 10, b.bottom() + 6, QFontMetricsF(f).horizontalAdvance(hint) + 10,
                     20);
    p.setPen(Qt::black);
    p.setBrush(QColor(255, 255, 225));
    p.drawRect(tip);
    p.drawText(tip, Qt::AlignCenter, hint);
    callout(p, 2, QPointF(tip.right() + 24, tip.center().y()),
            QPointF(tip.right(), tip.center().y()));

    // The same button pressed: a second click takes the mark away again.
    const QRectF column(300, 110, 132, 130);
    p.setPen(QPen(kCallout, 2));
    p.setBrush(Qt::white);
    p.drawRect(column);
    p.drawPixmap(QPointF(column.center().x() - down.width() / 2.0, column.top() + 28), down);
    p.setPen(Qt::black);
    f.setBold(true);
    p.setFont(f);
    p.drawText(column.adjusted(6, 6, -6, 0), Qt::AlignHCenter | Qt::AlignTop, notes[2]);
    p.drawText(column.adjusted(6, 36 + down.height(), -6, -4), Qt::TextWordWrap | Qt::AlignHCenter,
               notes[3]);
    return canvas;
}

const QStringList kRows = HelpPictures::exampleRows();

QImage exampleText()
{
    QPlainTextEdit box;
    box.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    box.setPlainText(kRows.join(QLatin1Char('\n')));
    box.resize(200, 110);
    box.show();
    settle();
    return box.grab().toImage();
}

QImage exampleTable()
{
    QTableWidget table(kRows.size(), 2);
    table.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    table.horizontalHeader()->hide();
    table.verticalHeader()->hide();
    for (int r = 0; r < kRows.size(); ++r) {
        const QStringList cells = kRows[r].split(QLatin1Char(','));
        table.setItem(r, 0, new QTableWidgetItem(cells[0]));
        auto* count = new QTableWidgetItem(cells[1]);
        count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table.setItem(r, 1, count);
        table.setRowHeight(r, 20);
    }
    table.setColumnWidth(0, 140);
    table.setColumnWidth(1, 56);
    table.resize(200, 104);
    table.show();
    settle();
    return table.grab().toImage();
}
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvane-pictures <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    QDir().mkpath(out);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    Dialogs::setScripted(true);

    ProgramOptions options;
    options.documentsFolder = home.path() + QStringLiteral("/Documents");
    QDir().mkpath(options.documentsFolder);
    options.dates = DateFormat(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2024);
    options.clock = Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(9, 30)));
    Program program(options);
    TForm1* form = program.form1();
    // No help window over the main window while it is photographed.
    QFile tip(form->state().dataFolder + QStringLiteral("tip.cnt"));
    if (tip.open(QIODevice::WriteOnly))
        tip.write("No\r\n");
    tip.close();
    form->show();
    // At its design size, as on an 800 x 600 screen, where every tool button fits.
    form->resize(798, 568);
    settle();

    auto* tree = form->findChild<QTreeWidget*>(QStringLiteral("TreeView1"));
    const auto groups = tree->findItems(QStringLiteral("What has influenced my mood is it"),
                                        Qt::MatchExactly | Qt::MatchRecursive);
    if (groups.isEmpty())
        return 1;
    tree->setCurrentItem(groups.first());
    form->TreeView1Click();
    auto* editor = form->findChild<EntryEditor*>(QStringLiteral("RichEditNeed"));
    editor->setFocus();
    editor->moveCursor(QTextCursor::End);
    for (const char* item : {"Work", "Weather", "Family", "Work", "Sleep"}) {
        QTest::keyClicks(editor, QString::fromLatin1(item));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    settle();

    bool ok = save(quickStart(form), out + QStringLiteral("quickstart.jpg"));
    ok = save(bestWay(form), out + QStringLiteral("bestway.jpg")) && ok;
    ok = save(exampleText(), out + QStringLiteral("example1.jpg")) && ok;
    ok = save(exampleTable(), out + QStringLiteral("example2.jpg")) && ok;
    form->Post1Click();
    return ok ? 0 : 1;
}
