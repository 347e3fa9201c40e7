#include "Program.h"

#include "Dialogs.h"
#include "TForm1.h"
#include "TFormOpt.h"
#include "TFormhlp.h"
#include "TFormpic.h"
#include "ScreenMap.h"
#include "Version.h"
#include "platform/ShutdownSignals.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QSessionManager>
#include <cstdio>
#include <cstring>

Program::Program(const ProgramOptions& options)
{
    m_form1 = std::make_unique<TForm1>(options);
    m_formpic = std::make_unique<TFormpic>(m_form1->state(), m_form1.get());
    m_formOpt = std::make_unique<TFormOpt>(m_form1->state());
    m_formhlp = std::make_unique<TFormhlp>(m_form1->state(), m_form1.get());
    m_form1->attachWindows(m_formpic.get(), m_formOpt.get(), m_formhlp.get());
}

Program::~Program()
{
    if (m_endsOnSignals)
        installShutdownSignals({}); // a later signal finds no window to close
    // Secondary windows go first: the main window's state outlives them.
    m_formhlp.reset();
    m_formOpt.reset();
    m_formpic.reset();
    m_form1.reset();
}

void Program::start()
{
    m_form1->showAtStart();
}

void Program::endOnSignals()
{
    m_endsOnSignals = true;
    TForm1* form1 = m_form1.get();
    installShutdownSignals([form1] {
        Dialogs::setUnattended(true);
        form1->shutdown(false);
        QCoreApplication::quit();
    });
}

namespace {
// MORVANE_CLOCK_FILE names a file holding a local time (ISO 8601) that the
// program takes as "now" while the file exists, read afresh each time, so
// tests of the running program can move the day forward. Unset: the system clock.
ProgramOptions optionsFromEnvironment()
{
    ProgramOptions options;
    const QString clockFile = qEnvironmentVariable("MORVANE_CLOCK_FILE");
    if (clockFile.isEmpty())
        return options;
    options.clock = Clock([clockFile] {
        QFile file(clockFile);
        const QDateTime set =
            file.open(QIODevice::ReadOnly)
                ? QDateTime::fromString(QString::fromUtf8(file.read(64)).trimmed(), Qt::ISODate)
                : QDateTime();
        return set.isValid() ? set : QDateTime::currentDateTime();
    });
    options.dates = DateFormat::system(options.clock.today().year());
    return options;
}
} // namespace

int runProgram(int argc, char** argv)
{
    // Answered before any window or data folder exists: it needs no display.
    // Every other argument is ignored, as it always was.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("morvane %s\n", MORVANE_VERSION);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tools/morvane.png")));
    // The secondary windows never keep the program alive: it ends with the main window.
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(optionsFromEnvironment());
    TForm1* form1 = program.form1();
    QObject::connect(form1, &TForm1::closed, &app, &QCoreApplication::quit);
    // A session that ends, or a signal, still saves the title and sweeps.
    program.endOnSignals();
    QObject::connect(&app, &QGuiApplication::commitDataRequest, form1,
                     [form1](QSessionManager&) { form1->Post1Click(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, form1,
                     [form1] { form1->shutdown(false); });
    ScreenMap::startFromEnvironment();
    program.start();
    return app.exec();
}
