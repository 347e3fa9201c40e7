// morvane-report: prints a title's text report on standard output.
#include "cli/ReportCli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    // Charts need fonts, which need a GUI application; the text report does not.
    bool chart = false;
    for (int i = 1; i < argc; ++i)
        chart = chart || std::strncmp(argv[i], "--chart", 7) == 0 ||
                std::strncmp(argv[i], "--docx", 6) == 0;
    std::unique_ptr<QCoreApplication> app;
    if (chart) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return runReportCli(args, out, err);
}
