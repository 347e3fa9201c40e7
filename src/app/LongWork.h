#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <chrono>
#include <future>

class QProgressBar;
class QProgressDialog;
class QWidget;

// Work that may take seconds on a large title, done by its caller in pieces
// with step() after each one. Every few tens of milliseconds step() lets the
// event loop turn, so the windows paint and timers run; user input waits
// until the work is over, so nothing the user does lands in its middle. Once
// the work has run half a second, a progress dialog over the window says
// what is going on and how far it is. It has no Cancel button: a title
// half opened or half appended is not one to leave behind.
class LongWork
{
public:
    LongWork(QWidget* window, const QString& label);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // After a piece: done of total units are done. False once the window is
    // gone: the caller stops and leaves everything as it was.
    bool step(qint64 done, qint64 total);
    // Between two stages of the work: a step, where the work had pieces
    // before; work that went in one piece shows nothing and lets nothing run.
    void stage(qint64 done, qint64 total);
    // Work that cannot be cut in pieces runs on another thread meanwhile,
    // as steps of no known size; its result once it is done. It touches no
    // widget and holds its own copies of what it reads.
    template <typename Work> auto runAside(Work work) -> decltype(work())
    {
        auto result = std::async(std::launch::async, std::move(work));
        while (result.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
            step(0, 0);
        return result.get();
    }

    // --- Testing hooks ---
    // How long work runs before its dialog shows; negative: the usual 500 ms.
    static void setShowDelayForTesting(int ms);
    // The labels of the progress dialogs shown so far.
    static QStringList shownLabels();
    static void clearShownLabels();

private:
    QPointer<QWidget> m_window;
    QString m_label;
    QElapsedTimer m_started;
    QElapsedTimer m_sinceTurn;
    QPointer<QProgressDialog> m_dialog;
    QProgressBar* m_bar = nullptr; // the dialog's
    bool m_stepped = false;
};
