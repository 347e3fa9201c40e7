// The report commands: save and total, tally, then text report or chart.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "TFormpic.h"
#include "TextViewer.h"
#include "platform/Shell.h"
#include "stats/TotalFile.h"

#include <QListWidget>

bool TForm1::BitBtn8Click()
{
    if (!Post1Click())
        return false;
    reloadclicklist1Click();
    return true;
}

QStringList TForm1::editorLines() const
{
    return m_editor->lines();
}

qsizetype TForm1::clickListSize() const
{
    return m_clickListBox->count();
}

void TForm1::TextReportClick()
{
    if (!BitBtn8Click())
        return;
    // The picture window is not shown; it carries the caption when it next is.
    m_formpic->setWindowTitle(QStringLiteral("TextReport---") + m_state.node.titleName);
    if (!m_formpic->Button1Click())
        return;
    Button11Click();
}

void TForm1::Button11Click()
{
    const QString path = totalFilePath(m_state.dataFolder);
    if (Shell::open(path))
        return;
    // Nothing could be started to show the file: show it here.
    if (!m_textViewer)
        m_textViewer = new TextViewer(this);
    m_textViewer->showFile(path);
}

void TForm1::runChartCommand(bool (TForm1::*draw)(), const QString& captionPrefix)
{
    if (!BitBtn8Click() || !m_formpic->Button1Click())
        return;
    (this->*draw)();
    if (m_state.tally.totalCount == 0)
        return;
    m_formpic->showPage(QStringLiteral("pic"), captionPrefix + m_state.node.titleName);
}

void TForm1::BarChart1Click()
{
    runChartCommand(&TForm1::Button23Click, QStringLiteral("BarChart---"));
}

void TForm1::Barchart11Click()
{
    runChartCommand(&TForm1::Button5Click, QStringLiteral("Horizon BarChart---"));
}

void TForm1::PieChart1Click()
{
    runChartCommand(&TForm1::Button21Click, QStringLiteral("PieChart---"));
}

void TForm1::MSWordReport1Click()
{
    if (!BitBtn8Click() || !m_formpic->Button1Click())
        return;
    Button10Click();
}

void TForm1::Button10Click()
{
    // The word-processor report is built here once it exists.
}

void TForm1::Frominput1Click()
{
    m_formpic->showPage(QStringLiteral("input"), QStringLiteral("Make report:please input..."));
}

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
