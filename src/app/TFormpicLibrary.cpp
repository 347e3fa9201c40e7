// The picture window's pages for new titles and groups and the default title.
#include "TFormpic.h"

#include "Dialogs.h"
#include "ImageLists.h"
#include "TForm1.h"
#include "titles/TitleLibrary.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
void setBackground(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Text colour and bold font of a label or a box and what it holds.
void setTextStyle(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

QLabel* styledLabel(const QString& text, const QColor& color)
{
    auto* label = new QLabel(text);
    setTextStyle(label, color);
    return label;
}

// A radio choice in a titled box; the buttons' ids are their indexes.
QButtonGroup* radioChoice(QGroupBox* box, const QStringList& items)
{
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i]);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    return group;
}
} // namespace

void TFormpic::buildLibraryPages()
{
    const struct
    {
        bool group;
        const char* page;
        const char* prompt;
        const char* edit;
        const char* radio;
        const char* ok;
        const char* okCaption;
        const char* cancel;
        int icon;
    } pages[] = {
        {false, "new", "Please input new title name", "Edit1", "RadioGroup3", "Button7", "ok",
         "Button8", ImageLists::Toolbar::NewTitle},
        {true, "newGroup", "Please input new title group name", "Edit3", "RadioGroup2", "Button2",
         "OK", "Button3", ImageLists::Toolbar::NewTitleGroup},
    };
    for (const auto& d : pages) {
        QWidget* page = this->page(QString::fromLatin1(d.page));
        setBackground(page, QColor(225, 225, 255));
        auto* layout = new QVBoxLayout(page);
        auto* head = new QHBoxLayout;
        auto* icon = new QLabel;
        icon->setPixmap(ImageLists::toolbarIcon(d.icon).pixmap(32, 32));
        icon->setAccessibleName(d.group ? QStringLiteral("New Title Group")
                                        : QStringLiteral("New Title"));
        head->addWidget(icon);
        head->addWidget(new QLabel(QString::fromLatin1(d.prompt)), 1);
        layout->addLayout(head);
        auto* edit = new QLineEdit(QString::fromLatin1(d.prompt) + QStringLiteral(" in here"));
        edit->setObjectName(QString::fromLatin1(d.edit));
        edit->setAccessibleName(QString::fromLatin1(d.prompt));
        layout->addWidget(edit);
        auto* box = new QGroupBox;
        box->setObjectName(QString::fromLatin1(d.radio));
        box->setAccessibleName(d.group ? QStringLiteral("Place of the new title group")
                                       : QStringLiteral("Place of the new title"));
        QButtonGroup* choice = radioChoice(
            box, {TitleLibrary::placementText(TitleLibrary::Root, d.group, QString()),
                  TitleLibrary::placementText(TitleLibrary::CurrentGroup, d.group, QString()),
                  TitleLibrary::placementText(TitleLibrary::Elsewhere, d.group, QString())});
        choice->button(TitleLibrary::CurrentGroup)->setChecked(true);
        layout->addWidget(box);
        auto* buttons = new QHBoxLayout;
        QPushButton* ok =
            addButton(page, QString::fromLatin1(d.ok), QString::fromLatin1(d.okCaption), {},
                      d.group ? &TFormpic::Button2Click : &TFormpic::Button7Click);
        QPushButton* cancel = addButton(page, QString::fromLatin1(d.cancel),
                                        QStringLiteral("Cancel"), {}, &TFormpic::hide);
        // Enter after typing the name means OK, as in any dialog.
        connect(edit, &QLineEdit::returnPressed, ok, &QPushButton::click);
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        layout->addLayout(buttons);
        layout->addStretch();
        (d.group ? m_edit3 : m_edit1) = edit;
        (d.group ? m_radioGroup2 : m_radioGroup3) = choice;
    }

    QWidget* start = page(QStringLiteral("start"));
    auto* layout = new QVBoxLayout(start);
    auto* box = new QGroupBox;
    auto* boxLayout = new QVBoxLayout(box);
    const QColor blue(Qt::blue), grey(Qt::gray), green(0, 128, 0);
    m_labelStartOpen = styledLabel(QString(), green);
    m_labelStartOpen->setObjectName(QStringLiteral("LabelStartOpen"));
    for (QLabel* l :
         {styledLabel(QStringLiteral("The present open file is:"), blue), m_labelStartOpen,
          styledLabel(QStringLiteral("If you often open it at first, you can set up it : Open when "
                                     "this software starts"),
                      blue),
          styledLabel(
              QStringLiteral("Attention: If you set the current subject for starts to open,"),
              grey),
          styledLabel(QStringLiteral("it will been unavailability you have set before."), grey)})
        boxLayout->addWidget(l);
    layout->addWidget(box);
    auto* radio = new QGroupBox;
    radio->setObjectName(QStringLiteral("RadioGroup4"));
    radio->setAccessibleName(QStringLiteral("start open"));
    setBackground(radio, QColor(134, 194, 255));
    setTextStyle(radio, green);
    m_radioGroup4 = radioChoice(
        radio, {QStringLiteral("Open when this software starts"), QStringLiteral("Set none")});
    // Choosing an item, by the user or by the preselection, runs the handler.
    connect(m_radioGroup4, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            RadioGroup4Click(id);
    });
    layout->addWidget(radio);
    layout->addStretch();
}

