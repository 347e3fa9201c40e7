#include "SafeFile.h"

#include "RegularFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Testing aids only; never set by the program.
qint64 g_failAfterBytes = -1;
SafeFile::Purpose g_faultPurpose = SafeFile::Purpose::Count;
SafeFile::Fault g_fault = SafeFile::Fault::None;
int g_faultsMet = 0;

const QString kLeftoverSuffix = QStringLiteral(".morvane-partial");
// The old bytes of a file being overwritten in place, until the overwrite is done.
const QString kOldCopySuffix = QStringLiteral(".morvane-old");
// More than any ledger of folders written to grows between two starts.
const qint64 kLedgerLimit = qint64(4) << 20;

QString g_ledger;
QSet<QString> g_noted; // the folders this run has put in the ledger

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

void note(const QString& folder)
{
    if (g_ledger.isEmpty() || g_noted.contains(folder))
        return;
    QDir().mkpath(QFileInfo(g_ledger).absolutePath());
    // Never blocks: a FIFO put in its place opens for nobody.
    const int fd = ::open(encoded(g_ledger).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd >= 0) {
        struct stat st;
        const QByteArray line =
            QByteArray::number(qint64(::getpid())) + '\t' + folder.toUtf8() + '\n';
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            ::write(fd, line.constData(), size_t(line.size())) < 0) {
            // Not noted: a crash would leave this write's temporary file for good,
            // which loses nothing.
        }
        ::close(fd);
    }
    g_noted.insert(folder);
}

// A process of that number runs, and it is not this one.
bool otherRunning(qint64 pid)
{
    return pid > 0 && pid != ::getpid() && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString stemHash(const QString& fileName)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(encoded(fileName), QCryptographicHash::Sha1).toHex());
}

// A hidden file beside a target, one per target and suffix, so the title tree
// never shows it and a crash leaves at most one that the next write reuses.
QString besideFor(const QFileInfo& target, const QString& suffix)
{
    QString name = QStringLiteral(".") + target.fileName() + suffix;
    // A target name near the file system's limit gets a short stand-in.
    if (encoded(name).size() > 255)
        name = QStringLiteral(".") + stemHash(target.fileName()) + suffix;
    return target.absolutePath() + QLatin1Char('/') + name;
}

QString temporaryFor(const QFileInfo& target)
{
    return besideFor(target, kLeftoverSuffix);
}

// The file a copy of old bytes belongs to, or empty when none is there.
QString targetOfCopy(const QFileInfo& copy)
{
    const QString stem = copy.fileName().mid(1).chopped(kOldCopySuffix.size());
    const QDir folder = copy.absoluteDir();
    if (QFileInfo::exists(folder.filePath(stem)))
        return folder.filePath(stem);
    if (stem.size() != 40)
        return QString();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (stemHash(name) == stem)
            return folder.filePath(name);
    return QString();
}

