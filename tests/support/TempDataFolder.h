#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh, empty data folder for one test, removed afterwards. path() ends with
// a separator, like the program's own data folder.
class TempDataFolder
{
public:
    TempDataFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const;

    // Writes a file below the folder (creating parent folders) and returns its path.
    QString writeFile(const QString& relative, const QByteArray& content) const;
    // Writes an executable stand-in for a desktop tool that prints output.
    QString writeTool(const QString& name, const QByteArray& output) const;
    QByteArray readFile(const QString& relative) const;
    bool exists(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
