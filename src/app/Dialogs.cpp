#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>
#include <cstdio>
#include <deque>

namespace Dialogs {

namespace {
struct Script
{
    bool unattended = false;
    bool active = false;
    std::deque<Answer> answers;
    std::deque<int> choices;
    std::deque<std::pair<QString, QString>> fileNames; // with the type chosen
    QStringList shown;
    QString dialogFolder;
};

Script& script()
{
    static Script s;
    return s;
}

QString title()
{
    return QApplication::applicationName();
}

// A dialog runs over everything: the help window stays on top of the other
// windows, and a modal box hidden behind it would leave the program stuck.
// While the dialog runs no other window stays on top, so a click on the help
// window cannot bring it over the dialog either.
int runOnTop(QDialog& dialog)
{
    QList<QPointer<QWindow>> lowered;
    for (QWindow* w : QGuiApplication::topLevelWindows())
        if (w->isVisible() && w->flags().testFlag(Qt::WindowStaysOnTopHint)) {
            w->setFlag(Qt::WindowStaysOnTopHint, false);
            lowered << w;
        }
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int result = dialog.exec();
    for (const QPointer<QWindow>& w : lowered)
        if (w)
            w->setFlag(Qt::WindowStaysOnTopHint, true);
    return result;
}

int showBox(QMessageBox::Icon icon, QWidget* parent, const QString& text,
            QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title(), text, buttons, parent);
    return runOnTop(box);
}

// True when the message went to standard error instead of a box.
bool reportedUnattended(const QString& text)
{
    if (!script().unattended)
        return false;
    std::fprintf(stderr, "%s: %s\n", qPrintable(title()), qPrintable(text));
    std::fflush(stderr);
    return true;
}
} // namespace

void information(QWidget* parent, const QString& text)
{
    if (reportedUnattended(text))
        return;
    if (script().active) {
        script().shown << text;
        return;
    }
    showBox(QMessageBox::Information, parent, text, QMessageBox::Ok);
}

void error(QWidget* parent, const QString& text)
{
    if (reportedUnattended(text))
        return;
    if (script().active) {
        script().shown << text;
        return;
    }
    showBox(QMessageBox::Critical, parent, text, QMessageBox::Ok);
}

Answer question(QWidget* parent, const QString& text, Answer onEnter)
{
    if (reportedUnattended(text))
        return Answer::No;
    if (script().active) {
        script().shown << text;
        if (script().answers.empty())
            return Answer::Yes;
        const Answer a = script().answers.front();
        script().answers.pop_front();
        return a;
    }
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(onEnter == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    return runOnTop(box) == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

int choose(QWidget* parent, const QString& text, const QStringList& buttons, int defaultIndex)
{
    if (script().active) {
        script().shown << text;
        if (script().choices.empty())
            return defaultIndex;
        const int c = script().choices.front();
        script().choices.pop_front();
        return c;
    }
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added; // in the order of buttons
    for (const QString& caption : buttons)
        added.append(box.addButton(caption, QMessageBox::AcceptRole));
    QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(qobject_cast<QPushButton*>(added.value(defaultIndex)));
    box.setEscapeButton(cancel);
    runOnTop(box);
    return int(added.indexOf(box.clickedButton()));
}

namespace {
QString chosenFile(QFileDialog& dialog)
{
    return runOnTop(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
}

std::pair<QString, QString> nextScriptedFileName()
{
    if (script().fileNames.empty())
        return {};
    const auto next = script().fileNames.front();
    script().fileNames.pop_front();
    return next;
}

// The extension a filter such as "Icons (*.ico)" names; empty for none.
QString filterSuffix(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}
} // namespace

QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& defaultSuffix, const QString& folder, QString* chosenSuffix)
{
    script().dialogFolder = folder;
    if (script().active) {
        const auto [name, chosen] = nextScriptedFileName();
        if (chosenSuffix)
            *chosenSuffix = chosen.isEmpty() ? defaultSuffix : filterSuffix(chosen);
        return name;
    }
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (chosenSuffix)
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& f) { dialog.setDefaultSuffix(filterSuffix(f)); });
    const QString name = chosenFile(dialog);
    if (chosenSuffix)
        *chosenSuffix = filterSuffix(dialog.selectedNameFilter());
    return name;
}

QString openFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& folder)
{
    script().dialogFolder = folder;
    if (script().active)
        return nextScriptedFileName().first;
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}

void setUnattended(bool unattended)
{
    script().unattended = unattended;
}

void setScripted(bool scripted)
{
    script() = Script();
    script().active = scripted;
}

void setNextAnswer(Answer answer)
{
    script().answers.push_back(answer);
}

void setNextChoice(int index)
{
    script().choices.push_back(index);
}

void setNextFileName(const QString& fileName, const QString& chosenFilter)
{
    script().fileNames.emplace_back(fileName, chosenFilter);
}

QStringList shownMessages()
{
    return script().shown;
}

QString lastFileDialogFolder()
{
    return script().dialogFolder;
}

void clearShownMessages()
{
    script().shown.clear();
}

} // namespace Dialogs
