// Commands whose pages live in the secondary windows.
#include "TForm1.h"

#include "TFormOpt.h"

void TForm1::Short1Click() {}
void TForm1::help2Click() {}

void TForm1::About1Click()
{
    m_formOpt->showPage(QStringLiteral("about"), QStringLiteral("About Morvane"));
}
