// The picture window's replace and export pages.
#include "TFormpic.h"

#include "Dialogs.h"
#include "TForm1.h"
#include "editor/EditorLines.h"
#include "editor/WholeTitle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

namespace {
// Edit2's focus and key-release handlers, which QLineEdit has no signals for.
class Edit2Events : public QObject
{
public:
    Edit2Events(QObject* parent, std::function<void()> onEnter, std::function<void()> onReturnUp)
        : QObject(parent), m_onEnter(std::move(onEnter)), m_onReturnUp(std::move(onReturnUp))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_onEnter();
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                m_onReturnUp();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onEnter;
    std::function<void()> m_onReturnUp;
};

QWidget* headedPanel(QWidget* page, const QString& name, const QString& heading)
{
    auto* panel = new QGroupBox(page);
    panel->setObjectName(name);
    panel->setGeometry(180, 60, 430, 280);
    panel->setAccessibleName(heading);
    auto* label = new QLabel(heading, panel);
    label->setGeometry(16, 16, 400, 24);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return panel;
}
} // namespace

void TFormpic::buildReplacePage()
{
    QWidget* panel = headedPanel(page(QStringLiteral("replace")), QStringLiteral("Panel5"),
                                 QStringLiteral("Warning: This will replace all lines."));
    (new QLabel(QStringLiteral("Old row"), panel))->setGeometry(24, 60, 90, 24);
    m_comboBox1 = new QComboBox(panel);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setEditable(true);
    m_comboBox1->setInsertPolicy(QComboBox::NoInsert);
    // Items compare exactly; completing "apple" to "Apple" would change what is replaced.
    m_comboBox1->completer()->setCaseSensitivity(Qt::CaseSensitive);
    m_comboBox1->setGeometry(120, 60, 280, 26);
    m_comboBox1->setAccessibleName(QStringLiteral("Old row"));
    m_comboBox1->lineEdit()->setAccessibleName(QStringLiteral("Old row"));
    (new QLabel(QStringLiteral("New row"), panel))->setGeometry(24, 110, 90, 24);
    m_edit2 = new QLineEdit(panel);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit2->setGeometry(120, 110, 280, 26);
    m_edit2->setAccessibleName(QStringLiteral("New row"));
    m_edit2->setMaxLength(int(EditorLines::kLongestLine));
    // A pasted text is cut at its first line break, so what shows is what replaces.
    connect(m_edit2, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString line = WholeTitle::firstLine(text);
        if (line.size() != text.size())
            m_edit2->setText(line);
    });
    m_edit2->installEventFilter(new Edit2Events(
        m_edit2, [this] { Edit2Enter(); }, [this] { BitBtn3Click(); }));
    addButton(panel, QStringLiteral("BitBtn3"), QStringLiteral("Replace"), {120, 200, 110, 28},
              &TFormpic::BitBtn3Click);
    addButton(panel, QStringLiteral("BitBtn4"), QStringLiteral("Cancel"), {260, 200, 110, 28},
              &QWidget::hide);
}

void TFormpic::buildExportPage()
{
    QWidget* panel = headedPanel(page(QStringLiteral("export")), QStringLiteral("Panel4"),
                                 QStringLiteral("Export Option"));
    (new QLabel(QStringLiteral("Tip:This option only export to text file."), panel))
        ->setGeometry(24, 44, 380, 22);
    auto* group = new QGroupBox(QStringLiteral("Note option"), panel);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    group->setGeometry(24, 72, 380, 104);
    m_radioGroup1 = new QButtonGroup(group);
    const QStringList choices = {QStringLiteral("Export all"),
                                 QStringLiteral("Don't export date lines "),
                                 QStringLiteral("Don't export all note lins")};
    for (int i = 0; i < choices.size(); ++i) {
        auto* choice = new QRadioButton(choices.at(i), group);
        choice->setGeometry(12, 22 + 26 * i, 340, 24);
        m_radioGroup1->addButton(choice, i);
    }
    m_radioGroup1->button(int(WholeTitle::NoteOption::NoCommentLines))->setChecked(true);
    m_checkBox1 = new QCheckBox(QStringLiteral("Don't export space line "), panel);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->setGeometry(24, 184, 300, 24);
    addButton(panel, QStringLiteral("BitBtn12"), QStringLiteral("Export now"), {120, 228, 110, 28},
              &TFormpic::BitBtn12Click);
    addButton(panel, QStringLiteral("BitBtn13"), QStringLiteral("Cancel"), {260, 228, 110, 28},
              &QWidget::hide);
}

void TFormpic::showReplacePage(const QStringList& items)
{
    m_comboBox1->clear();
    m_comboBox1->addItems(items);
    m_comboBox1->setCurrentIndex(-1);
    m_comboBox1->clearEditText();
    showPage(QStringLiteral("replace"), QStringLiteral("Replace Item"));
    m_comboBox1->setFocus();
}

void TFormpic::Edit2Enter()
{
    // The user edits the old text into the new one.
    if (m_edit2->text().isEmpty())
        m_edit2->setText(m_comboBox1->currentText());
}

void TFormpic::BitBtn3Click()
{
    const qsizetype replaced = m_form1->replaceItem(m_comboBox1->currentText(), m_edit2->text());
    hide();
    Dialogs::information(this, WholeTitle::replacedMessage(replaced));
}

void TFormpic::showExportPage()
{
    m_checkBox1->setChecked(true);
    showPage(QStringLiteral("export"), QString());
}

void TFormpic::BitBtn12Click()
{
    const QString chosen =
        Dialogs::saveFileName(this, QStringLiteral("Export"), QStringLiteral("Text files (*.txt)"),
                              QStringLiteral("TXT"), m_state.documentsFolder);
    if (chosen.isEmpty()) {
        hide();
        return;
    }
    const QString target = WholeTitle::withDefaultExtension(chosen);
    if (!WholeTitle::hasTextExtension(target)) {
        Dialogs::information(this, WholeTitle::exportNotTextMessage());
        return;
    }
    if (!m_form1->exportTitle(target, WholeTitle::NoteOption(m_radioGroup1->checkedId()),
                              m_checkBox1->isChecked()))
        return;
    Dialogs::information(this, QStringLiteral("ok"));
    hide();
}
