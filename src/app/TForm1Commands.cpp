// Commands whose pages live in the secondary windows.
#include "TForm1.h"

#include "TFormOpt.h"
#include "TFormhlp.h"

void TForm1::Short1Click()
{
    m_formOpt->showPage(QStringLiteral("short"), QStringLiteral("Create Shortcut"));
}

void TForm1::help2Click()
{
    m_formhlp->showQuickStart();
}

void TForm1::About1Click()
{
    m_formOpt->showPage(QStringLiteral("about"), QStringLiteral("About Morvane"));
}
