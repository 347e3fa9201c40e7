// Commands whose pages live in the secondary windows.
#include "TForm1.h"

#include "TFormOpt.h"
#include "TFormhlp.h"

void TForm1::NewTitleGroup1Click() {}
void TForm1::New1Click() {}
void TForm1::AppendText1Click() {}
void TForm1::Export1Click() {}
void TForm1::Rename1Click() {}
void TForm1::Delete1Click() {}
void TForm1::ReplaceItem1Click() {}
void TForm1::Uninstall1Click() {}
void TForm1::Short1Click()
{
    m_formOpt->showPage(QStringLiteral("short"), QStringLiteral("Create Shortcut"));
}
void TForm1::Startopen1Click() {}
void TForm1::ToolButtonStartOpenClick() {}
void TForm1::help2Click()
{
    m_formhlp->showQuickStart();
}

void TForm1::About1Click()
{
    m_formOpt->showPage(QStringLiteral("about"), QStringLiteral("About Morvane"));
}
