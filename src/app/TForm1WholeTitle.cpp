// Append Text, Replace Item and Export: the open title as a whole.
#include "TForm1.h"

#include "Dialogs.h"
#include "EntryEditor.h"
#include "LongWork.h"
#include "TFormpic.h"
#include "editor/EditorLines.h"
#include "editor/LineKinds.h"
#include "editor/WholeTitle.h"
#include "platform/RegularFile.h"
#include "platform/SafeFile.h"
#include "titles/TitleFiles.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTextBlock>

namespace {
// Files up to this size are read at once: it takes a few milliseconds.
const qint64 kReadAsideBytes = qint64(1) << 20;
} // namespace

void TForm1::AppendText1Click()
{
    // The user's documents, not wherever the program was started from.
    const QString name = Dialogs::openFileName(this, QStringLiteral("Append Text"),
                                               QStringLiteral("Text File (*.TXT);;All File (*.*)"),
                                               m_state.documentsFolder);
    if (name.isEmpty())
        return;
    if (!WholeTitle::hasTextExtension(name)) {
        Dialogs::information(this, WholeTitle::notTextFileMessage());
        return;
    }
    if (m_editor->isReadOnly()) // no title is open to append to
        return;
    // Read as a title is read: whatever the bytes, the lines are text. A
    // large file is read on another thread while the window paints.
    TitleFiles::Loaded loaded;
    if (QFileInfo(name).size() > kReadAsideBytes) {
        LongWork reading(this, QStringLiteral("Reading %1\u2026").arg(QFileInfo(name).fileName()));
        loaded = reading.runAside([name] { return TitleFiles::load(name); });
        if (m_shutDown)
            return;
    } else {
        loaded = TitleFiles::load(name);
    }
    if (!loaded.ok) {
        Dialogs::error(this, loaded.error);
        return;
    }
    const qsizetype longest = EditorLines::longestLine(loaded.text.lines);
    if (longest > EditorLines::kLongestLine) {
        Dialogs::information(
            this, EditorLines::lineTooLongMessage(
                      QStringLiteral("The file \"%1\" holds").arg(QFileInfo(name).fileName()),
                      longest, QStringLiteral("nothing was appended")));
        return;
    }
    const QString text =
        WholeTitle::appendedText(m_editor->document()->isEmpty(), loaded.text.lines);
    // Saved first, so that a shutdown while a large file goes in has nothing
    // of the title to save but what it was before.
    if (!Post1Click())
        return;
    LongWork work(this, QStringLiteral("Appending %1\u2026").arg(QFileInfo(name).fileName()));
    m_editorBusy = true;
    const auto notBusy = qScopeGuard([this] { editorNoLongerBusy(); });
    const bool appended =
        text.isEmpty() || m_editor->appendText(text, [&](qint64 done, qint64 total) {
            return work.step(done, total) && !m_shutDown;
        });
    if (!appended)
        return;
    work.stage(1, 1);
    if (!Post1Click())
        return;
    work.stage(1, 1);
    reloadclicklist1Click();
    applyClickListRule(); // the save applied it to the list before the new items
    if (!text.isEmpty())
        startFreshLastLine();
}

void TForm1::startFreshLastLine()
{
    // The next typed item must not join the last line. Like the empty line
    // that opening adds, this one is no change of the title.
    const QTextBlock last = m_editor->document()->lastBlock();
    if (!LineKinds::trimmed(last.text()).isEmpty()) {
        QSignalBlocker quiet(m_editor);
        QTextCursor cursor(last);
        cursor.movePosition(QTextCursor::EndOfBlock);
        // One undo step takes it back with the appended lines.
        cursor.joinPreviousEditBlock();
        cursor.insertBlock();
        cursor.endEditBlock();
    }
    m_editor->moveCursor(QTextCursor::End);
    m_editor->setFocus();
}

void TForm1::ReplaceItem1Click()
{
    if (!Post1Click())
        return;
    m_formpic->showReplacePage(
        ClickList::fromLines(m_editor->lines(), m_clickList.locale()).entries());
}

qsizetype TForm1::replaceItem(const QString& oldText, const QString& newText)
{
    // A group's explanation or a title that failed to load is not the user's to change.
    if (m_editor->isReadOnly())
        return 0;
    QTextDocument* doc = m_editor->document();
    QStringList lines;
    if (!doc->isEmpty()) {
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            lines << b.text();
    }
    const QList<int> found = WholeTitle::matchingLines(lines, oldText);
    // One line for each: characters the editor takes for breaks stay inside it.
    const QString line = m_editor->toEditor(WholeTitle::firstLine(newText));
    if (!found.isEmpty()) {
        // One step of the undo history; from the bottom up, so that a new text
        // of several lines leaves the numbers of the lines above as they were.
        // Undo puts the caret where the block began: on the first replaced line.
        QTextCursor cursor(doc->findBlockByNumber(found.first()));
        cursor.beginEditBlock();
        for (auto it = found.crbegin(); it != found.crend(); ++it) {
            const QTextBlock block = doc->findBlockByNumber(*it);
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            cursor.insertText(line);
        }
        cursor.endEditBlock();
    }
    reloadclicklist1Click();
    applyClickListRule();
    return found.size();
}

void TForm1::Export1Click()
{
    m_formpic->showExportPage();
}

bool TForm1::exportTitle(const QString& target, WholeTitle::NoteOption option, bool dropEmptyLines)
{
    const QString title = openTitleFile();
    if (RegularFile::sameFile(target, title)) {
        Dialogs::information(m_formpic, WholeTitle::exportOverTitleMessage());
        return false;
    }
    if (!Post1Click())
        return false;
    const TitleFiles::Loaded loaded = TitleFiles::load(title);
    QString error = loaded.error;
    if (loaded.ok) {
        const QStringList lines =
            WholeTitle::exportLines(loaded.text.lines, option, dropEmptyLines, m_state.dates);
        if (SafeFile::write(SafeFile::Purpose::Export, target,
                            TitleText::encode(lines, loaded.text.encoding), &error))
            return true;
    }
    Dialogs::error(m_formpic, error);
    return false;
}
