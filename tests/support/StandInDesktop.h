#pragma once

#include "TempDataFolder.h"

#include <QByteArray>
#include <QStringList>

// The desktop as a test sets it: opening a file only records it (and fails
// when told to), and what is set up for each file type comes from a
// stand-in xdg-mime first on PATH. Everything is put back on destruction.
class StandInDesktop
{
public:
    explicit StandInDesktop(const QByteArray& application = "org.gnome.gedit.desktop");
    ~StandInDesktop();

    // What xdg-mime says opens any file type; empty: nothing is set up.
    void setApplication(const QByteArray& application);

    QStringList opened;
    bool openSucceeds = true;

private:
    TempDataFolder m_bin;
    QByteArray m_path;
};
