// The recovery copy: the unsaved lines of the open title, kept in the user's
// state folder a moment after the last change, and offered back at start.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "platform/SafeFile.h"
#include "platform/Shell.h"
#include "titles/RecoveryCopy.h"
#include "titles/TitleFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    if (!SafeFile::write(SafeFile::Purpose::RecoveryCopy, file,
                         RecoveryCopy::encode(m_state.dataFolder, m_state.openTitlePath,
                                              m_state.openTitleStamp.hash,
                                              m_editor->lineViews()->lines()),
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
    // Each copy is restored or set aside, never left under its own name: the
    // next copy of its title would overwrite it.
    for (const RecoveryCopy::Copy& copy :
         RecoveryCopy::toOffer(Shell::stateFolderPath(), m_state.dataFolder)) {
        const QString name =
            copy.titlePath.section(QLatin1Char('\\'), -1).section(QLatin1Char('.'), 0, -2);
        QString question = QStringLiteral("restore the unsaved lines of %1?").arg(name);
        if (copy.title == RecoveryCopy::Copy::Title::Changed)
            question += QStringLiteral("\n\nThe title was changed since these lines were "
                                       "copied: saving them asks what to keep.");
        else if (copy.title == RecoveryCopy::Copy::Title::Gone)
            question += QStringLiteral("\n\nThe title was renamed or deleted since: Yes makes "
                                       "it again with these lines, No keeps them aside.");
        const bool yes = Dialogs::question(this, question) == Dialogs::Answer::Yes;
        if (yes && restoreRecoveryCopy(copy))
            continue;
        const QString kept = RecoveryCopy::keepAside(copy.file, m_state.clock.now());
        // Said where the lines asked for did not come back, or stay where they were.
        if (yes || kept.isEmpty())
            Dialogs::information(this, QStringLiteral("The unsaved lines of %1 are kept in \"%2\".")
                                           .arg(name, kept.isEmpty() ? copy.file : kept));
    }
}

bool TForm1::restoreRecoveryCopy(const RecoveryCopy::Copy& copy)
{
    const auto find = [&] {
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
            if (nodeStateOf(*it).kind == NodeKind::Title &&
                titleRelativePath(nodeStateOf(*it)).compare(copy.titlePath, Qt::CaseInsensitive) ==
                    0)
                return *it;
        return static_cast<QTreeWidgetItem*>(nullptr);
    };
    QTreeWidgetItem* node = find();
    if (!node && copy.title == RecoveryCopy::Copy::Title::Gone) {
        // Made again, empty, where it was (its group too): the lines then come
        // back as unsaved changes, as for any title.
        const QString file = nativePath(m_state.dataFolder, copy.titlePath);
        QString error;
        if (!QDir().mkpath(QFileInfo(file).absolutePath()) ||
            !SafeFile::write(SafeFile::Purpose::Title, file, QByteArray(), &error)) {
            Dialogs::error(this, error.isEmpty()
                                     ? QStringLiteral("Cannot create file \"%1\".").arg(file)
                                     : error);
            return false;
        }
        rebuildTree();
        node = find();
    }
    if (!node)
        return false;
    m_tree->setCurrentItem(node);
    TreeView1Click();
    if (!m_state.openTitleLoaded ||
        m_state.openTitlePath.compare(copy.titlePath, Qt::CaseInsensitive) != 0)
        return false;
    setEditorText(copy.lines);
    reloadClickList(copy.lines);
    RichEditNeedChange();
    // Saving over what the copy did not see asks first.
    if (copy.title == RecoveryCopy::Copy::Title::Changed)
        m_state.openTitleStamp = TitleFiles::Stamp();
    m_recoveryFile = copy.file;
    m_editor->moveCursor(QTextCursor::End);
    return true;
}
