// The report commands: save and total, tally, then text report or chart.
#include "TForm1.h"

bool TForm1::BitBtn8Click()
{
    if (!Post1Click())
        return false;
    reloadclicklist1Click();
    return true;
}

void TForm1::TextReportClick() {}
void TForm1::BarChart1Click() {}
void TForm1::Barchart11Click() {}
void TForm1::PieChart1Click() {}
void TForm1::MSWordReport1Click() {}
void TForm1::Frominput1Click() {}
void TForm1::Button11Click() {}
bool TForm1::Button23Click()
{
    return false;
}
bool TForm1::Button5Click()
{
    return false;
}
bool TForm1::Button21Click()
{
    return false;
}
