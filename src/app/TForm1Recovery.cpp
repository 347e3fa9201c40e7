// The recovery copy: the unsaved lines of the open title, kept in the user's
// state folder a moment after the last change, and offered back at start.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"
#include "titles/RecoveryCopy.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {
// Long enough that typing never writes on every key, short enough that a
// crash loses only the last few seconds. The timer is not restarted by later
// keys, so steady typing is still copied every few seconds.
const int kRecoveryDelayMs = 2000;
} // namespace

void TForm1::scheduleRecoveryCopy()
{
    if (!m_state.openTitleLoaded || m_state.node.kind != NodeKind::Title)
        return;
    if (!m_recoveryTimer) {
        m_recoveryTimer = new QTimer(this);
        m_recoveryTimer->setSingleShot(true);
        m_recoveryTimer->setInterval(kRecoveryDelayMs);
        connect(m_recoveryTimer, &QTimer::timeout, this, &TForm1::writeRecoveryCopy);
    }
    if (!m_recoveryTimer->isActive())
        m_recoveryTimer->start();
}

void TForm1::writeRecoveryCopy()
{
    if (!m_state.modified || !m_state.openTitleLoaded || m_state.node.kind != NodeKind::Title)
        return;
    const QString folder = Shell::stateFolderPath();
    const QString file = RecoveryCopy::filePath(folder, m_state.dataFolder, m_state.openTitlePath);
    if (file != m_recoveryFile)
        dropRecoveryCopy();
    QString error;
    QDir().mkpath(folder);
    if (!SafeFile::write(
            SafeFile::Purpose::RecoveryCopy, file,
            RecoveryCopy::encode(m_state.dataFolder, m_state.openTitlePath, m_editor->lineViews()->lines()),
            &error)) {
        // Said once, not every few seconds while the user types on.
        if (!m_recoveryFailed)
            Dialogs::error(this, error);
        m_recoveryFailed = true;
        return;
    }
    m_recoveryFailed = false;
    m_recoveryFile = file;
}

void TForm1::dropRecoveryCopy()
{
    if (m_recoveryTimer)
        m_recoveryTimer->stop();
    if (!m_recoveryFile.isEmpty())
        QFile::remove(m_recoveryFile);
    m_recoveryFile.clear();
}

void TForm1::offerRecoveryCopies()
{
    for (const RecoveryCopy::Copy& copy :
         RecoveryCopy::toOffer(Shell::stateFolderPath(), m_state.dataFolder)) {
        const QString name =
            copy.titlePath.section(QLatin1Char('\\'), -1).section(QLatin1Char('.'), 0, -2);
        if (Dialogs::question(this, QStringLiteral("restore the unsaved lines of %1?").arg(name)) !=
            Dialogs::Answer::Yes) {
            RecoveryCopy::keepAside(copy.file, m_state.clock.now());
            continue;
        }
        QTreeWidgetItem* node = nullptr;
        for (QTreeWidgetItemIterator it(m_tree); *it && !node; ++it)
            if (nodeStateOf(*it).kind == NodeKind::Title &&
                titleRelativePath(nodeStateOf(*it)).compare(copy.titlePath, Qt::CaseInsensitive) ==
                    0)
                node = *it;
        if (!node)
            continue; // the copy stays for a later start
        m_tree->setCurrentItem(node);
        TreeView1Click();
        if (!m_state.openTitleLoaded || m_state.openTitlePath != copy.titlePath)
            continue;
        setEditorText(copy.lines);
        reloadClickList(copy.lines);
        RichEditNeedChange();
        m_recoveryFile = copy.file;
        m_editor->moveCursor(QTextCursor::End);
    }
}
