#pragma once

#include <QByteArray>
#include <QString>

// The one way this program writes a file: the new content goes to a hidden
// temporary file beside the target, is flushed to the disk, and replaces the
// target only once it is complete, so a full disk or a crash leaves the old
// file as it was. A file with several names (hard links) is overwritten in
// place instead, so that every name sees the new content: a copy of its old
// bytes is put on the disk beside it first, and puts them back if the
// overwrite fails or is cut short by a crash.
class SafeFile
{
public:
    // What a write is for. Every writer names its purpose, so a test can
    // bring each kind of write to fail and check the program copes.
    enum class Purpose
    {
        Title,        // a title, new or saved
        LinkedTitle,  // a title with more than one name, overwritten in place
        Total,        // Total.tol
        DefaultFile,  // defaultfile.cnt
        StartupTip,   // tip.cnt
        Export,       // an exported title
        Chart,        // BarChart.bmp, BarChartH.bmp, pie.bmp
        Picture,      // a picture saved where the user chose
        WordReport,   // a .docx
        Launcher,     // a launcher or its icon
        RecoveryCopy, // the unsaved lines of the open title
        Count
    };

    // Writes data as the whole content of path (a link is written through).
    // On failure returns false, leaves any existing file untouched and puts
    // the system's message in *error.
    static bool write(Purpose purpose, const QString& path, const QByteArray& data,
                      QString* error = nullptr);

    // True when path (links followed) is a file with more than one name,
    // which write() overwrites in place.
    static bool hasOtherNames(const QString& path);

    // Removes the temporary files that writes cut short by a crash left in
    // folder, at any depth unless nested is false, and puts the old bytes back
    // into a file whose overwrite in place was cut short; with
    // olderThanSeconds, only leftovers that old.
    static void removeLeftovers(const QString& folder, int olderThanSeconds = 0,
                                bool nested = true);

    // Every folder written to is noted in the ledger file (the writer's
    // process number, a tab, the folder) before its temporary file is made,
    // so that a start after a crash finds the leftovers of writes anywhere.
    static void setLedger(const QString& file);
    // Removes the leftovers in the folders noted by writers that no longer
    // run, and forgets those folders.
    static void sweepLedger();

    // --- Testing aids; never set by the program ---
    // Writes fail, as on a full disk, once this many bytes have been written
    // in one call. A negative value (the default) turns it off.
    static void setFailAfterBytesForTesting(qint64 bytes);

    enum class Fault
    {
        None,
        DiskFull,          // no space left on the device
        AccessDenied,      // the folder may not be written
        FolderGone,        // the target's folder vanished
        CrashBeforeRename, // the process died with the temporary file (or, in
                           // place, the copy of the old bytes) written
    };
    // Writes of that purpose meet the fault; Fault::None turns it off.
    static void setFaultForTesting(Purpose purpose, Fault fault);
    // How many writes met the injected fault since it was set.
    static int faultsMetForTesting();
};
