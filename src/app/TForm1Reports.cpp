// The report commands: save and total, tally, then text report or chart.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "LongWork.h"
#include "TFormpic.h"
#include "TextViewer.h"
#include "charts/ChartFonts.h"
#include "charts/PictureOutput.h"
#include "platform/Shell.h"
#include "stats/TotalFile.h"

#include <QListWidget>
#include <future>
#include <utility>

bool TForm1::BitBtn8Click()
{
    // Without a title there is nothing to total, and nothing may be written.
    if (!titleIsOpen())
        return false;
    // On a title of a million lines the click list and the tally that always
    // follows take tens of milliseconds each: both are counted on other cores
    // while the title is saved. A click list rebuilt from the same lines has
    // a place for every item, so the tally needs no capacity of its own.
    const std::shared_ptr<const TitleLineViews> lines = m_editor->lineViews();
    std::future<ClickList> rebuilt =
        std::async(std::launch::async, [lines, locale = m_clickList.locale()] {
            return ClickList::fromLines(lines->lines(), locale);
        });
    m_tallyAhead = {lines, m_state.node.titleName,
                    std::async(std::launch::async,
                               [lines, title = m_state.node.titleName, dates = m_state.dates,
                                now = m_state.clock.now(), previous = m_state.tally] {
                                   return runTally(lines->lines(), kEveryItem, title, dates,
                                                   Clock::fixed(now), previous);
                               })};
    const bool saved = Post1Click();
    ClickList list = rebuilt.get();
    if (!saved) {
        m_tallyAhead = {};
        return false;
    }
    // A question answered while saving may have brought the text from disk.
    if (m_editor->lineViews() != lines)
        list = ClickList::fromLines(m_editor->lineViews()->lines(), m_clickList.locale());
    showClickList(std::move(list));
    return true;
}

std::optional<TallyOutcome>
TForm1::takeTallyAhead(const std::shared_ptr<const TitleLineViews>& lines)
{
    TallyAhead ahead = std::exchange(m_tallyAhead, {});
    // Saving as a new title beside the old one changes the report's title.
    if (!ahead.outcome.valid() || ahead.lines != lines || ahead.titleName != m_state.node.titleName)
        return std::nullopt;
    return ahead.outcome.get();
}

std::shared_ptr<const TitleLineViews> TForm1::editorLines() const
{
    return m_editor->lineViews();
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
    // A launcher with nothing set up for text starts nothing and says nothing.
    if (Shell::canOpenType(QStringLiteral("text/plain")) && Shell::open(path))
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
    // Tens of thousands of items take seconds to draw: the window paints meanwhile.
    ChartFonts::ensureLoaded(); // once, here, not by two threads at a time
    LongWork work(this, QStringLiteral("Drawing the chart\u2026"));
    const Charts::ChartResult chart =
        work.runAside([kind, tally = m_state.tally, size = m_state.recordedPictureSize] {
            return Charts::drawChart(kind, tally, size);
        });
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
