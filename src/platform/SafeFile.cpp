#include "SafeFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <QSet>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
// Testing aids only; never set by the program.
qint64 g_failAfterBytes = -1;
SafeFile::Purpose g_faultPurpose = SafeFile::Purpose::Count;
SafeFile::Fault g_fault = SafeFile::Fault::None;
int g_faultsMet = 0;

const QString kLeftoverSuffix = QStringLiteral(".morvane-partial");

QString g_ledger;
QSet<QString> g_noted; // the folders this run has put in the ledger

void note(const QString& folder)
{
    if (g_ledger.isEmpty() || g_noted.contains(folder))
        return;
    QDir().mkpath(QFileInfo(g_ledger).absolutePath());
    QFile ledger(g_ledger);
    if (ledger.open(QIODevice::Append))
        ledger.write(QByteArray::number(qint64(::getpid())) + '\t' + folder.toUtf8() + '\n');
    g_noted.insert(folder);
}

// A process of that number runs, and it is not this one.
bool otherRunning(qint64 pid)
{
    return pid > 0 && pid != ::getpid() && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// The temporary file of a target: hidden, so the title tree never shows it,
// and one per target, so a crash leaves at most one that the next write of
// the same file reuses.
QString temporaryFor(const QFileInfo& target)
{
    QString name = QStringLiteral(".") + target.fileName() + kLeftoverSuffix;
    // A target name near the file system's limit gets a short stand-in.
    if (QFile::encodeName(name).size() > 255)
        name = QStringLiteral(".") +
               QString::fromLatin1(QCryptographicHash::hash(QFile::encodeName(target.fileName()),
                                                            QCryptographicHash::Sha1)
                                       .toHex()) +
               kLeftoverSuffix;
    return target.absolutePath() + QLatin1Char('/') + name;
}

QString systemMessage(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}
} // namespace

void SafeFile::setFailAfterBytesForTesting(qint64 bytes)
{
    g_failAfterBytes = bytes;
}

void SafeFile::setFaultForTesting(Purpose purpose, Fault fault)
{
    g_faultPurpose = purpose;
    g_fault = fault;
    g_faultsMet = 0;
}

int SafeFile::faultsMetForTesting()
{
    return g_faultsMet;
}

bool SafeFile::write(Purpose purpose, const QString& path, const QByteArray& data, QString* error)
{
    const Fault fault = purpose == g_faultPurpose ? g_fault : Fault::None;
    if (fault != Fault::None)
        ++g_faultsMet;
    QFileInfo target(path);
    // A link is written through, as opening it for writing would.
    if (target.isSymLink())
        target = QFileInfo(target.symLinkTarget());
    const QString shown = target.absoluteFilePath();
    const auto fail = [&](const char* what, const QString& reason) {
        if (error)
            *error =
                QStringLiteral("Cannot %1 file \"%2\". %3").arg(QLatin1String(what), shown, reason);
        return false;
    };
    if (fault == Fault::AccessDenied)
        return fail("create", systemMessage(EACCES));
    if (fault == Fault::FolderGone)
        return fail("create", systemMessage(ENOENT));

    note(target.absolutePath());
    QFile file(temporaryFor(target));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("create", file.errorString());
    if (target.exists())
        file.setPermissions(target.permissions() | QFile::WriteOwner | QFile::ReadOwner);
    qint64 limit = data.size();
    const bool full =
        fault == Fault::DiskFull || (g_failAfterBytes >= 0 && g_failAfterBytes < data.size());
    if (full)
        limit = fault == Fault::DiskFull ? data.size() / 2 : g_failAfterBytes;
    // A write the disk cuts short returns what it wrote and sets no error:
    // writing the rest then fails with the system's reason.
    qint64 written = 0;
    while (written < limit) {
        const qint64 n = file.write(data.constData() + written, limit - written);
        if (n <= 0)
            break;
        written += n;
    }
    bool ok = written == limit && file.flush();
    QString reason = file.errorString();
    // On the disk before it replaces the old file: a power cut then leaves
    // the old content or the new, never an empty file.
    if (ok && ::fsync(file.handle()) != 0) {
        ok = false;
        reason = systemMessage(errno);
    }
    if (ok && full) {
        ok = false;
        reason = systemMessage(ENOSPC);
    }
    file.close();
    if (ok && fault == Fault::CrashBeforeRename)
        return false; // the process is gone: nobody is told, the file stays
    if (!ok) {
        file.remove();
        return fail("write", reason);
    }
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(shown).constData()) != 0) {
        const int code = errno;
        file.remove();
        return fail("write", systemMessage(code));
    }
    return true;
}

void SafeFile::setLedger(const QString& file)
{
    g_ledger = file;
    g_noted.clear();
}

void SafeFile::sweepLedger()
{
    QFile ledger(g_ledger);
    if (g_ledger.isEmpty() || !ledger.open(QIODevice::ReadOnly))
        return;
    QByteArray kept;
    for (const QByteArray& line : ledger.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        if (otherRunning(line.left(tab).toLongLong()))
            kept += line + '\n';
        else
            removeLeftovers(QString::fromUtf8(line.mid(tab + 1)), 0, false);
    }
    ledger.close();
    g_noted.clear();
    if (kept.isEmpty())
        QFile::remove(g_ledger);
    else if (ledger.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ledger.write(kept);
}

void SafeFile::removeLeftovers(const QString& folder, int olderThanSeconds, bool nested)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-olderThanSeconds);
    QDirIterator it(folder, {QStringLiteral(".*") + kLeftoverSuffix},
                    QDir::Files | QDir::Hidden | QDir::System,
                    nested ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        it.next();
        if (olderThanSeconds <= 0 || it.fileInfo().lastModified() < before)
            QFile::remove(it.filePath());
    }
}
