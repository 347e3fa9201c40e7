#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <deque>

namespace Dialogs {

namespace {
struct Script
{
    bool active = false;
    std::deque<Answer> answers;
    std::deque<QString> fileNames;
    QStringList shown;
    QString saveFolder;
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
} // namespace

void information(QWidget* parent, const QString& text)
{
    if (script().active) {
        script().shown << text;
        return;
    }
    QMessageBox::information(parent, title(), text);
}

void error(QWidget* parent, const QString& text)
{
    if (script().active) {
        script().shown << text;
        return;
    }
    QMessageBox::critical(parent, title(), text);
}

Answer question(QWidget* parent, const QString& text)
{
    if (script().active) {
        script().shown << text;
        if (script().answers.empty())
            return Answer::Yes;
        const Answer a = script().answers.front();
        script().answers.pop_front();
        return a;
    }
    return QMessageBox::warning(parent, title(), text, QMessageBox::Yes | QMessageBox::No) ==
                   QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

namespace {
QString nextScriptedFileName()
{
    if (script().fileNames.empty())
        return {};
    const QString name = script().fileNames.front();
    script().fileNames.pop_front();
    return name;
}
} // namespace

QString saveFileName(QWidget* parent, const QString& caption, const QString& filter,
                     const QString& defaultSuffix, const QString& folder)
{
    script().saveFolder = folder;
    if (script().active)
        return nextScriptedFileName();
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().constFirst()
               : QString();
}

QString openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    if (script().active)
        return nextScriptedFileName();
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
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

void setNextFileName(const QString& fileName)
{
    script().fileNames.push_back(fileName);
}

QStringList shownMessages()
{
    return script().shown;
}

QString lastSaveFolder()
{
    return script().saveFolder;
}

void clearShownMessages()
{
    script().shown.clear();
}

} // namespace Dialogs