void TFormpic::showNewPage(bool group)
{
    QButtonGroup* choice = group ? m_radioGroup2 : m_radioGroup3;
    choice->button(TitleLibrary::CurrentGroup)
        ->setText(TitleLibrary::placementText(TitleLibrary::CurrentGroup, group,
                                              m_state.node.displayFolder));
    showPage(group ? QStringLiteral("newGroup") : QStringLiteral("new"),
             group ? QStringLiteral("Please input new title group name")
                   : QStringLiteral("Please input new title name"));
    QLineEdit* edit = group ? m_edit3 : m_edit1;
    // Selected, so that typing a name replaces the prompt or the last name.
    edit->selectAll();
    edit->setFocus();
}

void TFormpic::Button7Click()
{
    createFromPage(false);
}

void TFormpic::Button2Click()
{
    createFromPage(true);
}

void TFormpic::createFromPage(bool group)
{
    if (!m_form1->Post1Click())
        return;
    QLineEdit* edit = group ? m_edit3 : m_edit1;
    const QString name = TitleLibrary::cleanName(edit->text());
    if (name.isEmpty()) {
        Dialogs::information(this, TitleLibrary::refusalMessage());
        edit->setFocus();
        return;
    }
    // The folder is the clicked node's at this moment, not when the page opened.
    const int placement = (group ? m_radioGroup2 : m_radioGroup3)->checkedId();
    const TitleLibrary::Created created =
        group
            ? TitleLibrary::createGroup(m_state.dataFolder, placement, m_state.node.groupPath, name)
            : TitleLibrary::createTitle(m_state.dataFolder, placement, m_state.node.groupPath,
                                        name);
    if (created.outcome == TitleLibrary::Created::Exists ||
        (group && created.outcome == TitleLibrary::Created::Failed)) {
        Dialogs::information(this, created.message);
        return;
    }
    if (created.outcome == TitleLibrary::Created::Failed) {
        Dialogs::error(this, created.message);
        return;
    }
    m_form1->rebuildTree();
    hide();
}

void TFormpic::showStartPage(int preselect, const QString& openTitle)
{
    if (preselect < 0) {
        // Unchecking runs nothing.
        m_radioGroup4->setExclusive(false);
        for (QAbstractButton* b : m_radioGroup4->buttons())
            b->setChecked(false);
        m_radioGroup4->setExclusive(true);
    } else {
        m_radioGroup4->button(preselect)->setChecked(true);
    }
    m_labelStartOpen->setText(openTitle);
    showPage(QStringLiteral("start"), QStringLiteral("start open"));
}

void TFormpic::RadioGroup4Click(int index)
{
    if (index == 1) {
        m_form1->clearDefault();
        m_form1->setDefaultLook(ImageLists::Toolbar::StartOpen,
                                QStringLiteral("Open when this software starts"),
                                QStringLiteral("StartOpen"));
    } else {
        m_form1->makeOpenTitleDefault();
        m_form1->setDefaultLook(ImageLists::Toolbar::StopStart,
                                QStringLiteral("Close:Open when this software starts"),
                                QStringLiteral("StopStart"));
    }
}
