#pragma once

#include "platform/Clock.h"
#include "platform/DateFormat.h"
#include "stats/TallyResult.h"
#include "titles/NodeState.h"
#include "titles/TitleFiles.h"
#include "titles/TitleText.h"

#include <QSize>
#include <QString>

// What a program run is set up with. The defaults are the user's real
// folders, locale and clock; tests point them elsewhere.
struct ProgramOptions
{
    QString documentsFolder; // empty: the desktop's documents folder
    DateFormat dates = DateFormat::system(QDate::currentDate().year());
    Clock clock;
};

// The program-wide values every window reads and writes. The main window owns
// the one instance; the other windows hold a reference to it.
struct AppState
{
    explicit AppState(const ProgramOptions& options)
        : documentsFolder(options.documentsFolder), dates(options.dates), clock(options.clock)
    {
    }

    QString documentsFolder; // without trailing separator
    QString dataFolder;      // documents folder + "/Morvane/", with its separator
    DateFormat dates;
    Clock clock;

    NodeState node; // the node clicked last in the tree

    // The open title, by its "\"-path relative to the data folder.
    QString openTitlePath;
    TitleText::Format openTitleEncoding;
    // The file as it was loaded or last saved, to notice changes made outside.
    TitleFiles::Stamp openTitleStamp;
    // False after the open title failed to load: the emptied editor must
    // never be saved over it.
    bool openTitleLoaded = false;
    bool modified = false;

    enum class Shown
    {
        None,
        Title,
        Group
    };
    Shown shown = Shown::None; // the kind of the node opened last

    // The default title, from defaultfile.cnt.
    QString defaultName;
    QString defaultGroupPath;

    TallyResult tally;
    QSize recordedPictureSize; // Image1's size after the start-up scaling
};
