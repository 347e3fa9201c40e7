// The open title against its file on disk: encodings that no longer fit,
// changes made outside the program, and one program per data folder.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "platform/RegularFile.h"
#include "titles/TitleFiles.h"

#include <QFileInfo>
#include <QTimer>

bool TForm1::saveOpenTitle()
{
    const QString path = openTitleFile();
    const std::shared_ptr<const TitleLineViews> lines = m_editor->lineViews();
    const TitleText::Format format =
        TitleText::formatFor(lines->lines(), m_state.openTitleEncoding);
    QString error;
    TitleFiles::Stamp written;
    if (!TitleFiles::save(path, lines->lines(), format, &error, &written)) {
        Dialogs::error(this, error);
        return false;
    }
    dropRecoveryCopy();
    if (format.encoding != m_state.openTitleEncoding.encoding) {
        // Said once: from now on the title is UTF-8, and every character fits.
        Dialogs::information(
            this,
            QStringLiteral("The title \"%1\" now holds characters that its code page (%2) "
                           "cannot store, so it was saved as UTF-8.")
                .arg(m_state.node.titleName, QString::fromLatin1(m_state.openTitleEncoding.codec)));
        m_state.openTitleEncoding = format;
    }
    m_state.openTitleStamp = written;
    return true;
}

bool TForm1::resolveOutsideChange()
{
    const TitleFiles::Stamp now = TitleFiles::stampOf(openTitleFile());
    // A vanished file is simply written again; only other content is at stake.
    if ((now.size < 0 && !now.unreadable) || now == m_state.openTitleStamp)
        return true;
    if (now.unreadable) {
        // What is there now was never read, so nothing may replace it: the
        // text can only go beside it.
        if (!m_unattended &&
            Dialogs::choose(
                this,
                QStringLiteral("The title \"%1\" was changed on disk after it was opened, and "
                               "its file can no longer be read, so it is neither shown nor "
                               "saved over.\n\n"
                               "Keep both: save your text as a new title beside it.\n"
                               "Cancel: save nothing now.")
                    .arg(m_state.node.titleName),
                {QStringLiteral("Keep both")}, 0) != 0)
            return false;
        return keepBothTitles();
    }
    // Unattended, both texts are kept: nothing is lost and nobody is asked.
    int choice = 2;
    if (!m_unattended)
        choice = Dialogs::choose(
            this,
            QStringLiteral("The title \"%1\" was changed on disk after it was opened.\n\n"
                           "Reload: show the title as it is on disk; your changes are lost.\n"
                           "Overwrite: save your text over it; the other changes are lost.\n"
                           "Keep both: save your text as a new title beside it.")
                .arg(m_state.node.titleName),
            {QStringLiteral("Reload"), QStringLiteral("Overwrite"), QStringLiteral("Keep both")},
            2);
    switch (choice) {
    case 0:
        openTitle();
        return m_state.openTitleLoaded;
    case 1:
        return true;
    case 2:
        return keepBothTitles();
    default:
        return false; // closed without a choice: nothing is saved
    }
}

bool TForm1::keepBothTitles()
{
    const QString folder = QFileInfo(openTitleFile()).absolutePath() + QLatin1Char('/');
    QString name;
    for (int n = 2;; ++n) {
        name = QStringLiteral("%1 (%2)").arg(m_state.node.titleName).arg(n);
        if (!QFileInfo::exists(folder + name + QStringLiteral(".txt")) &&
            !QFileInfo::exists(folder + name + QStringLiteral(".TXT")))
            break;
    }
    const QString oldPath = m_state.openTitlePath;
    const QString oldName = m_state.node.titleName;
    const QString oldFile = m_state.node.fileName;
    m_state.node.titleName = name;
    m_state.node.fileName = name + QStringLiteral(".txt");
    m_state.openTitlePath = titleRelativePath(m_state.node);
    if (!saveOpenTitle()) {
        m_state.openTitlePath = oldPath;
        m_state.node.titleName = oldName;
        m_state.node.fileName = oldFile;
        return false;
    }
    m_state.modified = false;
    setWindowTitle(QStringLiteral("Morvane---") + name);
    addTitleBeside(QFileInfo(nativePath(m_state.dataFolder, oldPath)).fileName(), name);
    return true;
}

bool TForm1::lockDataFolder()
{
    const QString lockFile = m_state.dataFolder + QStringLiteral(".morvane.lock");
    // The lock's reader would wait for good on a FIFO in its place; no other
    // kind of file there is anybody's lock.
    if (RegularFile::existsAsNonRegular(lockFile) ||
        (QFileInfo(lockFile).isSymLink() && !QFileInfo::exists(lockFile)))
        QFile::remove(lockFile);
    m_dataLock = std::make_unique<QLockFile>(lockFile);
    m_dataLock->setStaleLockTime(0);
    if (m_dataLock->tryLock(0) || m_dataLock->error() != QLockFile::LockFailedError)
        return true;
    Dialogs::information(this, QStringLiteral("Morvane is already running on the data folder "
                                              "\"%1\". Use that window, or close it first.")
                                   .arg(m_state.dataFolder));
    // Leave everything to the running copy: no sweep, no save.
    m_shutDown = true;
    QTimer::singleShot(0, this, &QWidget::close);
    return false;
}
