#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box and file dialog of the program goes through here, so a
// test can answer them in advance instead of blocking on a modal window.
namespace Dialogs {

enum class Answer
{
    Ok,
    Yes,
    No,
    Cancel
};

// A plain message box with an OK button.
void information(QWidget* parent, const QString& text);

// The program's standard error box, for messages of the system.
void error(QWidget* parent, const QString& text);

// A warning box with Yes and No; Enter takes onEnter. A question whose Yes
// deletes or gives up text passes No, so a reflexive Enter loses nothing.
Answer question(QWidget* parent, const QString& text, Answer onEnter = Answer::Yes);

// A question with buttons of its own and a Cancel; the index of the one
// chosen, -1 when cancelled or closed. Enter takes buttons[defaultIndex] and
// Escape cancels, so a reflexive key press never picks an answer that loses text.
int choose(QWidget* parent, const QString& text, const QStringList& buttons, int defaultIndex);

// A save-file dialog; empty when cancelled. filter is in Qt's ";;" form; it
// opens in folder, or in the working folder when folder is empty. With
// chosenSuffix, a name typed without an extension gets the extension of the
// type chosen (from its "(*.ext)" pattern), which *chosenSuffix receives.
QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& defaultSuffix, const QString& folder = QString(),
                     QString* chosenSuffix = nullptr);

// An open-file dialog; empty when cancelled. It opens in folder, or in the
// working folder when folder is empty.
QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& folder = QString());

// While unattended (the program ends on a signal: a logout, a kill) nobody
// may see a window, so nothing may wait on one: messages go to standard
// error and questions take No.
void setUnattended(bool unattended);

// --- Testing hooks ---
// While scripted, no dialog is shown: each message is recorded, questions take
// the queued answers (Yes when none is queued) and file dialogs the queued
// names (cancelled when none is queued).
void setScripted(bool scripted);
void setNextAnswer(Answer answer);
void setNextChoice(int index); // for choose(); its default when none is queued
// chosenFilter: the type picked in a save dialog, as one of its filters; the
// first one when empty.
void setNextFileName(const QString& fileName, const QString& chosenFilter = QString());
QStringList shownMessages();
// The folder the last file dialog opened in.
QString lastFileDialogFolder();
void clearShownMessages();

} // namespace Dialogs
