// morvane-report: prints a title's text report on standard output. It loads
// QtCore alone; a chart or a document is left to morvane-report-charts.
#include "cli/ReportCli.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// The helper beside this program (a build tree), else where it is installed
// relative to it.
std::string chartsHelper()
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string dir = n > 0 ? std::string(self, size_t(n)) : std::string();
    dir = dir.substr(0, dir.rfind('/') + 1);
    const std::string beside = dir + "morvane-report-charts";
    if (::access(beside.c_str(), X_OK) == 0)
        return beside;
    return dir + MORVANE_HELPER_FROM_BIN + "/morvane-report-charts";
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (asksForOutputs(args)) {
        const std::string helper = chartsHelper();
        ::execv(helper.c_str(), argv);
        std::fprintf(stderr, "morvane-report: cannot start %s: %s\n", helper.c_str(),
                     std::strerror(errno));
        return 2;
    }
    QFile out;
    // Unbuffered over the descriptor itself, so that a failed write is seen.
    out.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream err(stderr);
    return runReportCli(args, out, err);
}
