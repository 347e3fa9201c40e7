#include "TempDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempDataFolder::TempDataFolder() : m_dir(QDir::tempPath() + QStringLiteral("/morvane-test-XXXXXX"))
{
}

QString TempDataFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempDataFolder::writeFile(const QString& relative, const QByteArray& content) const
{
    const QString full = path() + relative;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return full;
}

QString TempDataFolder::writeTool(const QString& name, const QByteArray& output) const
{
    const QString file = writeFile(name, "#!/bin/sh\necho " + output + "\n");
    QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner);
    return file;
}

QByteArray TempDataFolder::readFile(const QString& relative) const
{
    QFile f(path() + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempDataFolder::exists(const QString& relative) const
{
    return QFileInfo::exists(path() + relative);
}
