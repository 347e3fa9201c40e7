// The report commands: save and total, tally, then text report or chart.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "TFormpic.h"
#include "TextViewer.h"
#include "charts/PictureOutput.h"
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

void TForm1::Frominput1Click()
{
    m_formpic->showInputPage();
}

bool TForm1::drawChart(Charts::Kind kind)
{
    const Charts::ChartResult chart =
        Charts::drawChart(kind, m_state.tally, m_state.recordedPictureSize);
    if (!chart.drawn) {
        // An empty result draws nothing in silence; a picture too large to make is said.
        if (!chart.error.isEmpty())
            Dialogs::error(this, chart.error);
        return false;
    }
    m_formpic->applyChart(chart, kind);
    return true;
}

bool TForm1::Button23Click()
{
    return drawChart(Charts::Kind::Bar);
}

bool TForm1::Button5Click()
{
    return drawChart(Charts::Kind::Horizontal);
}

bool TForm1::Button21Click()
{
    return drawChart(Charts::Kind::Pie);
}

bool TForm1::writeChartFile(Charts::Kind kind)
{
    drawChart(kind);
    // Whatever the picture holds is written, as the word-processor report expects;
    // an empty picture writes nothing.
    QString error;
    const QString path = m_state.dataFolder + PictureOutput::chartFileName(kind);
    if (PictureOutput::writeBmp(m_formpic->picture(), path, SafeFile::Purpose::Chart, &error) ==
        PictureOutput::WriteOutcome::Failed) {
        Dialogs::error(this, error);
        return false;
    }
    return true;
}

bool TForm1::Button22Click()
{
    return writeChartFile(Charts::Kind::Bar);
}

bool TForm1::Button20Click()
{
    return writeChartFile(Charts::Kind::Pie);
}

bool TForm1::Button7Click()
{
    return writeChartFile(Charts::Kind::Horizontal);
}