QString systemMessage(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Writes every byte at the offset, or says why not. A short write on a full
// disk sets no error of its own, so the next write is what gives the reason.
int writeAll(int fd, const char* data, qint64 size, off_t offset)
{
    while (size > 0) {
        const ssize_t n =
            ::pwrite(fd, data, size_t(std::min<qint64>(size, qint64(1) << 30)), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        data += n;
        size -= n;
        offset += n;
    }
    return 0;
}

// The number of bytes a simulated full disk takes before it fails, or -1.
qint64 failPoint(SafeFile::Fault fault, qint64 size)
{
    if (fault == SafeFile::Fault::DiskFull)
        return size / 2;
    if (g_failAfterBytes >= 0 && g_failAfterBytes < size)
        return g_failAfterBytes;
    return -1;
}

// Makes fd hold exactly data, on the disk. The room is taken first, so a full
// disk mostly fails before any old byte changes. 0 or the system's error code.
int overwrite(int fd, const QByteArray& data, qint64 stopAfter)
{
    if (!data.isEmpty() && ::fallocate(fd, 0, 0, off_t(data.size())) != 0 && errno == ENOSPC)
        return ENOSPC;
    int code = writeAll(fd, data.constData(), stopAfter >= 0 ? stopAfter : data.size(), 0);
    if (code == 0 && stopAfter >= 0)
        code = ENOSPC;
    if (code == 0 && ::ftruncate(fd, off_t(data.size())) != 0)
        code = errno;
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    return code;
}

// Creates path anew with data, on the disk when it returns, with the mode of
// the file it stands in for (mode < 0: a new file's). 0 or the error code;
// *opened tells whether the file could be created at all.
int writeNewFile(const QString& path, const QByteArray& data, qint64 stopAfter, int mode,
                 bool* opened)
{
    ::unlink(encoded(path).constData()); // a crash's leftover, never followed if a link
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    *opened = fd >= 0;
    if (fd < 0)
        return errno;
    if (mode >= 0)
        ::fchmod(fd, mode_t(mode) | S_IRUSR | S_IWUSR);
    int code = overwrite(fd, data, stopAfter);
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code != 0)
        ::unlink(encoded(path).constData());
    return code;
}

// Puts the bytes of a copy back into its file in place, then drops the copy.
// A copy that cannot be put back stays: it may be all that is left.
void putBack(const QString& copy)
{
    const QString target = targetOfCopy(QFileInfo(copy));
    QFile file;
    if (target.isEmpty() || !RegularFile::openForReading(file, copy, nullptr))
        return;
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return;
    const int fd = ::open(encoded(target).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st;
    const bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && overwrite(fd, old, -1) == 0;
    if (::close(fd) == 0 && ok)
        QFile::remove(copy);
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

bool SafeFile::hasOtherNames(const QString& path)
{
    struct stat st;
    return ::stat(encoded(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1;
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
    const auto fail = [&](const char* what, int code) {
        if (error)
            *error = QStringLiteral("Cannot %1 file \"%2\". %3")
                         .arg(QLatin1String(what), shown, systemMessage(code));
        return false;
    };
    if (fault == Fault::AccessDenied)
        return fail("create", EACCES);
    if (fault == Fault::FolderGone)
        return fail("create", ENOENT);

    note(target.absolutePath());
    const qint64 stopAfter = failPoint(fault, data.size());
    struct stat st;
    const bool exists = ::stat(encoded(shown).constData(), &st) == 0;
    const int mode = exists ? int(st.st_mode & 0777) : -1;

    // Another name of the file would keep the old text after a rename: the
    // file itself is overwritten, once a copy of its old bytes is on the disk.
    if (exists && S_ISREG(st.st_mode) && st.st_nlink > 1) {
        QFile current;
        QString readError;
        if (!RegularFile::openForReading(current, shown, &readError)) {
            if (error)
                *error = readError;
            return false;
        }
        const QByteArray old = current.readAll();
        if (current.error() != QFileDevice::NoError) {
            if (error)
                *error =
                    QStringLiteral("Cannot read file \"%1\". %2").arg(shown, current.errorString());
            return false;
        }
        current.close();
        const QString temporary = temporaryFor(target);
        const QString copy = besideFor(target, kOldCopySuffix);
        bool opened = false;
        int code = writeNewFile(temporary, old, -1, mode, &opened);
        if (code == 0 && std::rename(encoded(temporary).constData(), encoded(copy).constData()))
            code = errno;
        if (code != 0) {
            ::unlink(encoded(temporary).constData());
            return fail(opened ? "write" : "create", code);
        }
        if (fault == Fault::CrashBeforeRename)
            return false; // the process is gone: the copy stays for the next start
        const int fd = ::open(encoded(shown).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            code = errno;
            QFile::remove(copy);
            return fail("write", code);
        }
        code = overwrite(fd, data, stopAfter);
        // Put back as it was; should that fail too, the next start puts it back.
        const bool whole = code == 0 || overwrite(fd, old, -1) == 0;
        if (::close(fd) != 0 && code == 0)
            code = errno;
        if (whole)
            QFile::remove(copy);
        return code == 0 || fail("write", code);
    }

    const QString temporary = temporaryFor(target);
    bool opened = false;
    const int code = writeNewFile(temporary, data, stopAfter, mode, &opened);
    if (!opened)
        return fail("create", code);
    if (code != 0)
        return fail("write", code);
    if (fault == Fault::CrashBeforeRename)
        return false; // the process is gone: nobody is told, the file stays
    if (std::rename(encoded(temporary).constData(), encoded(shown).constData()) != 0) {
        const int renameCode = errno;
        QFile::remove(temporary);
        return fail("write", renameCode);
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
    if (g_ledger.isEmpty())
        return;
    // Something other than a file in its place is nobody's ledger: it goes,
    // so that writes can be noted again.
    if (RegularFile::existsAsNonRegular(g_ledger) ||
        (QFileInfo(g_ledger).isSymLink() && !QFileInfo(g_ledger).isFile()))
        QFile::remove(g_ledger);
    QFile ledger;
    if (!RegularFile::openForReading(ledger, g_ledger, nullptr, kLedgerLimit))
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
    QFile::remove(g_ledger);
    QFile rest(g_ledger);
    if (!kept.isEmpty() && rest.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        rest.write(kept);
}

void SafeFile::removeLeftovers(const QString& folder, int olderThanSeconds, bool nested)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-olderThanSeconds);
    QDirIterator it(folder,
                    {QStringLiteral(".*") + kLeftoverSuffix, QStringLiteral(".*") + kOldCopySuffix},
                    QDir::Files | QDir::Hidden | QDir::System,
                    nested ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    QStringList copies;
    while (it.hasNext()) {
        it.next();
        if (olderThanSeconds > 0 && it.fileInfo().lastModified() >= before)
            continue;
        if (it.fileName().endsWith(kOldCopySuffix))
            copies << it.filePath();
        else
            QFile::remove(it.filePath());
    }
    // An overwrite in place was cut short: the file may hold part of the new
    // text, so the old one comes back whole.
    for (const QString& copy : copies)
        putBack(copy);
}
