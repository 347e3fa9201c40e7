#pragma once

#include "app/Dialogs.h"
#include "app/Program.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

// What every benchmark of the real windows sets up the same way.

// Before the QApplication: the windows draw offscreen unless a platform is named.
inline void drawOffscreenUnlessTold()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// After it: named as the program is, with every dialog answered by script,
// and a program over the documents folder docs with a fixed clock.
inline ProgramOptions windowBenchOptions(const QString& docs)
{
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    Dialogs::setScripted(true);
    ProgramOptions options;
    options.documentsFolder = docs;
    options.dates = DateFormat(QStringLiteral("yyyy-M-d"), QStringLiteral("HH:mm:ss"), 2024);
    options.clock = Clock::fixed(QDateTime(QDate(2024, 3, 3), QTime(12, 0)));
    return options;
}

// A documents folder of the run's own, with its data folder made.
class BenchFolders
{
public:
    BenchFolders() { QDir().mkpath(data()); }
    QString documents() const { return m_docs.path(); }
    QString data() const { return m_docs.path() + QStringLiteral("/Morvane/"); }

private:
    QTemporaryDir m_docs;
};
