// The picture window's page for a report from a pasted table.
#include "TFormpic.h"

#include "AppState.h"
#include "Dialogs.h"
#include "platform/Clipboard.h"
#include "stats/PastedInput.h"
#include "stats/TotalFile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {
// Stands in for an example picture until the real one is drawn: a framed
// area of the picture's size that says what will be there.
QPixmap examplePlaceholder(const QString& what)
{
    QPixmap pixmap(TFormpic::kExamplePictureSize);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    p.drawText(pixmap.rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, what);
    return pixmap;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}
} // namespace

void TFormpic::buildInputPage()
{
    QWidget* input = page(QStringLiteral("input"));
    const QSize size = kExamplePictureSize;
    addLabel(input, QStringLiteral("Label8"), QStringLiteral("example1"), {12, 6, 200, 20});
    addLabel(input, QStringLiteral("Image5"), QString(), {12, 28, size.width(), size.height()})
        ->setPixmap(examplePlaceholder(QStringLiteral("example: five lines of item,count")));
    addLabel(input, QStringLiteral("Label11"), QStringLiteral("Cut apart with the comma. "),
             {12, 146, 270, 20});
    addLabel(input, QStringLiteral("Label10"), QStringLiteral("example2"), {12, 180, 200, 20});
    addLabel(input, QStringLiteral("Image2"), QString(), {12, 202, size.width(), size.height()})
        ->setPixmap(examplePlaceholder(QStringLiteral("example: the rows as two table columns")));
    addLabel(input, QStringLiteral("Label12"),
             QStringLiteral("Duplicate the form of such software as Word , Excel ,etc..  "),
             {12, 320, 270, 40})
        ->setWordWrap(true);

    m_memo1 = new QPlainTextEdit(input);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setGeometry(300, 6, 470, 350);
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    addButton(input, QStringLiteral("BitBtn15"), QStringLiteral("Paste"), {300, 368, 120, 28},
              &TFormpic::BitBtn15Click);
    addButton(input, QStringLiteral("BitBtn11"), QStringLiteral("Make report"), {440, 368, 120, 28},
              &TFormpic::BitBtn11Click);
    addButton(input, QStringLiteral("BitBtn14"), QStringLiteral("back home page"),
              {580, 368, 140, 28}, &QWidget::hide);
}

void TFormpic::showInputPage()
{
    showPage(QStringLiteral("input"), QStringLiteral("Make report:please input..."));
    m_memo1->setFocus();
}

void TFormpic::BitBtn15Click()
{
    if (Clipboard::hasText())
        m_memo1->insertPlainText(QGuiApplication::clipboard()->text());
    m_memo1->setFocus();
}

void TFormpic::BitBtn11Click()
{
    const QStringList lines = PastedInput::inputLines(m_memo1->toPlainText());
    if (lines.isEmpty()) {
        Dialogs::information(this, PastedInput::noInputMessage());
        m_memo1->setFocus();
        return;
    }
    const PastedInput::Parsed parsed = PastedInput::parse(lines);
    if (!parsed.ok()) {
        // Every line is checked before anything changes: a chart drawn next
        // still shows the whole previous result. The caret marks the line.
        m_memo1->setTextCursor(
            QTextCursor(m_memo1->document()->findBlockByNumber(int(parsed.errorLine))));
        Dialogs::information(this, PastedInput::formatMessage());
        m_memo1->setFocus();
        return;
    }
    setPicture(QImage());
    m_state.tally = PastedInput::report(parsed.rows, m_state.dates, m_state.clock);
    QString error;
    if (!writeTotalFile(m_state.dataFolder, m_state.tally.reportLines, &error)) {
        Dialogs::error(this, error);
        return;
    }
    for (const char* name : {"BitBtn5", "BitBtn2", "BitBtn6"})
        button(QString::fromLatin1(name))->setEnabled(true);
    showPage(QStringLiteral("pic"), QString());
}
