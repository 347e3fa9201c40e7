#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// A copy of the editor's unsaved lines, kept in the user's state folder while
// the open title is modified, so a crash or a kill loses nothing. A copy
// names its data folder and title, and the title's content it was made over,
// so the next start can offer it back and tell whether the title changed.
namespace RecoveryCopy {

// The copy's file in stateFolder for a title ("\"-path relative to the data folder).
QString filePath(const QString& stateFolder, const QString& dataFolder, const QString& titlePath);

// The copy's bytes: a header naming the data folder, the title and the hash
// of the title as it was last opened or saved, then the lines.
QByteArray encode(const QString& dataFolder, const QString& titlePath, const QByteArray& baseHash,
                  const QList<QStringView>& lines);

struct Copy
{
    QString file; // the copy itself
    QString titlePath;
    QStringList lines;
    enum class Title
    {
        Unchanged, // as the copy found it
        Changed,   // changed since (or it cannot be told, or read)
        Gone       // renamed or deleted since
    } title = Title::Unchanged;
};

// Every copy of stateFolder that belongs to dataFolder and holds lines its
// title lacks, oldest first: none is skipped for its age or a title that is
// gone. Copies whose lines are already in the title are removed.
std::vector<Copy> toOffer(const QString& stateFolder, const QString& dataFolder);

// Sets a copy aside under a name that is never offered again; its new path,
// or empty when it could not be renamed.
QString keepAside(const QString& file, const QDateTime& now);

} // namespace RecoveryCopy
