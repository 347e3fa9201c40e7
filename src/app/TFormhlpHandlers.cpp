// The help window's buttons, link and start-up timer.
#include "TFormhlp.h"

#include "AppState.h"
#include "Dialogs.h"
#include "TForm1.h"
#include "platform/Shell.h"
#include "tools/StartupTip.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

void TFormhlp::Timer1Timer()
{
    // Shown over an open question (the recovery offer at start), the help
    // window would hide it and the program would look stuck: it waits.
    if (QApplication::activeModalWidget())
        return;
    m_form1->help2Click();
    m_timer1->stop();
}

void TFormhlp::BitBtn1Click()
{
    QString error;
    if (!StartupTip::switchOff(m_state.dataFolder, &error)) {
        Dialogs::error(this, error);
        return;
    }
    hide();
}

void TFormhlp::BitBtn2Click()
{
    hide();
}

void TFormhlp::BitBtn3Click()
{
    showPage(QStringLiteral("Best way"), QStringLiteral("Help-->  Best way--StartOpen"));
}

void TFormhlp::BitBtn4Click()
{
    hide();
    m_form1->New1Click();
}

void TFormhlp::BitBtn5Click()
{
    hide();
    m_form1->NewTitleGroup1Click();
}

void TFormhlp::BitBtn6Click()
{
    hide();
    // Unlike the Tools menu, this way in leaves the tools window's caption alone.
    m_form1->showUninstallPage(QString());
}

void TFormhlp::BitBtn7Click()
{
    hide();
    m_form1->Frominput1Click();
}

void TFormhlp::BitBtn8Click()
{
    showPage(QStringLiteral("other"), QStringLiteral("Help-->Other help or suggest"));
}

void TFormhlp::Label3Click()
{
    const QString target = m_label3->property("target").toString();
    if (target.isEmpty())
        Dialogs::error(this, QStringLiteral("%1 could not be opened.\n\nIt was not installed with "
                                            "the program.")
                                 .arg(m_label3->text()));
    else
        openOrSay(target);
}
