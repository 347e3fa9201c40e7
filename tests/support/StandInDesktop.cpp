#include "StandInDesktop.h"

#include "platform/Shell.h"

StandInDesktop::StandInDesktop(const QByteArray& application) : m_path(qgetenv("PATH"))
{
    Shell::setOpenHandlerForTesting([this](const QString& path) {
        opened << path;
        return openSucceeds;
    });
    qputenv("PATH", m_bin.path().toUtf8() + ":" + m_path);
    setApplication(application);
}

StandInDesktop::~StandInDesktop()
{
    Shell::setOpenHandlerForTesting({});
    qputenv("PATH", m_path);
}

void StandInDesktop::setApplication(const QByteArray& application)
{
    m_bin.writeTool("xdg-mime", application);
}
