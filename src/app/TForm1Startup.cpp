// Start-up and shutdown of the main window.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "FixedRowDelegate.h"
#include "ScaleBy.h"
#include "TFormOpt.h"
#include "TFormhlp.h"
#include "TFormpic.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"
#include "titles/SampleTitles.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {
const char* const kScaleError = "Find error,code is 800,please tell to software engineer";

const QStringList& tipsLines()
{
    static const QStringList lines = {
        QStringLiteral("Tips:"),
        QStringLiteral("1.(left window)choose a title "),
        QStringLiteral("2.(this window)entry each items "),
        QStringLiteral("  Then"),
        QStringLiteral("3.(right click window)"),
        QStringLiteral("   Click a item to replace cursor row"),
    };
    return lines;
}
} // namespace

void TForm1::FormCreate()
{
    setWindowTitle(QStringLiteral("Morvane"));
    QString documents = m_state.documentsFolder;
    if (documents.isEmpty())
        documents = Shell::specialFolderPath(Shell::SpecialFolder::Personal);
    if (documents.isEmpty())
        documents = QDir::homePath() + QStringLiteral("/Documents");
    m_state.documentsFolder = documents;
    m_state.dataFolder = dataFolderIn(documents);

    // First start: the sample library, then the desktop shortcut.
    if (!QFileInfo::exists(m_state.dataFolder)) {
        const QString message = createSampleLibrary(m_state.dataFolder, documents);
        if (!message.isEmpty())
            Dialogs::information(this, message);
        else
            createDesktopShortcut();
    }
}

void TForm1::createDesktopShortcut()
{
    // The tools window, which writes it, is created after this one.
    m_desktopShortcutDue = true;
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

QSize TForm1::screenSize() const
{
    const QScreen* screen = this->screen();
    return screen ? screen->geometry().size() : QSize(800, 600);
}

void TForm1::showAtStart()
{
    // The scaled size is the window's normal geometry: it is set before the
    // window is maximised, so un-maximising (or a window manager that does
    // not maximise) gives it rather than the design size.
    resize(scaledWindowSize(kDesignSize, screenSize()));
    showMaximized();
}

int TForm1::designPixels(int pixels) const
{
    return int(qint64(pixels) * m_scaleMultiplier / 800);
}

void TForm1::scaleToScreen()
{
    const QSize screen = screenSize();
    if (screen.width() == 800)
        return;
    m_scaleMultiplier = screen.width();
    try {
        ScaleBy(this, screen.width(), 800);
        m_rowDelegate->setHeight(designPixels(16));
        // The images grow with the buttons and rows that hold them.
        const QSize icon(designPixels(16), designPixels(16));
        m_toolBar->setIconSize(icon);
        m_tree->setIconSize(icon);
    } catch (...) {
        Dialogs::information(this, QString::fromLatin1(kScaleError));
    }
    if (!m_formpic)
        return;
    try {
        m_formpic->resize(scaledWindowSize(m_formpic->size(), screen));
        ScaleBy(m_formpic, screen.width(), 800);
    } catch (...) {
        Dialogs::information(this, QString::fromLatin1(kScaleError));
    }
}

void TForm1::FormShow()
{
    if (!lockDataFolder())
        return;
    // Writes a crash cut short; another program's may be under way in the
    // shared state folder, so only old ones go there.
    SafeFile::removeLeftovers(m_state.dataFolder);
    SafeFile::removeLeftovers(Shell::stateFolderPath(), 60);
    SafeFile::setLedger(Shell::stateFolderPath() + QStringLiteral("/.writes-under-way"));
    SafeFile::sweepLedger();
    scaleToScreen();
    Shell::sweepAttributes(m_state.dataFolder, Shell::Normal);
    buildTree();
    enterNoTitleState();

    m_pageControl->tabBar()->hide();
    m_pageControl->setCurrentWidget(m_tabSheet1);
    TabSheet1Show();

    m_state.recordedPictureSize = m_formpic ? m_formpic->imageSize() : QSize(589, 399);
    openDefaultTitle();
    // Asked over the shown window, not before it appears.
    QTimer::singleShot(0, this, &TForm1::offerRecoveryCopies);
}

void TForm1::enterNoTitleState()
{
    setEditorText(tipsLines());
    m_editor->setReadOnly(true);
    setWindowTitle(QStringLiteral("Morvane---Please click a title to start."));
    m_clickListBox->clear();
    m_clickListBox->addItem(QStringLiteral("click window"));
    m_hotkeyBox->clear();
    m_hotkeyBox->addItems({QStringLiteral("Hotkey"), QStringLiteral("[Ctrl]+")});
    // Fixed, as an opened title or group sets it: a title deleted while open
    // leads back here, and the placeholders must show whole again.
    m_hotkeyBox->setFixedWidth(hotkeyColumnWidth(50));

    m_state.modified = false;
    for (const char* name : {"ToolButtonSave", "Post1", "ToolButtonStartOpen", "AppendText1",
                             "Export1", "Rename1", "Delete1", "Startopen1"})
        action(QString::fromLatin1(name))->setEnabled(false);
    m_editMenu->menuAction()->setEnabled(false);
}

void TForm1::TabSheet1Show()
{
    if (m_formhlp)
        m_formhlp->armStartupHelp();
    m_editor->moveCursor(QTextCursor::End);
    m_editor->setFocus();
}

bool TForm1::shutdown(bool askOnFailedSave)
{
    if (m_shutDown)
        return true;
    // Ended by a signal or the session, nobody may be there to answer.
    m_unattended = !askOnFailedSave;
    if (!Post1Click() && askOnFailedSave &&
        Dialogs::question(this,
                          QStringLiteral("The title could not be saved. Close anyway and "
                                         "lose the changes?"),
                          Dialogs::Answer::No) != Dialogs::Answer::Yes)
        return false;
    // Saved: a clean exit leaves no copy. Not saved: the copy keeps the lines.
    if (m_state.modified)
        writeRecoveryCopy();
    else
        dropRecoveryCopy();
    m_shutDown = true;
    Shell::sweepAttributes(m_state.dataFolder, Shell::ReadOnly);
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!shutdown(true)) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}
