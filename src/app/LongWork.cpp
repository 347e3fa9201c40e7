#include "LongWork.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QProgressDialog>

namespace {
const int kShowDelayMs = 500;
// Often enough that painting looks continuous, rarely enough that the turns
// cost nothing against the work.
const int kTurnEveryMs = 40;
const int kBarSteps = 1000;

struct Testing
{
    int showDelayMs = -1;
    QStringList shown;
};

Testing& testing()
{
    static Testing t;
    return t;
}
} // namespace

LongWork::LongWork(QWidget* window, const QString& label) : m_window(window), m_label(label)
{
    m_started.start();
    m_sinceTurn.start();
}

LongWork::~LongWork()
{
    delete m_dialog.data();
}

bool LongWork::step(qint64 done, qint64 total)
{
    m_stepped = true;
    if (!m_window)
        return false;
    const int delay = testing().showDelayMs >= 0 ? testing().showDelayMs : kShowDelayMs;
    bool turn = m_sinceTurn.elapsed() >= kTurnEveryMs;
    if (!m_dialog && m_started.elapsed() >= delay) {
        // The dialog's own setValue() would let user input in while it is
        // modal: its bar is set directly instead.
        m_dialog = new QProgressDialog(m_label, QString(), 0, kBarSteps, m_window);
        m_bar = new QProgressBar(m_dialog);
        m_bar->setRange(0, kBarSteps);
        m_dialog->setBar(m_bar);
        m_dialog->setWindowTitle(QCoreApplication::applicationName());
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->show();
        testing().shown << m_label;
        turn = true; // shown at once, not a turn later
    }
    if (m_dialog && total > 0)
        m_bar->setValue(int(qMin(done, total) * kBarSteps / total));
    else if (m_dialog)
        m_bar->setRange(0, 0); // busy, with no end in sight
    if (turn) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_sinceTurn.restart();
    }
    return !m_window.isNull();
}

void LongWork::stage(qint64 done, qint64 total)
{
    if (m_stepped)
        step(done, total);
}

void LongWork::setShowDelayForTesting(int ms)
{
    testing().showDelayMs = ms;
}

QStringList LongWork::shownLabels()
{
    return testing().shown;
}

void LongWork::clearShownLabels()
{
    testing().shown.clear();
}
