// morvane-report-charts: morvane-report with its charts and documents, which
// need a GUI application (for fonts) but no display.
#include "cli/ReportCliDraw.h"

#include <QFile>
#include <QGuiApplication>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QFile out;
    // Unbuffered over the descriptor itself, so that a failed write is seen.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream err(stderr);
    return runReportCliWithCharts(args, out, err);
}
