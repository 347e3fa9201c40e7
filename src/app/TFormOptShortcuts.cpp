// The shortcut page of the tools window: one launcher per check box.
#include "TFormOpt.h"

#include "Dialogs.h"
#include "tools/Launchers.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
// Box order on the page.
constexpr Shell::LauncherPlace kPlaces[4] = {
    Shell::LauncherPlace::Desktop, Shell::LauncherPlace::StartMenu, Shell::LauncherPlace::Programs,
    Shell::LauncherPlace::QuickStart};
} // namespace

void TFormOpt::buildShortPage()
{
    QWidget* tabSheet1 = page(QStringLiteral("short"));
    tabSheet1->installEventFilter(this);
    auto* group = new QGroupBox(QStringLiteral("Shortcut"), tabSheet1);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(40, 40, 209, 161);
    const char* const captions[4] = {"DeskTop", "Start Menu", "Programs", "Quick Start"};
    void (TFormOpt::*const handlers[4])() = {&TFormOpt::CheckBox1Click, &TFormOpt::CheckBox2Click,
                                             &TFormOpt::CheckBox3Click, &TFormOpt::CheckBox4Click};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(captions[i]), group);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        box->setGeometry(24, 28 + 32 * i, 161, 21);
        // Every change runs the handler, also one made by the refresh.
        connect(box, &QCheckBox::toggled, this, [this, h = handlers[i]] { (this->*h)(); });
        m_shortBoxes[i] = box;
    }
    // Hidden buttons standing for the refresh and the first start's launcher.
    auto* bitBtn2 = new QPushButton(QStringLiteral("short"), tabSheet1);
    bitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    bitBtn2->hide();
    connect(bitBtn2, &QPushButton::clicked, this, &TFormOpt::BitBtn2Click);
    auto* button1 = new QPushButton(tabSheet1);
    button1->setObjectName(QStringLiteral("Button1"));
    button1->hide();
    connect(button1, &QPushButton::clicked, this, &TFormOpt::Button1Click);
}

bool TFormOpt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == page(QStringLiteral("short"))) {
        if (event->type() == QEvent::Show)
            TabSheet1Show();
        else if (event->type() == QEvent::ContextMenu)
            TabSheet1ContextPopup();
    }
    return PagedWindow::eventFilter(watched, event);
}

void TFormOpt::TabSheet1Show()
{
    BitBtn2Click();
}

void TFormOpt::TabSheet1ContextPopup()
{
    BitBtn2Click();
}

void TFormOpt::BitBtn2Click()
{
    for (int i = 0; i < 4; ++i)
        m_shortBoxes[i]->setChecked(Launchers::exists(kPlaces[i]));
}

void TFormOpt::Button1Click()
{
    Launchers::write(Shell::LauncherPlace::Desktop, QCoreApplication::applicationFilePath());
}

void TFormOpt::CheckBox1Click()
{
    checkBoxClick(0);
}

void TFormOpt::CheckBox2Click()
{
    checkBoxClick(1);
}

void TFormOpt::CheckBox3Click()
{
    checkBoxClick(2);
}

void TFormOpt::CheckBox4Click()
{
    checkBoxClick(3);
}

void TFormOpt::checkBoxClick(int index)
{
    QCheckBox* box = m_shortBoxes[index];
    if (!box->isChecked()) {
        Launchers::remove(kPlaces[index]);
        return;
    }
    // A launcher that could not be written must not look written.
    QString error;
    if (!Launchers::write(kPlaces[index], QCoreApplication::applicationFilePath(), &error)) {
        const QSignalBlocker quiet(box);
        box->setChecked(Launchers::exists(kPlaces[index]));
        if (!error.isEmpty())
            Dialogs::error(this, error);
    }
}
