#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// A copy of the editor's unsaved lines, kept in the user's state folder while
// the open title is modified, so a crash or a kill loses nothing. A copy
// names its data folder and title, so the next start can offer it back.
namespace RecoveryCopy {

// The copy's file in stateFolder for a title ("\"-path relative to the data folder).
QString filePath(const QString& stateFolder, const QString& dataFolder, const QString& titlePath);

// The copy's bytes: a header naming the data folder and title, then the lines.
QByteArray encode(const QString& dataFolder, const QString& titlePath,
                  const QList<QStringView>& lines);

struct Copy
{
    QString file; // the copy itself
    QString titlePath;
    QStringList lines;
};

// The copies of stateFolder that belong to dataFolder and are worth
// offering: newer than their title, and different from it. Copies whose lines
// are already in the title are removed; copies of titles that no longer exist
// are left alone.
std::vector<Copy> toOffer(const QString& stateFolder, const QString& dataFolder);

// Sets a declined copy aside under a name that is never offered again. False
// when it could not be renamed.
bool keepAside(const QString& file, const QDateTime& now);

} // namespace RecoveryCopy
