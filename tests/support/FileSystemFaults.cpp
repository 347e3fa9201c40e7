#include "FileSystemFaults.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <unistd.h>

SmallDisk::SmallDisk(const QString& folder, int kilobytes) : m_folder(folder)
{
    static bool ownNamespace = false;
    if (!ownNamespace) {
        // Mounts made from here on stay inside this process.
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            m_failure = QStringLiteral("no mount namespace: ") +
                        QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        ownNamespace = true;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0)
        m_failure = QStringLiteral("no tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
}

SmallDisk::~SmallDisk()
{
    if (m_failure.isEmpty())
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void SmallDisk::fill(qint64 spareBytes)
{
    const QByteArray path = QFile::encodeName(m_folder + QStringLiteral("/.filler"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const QByteArray page(4096, 'f');
    qint64 size = 0;
    for (ssize_t n; (n = ::write(fd, page.constData(), size_t(page.size()))) > 0;)
        size += n;
    const qint64 spare = (spareBytes + 4095) / 4096 * 4096;
    if (::ftruncate(fd, off_t(qMax<qint64>(0, size - spare))) != 0) {
        // The disk stays full: the test then meets a fuller disk than it asked for.
    }
    ::close(fd);
}

namespace {
const unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

bool capabilities(__user_cap_data_struct data[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
} // namespace

PermissionsBind::PermissionsBind()
{
    __user_cap_data_struct data[2] = {};
    if (!capabilities(data, false))
        return;
    m_effective = data[0].effective;
    data[0].effective &= ~kOverrides;
    m_changed = capabilities(data, true);
}

PermissionsBind::~PermissionsBind()
{
    __user_cap_data_struct data[2] = {};
    if (m_changed && capabilities(data, false)) {
        data[0].effective = m_effective;
        capabilities(data, true);
    }
}
