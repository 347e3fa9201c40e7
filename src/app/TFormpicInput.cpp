// The picture window's page for a report from a pasted table.
#include "TFormpic.h"

#include "AppState.h"
#include "Dialogs.h"
#include "PictureBox.h"
#include "platform/Clipboard.h"
#include "stats/PastedInput.h"
#include "stats/TotalFile.h"
#include "tools/HelpPictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace {
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
    // Each example's heading above its picture and its note under it; the
    // pictures keep their own size.
    int y = 6;
    const auto example = [&](const char* heading, const QString& headingText, const char* image,
                             const QString& resource, const QString& description) {
        addLabel(input, QString::fromLatin1(heading), headingText, {12, y, 200, 20});
        auto* box = new PictureBox(QString::fromLatin1(image), resource, input);
        box->setAccessibleName(headingText);
        box->setAccessibleDescription(description);
        box->setGeometry(QRect(QPoint(12, y + 22), box->picture().size()));
        y = box->geometry().bottom() + 5;
    };
    example("Label8", QStringLiteral("example1"), "Image5", QStringLiteral(":/tools/example1.jpg"),
            HelpPictures::exampleTextDescription());
    addLabel(input, QStringLiteral("Label11"), QStringLiteral("Cut apart with the comma. "),
             {12, y, 270, 20});
    y += 34;
    example("Label10", QStringLiteral("example2"), "Image2", QStringLiteral(":/tools/example2.jpg"),
            HelpPictures::exampleTableDescription());
    addLabel(input, QStringLiteral("Label12"),
             QStringLiteral("Duplicate the form of such software as Word , Excel ,etc..  "),
             {12, y, 270, 40})
        ->setWordWrap(true);

    m_memo1 = new QPlainTextEdit(input);
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setAccessibleName(QStringLiteral("Items and counts"));
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
