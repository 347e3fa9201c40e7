#include "UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace UserName {

QString fromGecos(const QString& gecos, const QString& login)
{
    QString name = gecos.section(QLatin1Char(','), 0, 0);
    if (name.contains(QLatin1Char('&'))) {
        QString capitalised = login;
        if (!capitalised.isEmpty())
            capitalised[0] = capitalised[0].toUpper();
        name.replace(QLatin1Char('&'), capitalised);
    }
    name = name.trimmed();
    return name.isEmpty() ? login : name;
}

QString fullName()
{
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (bufferSize <= 0)
        bufferSize = 16384;
    std::vector<char> buffer(static_cast<size_t>(bufferSize));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        const QString login = QString::fromLocal8Bit(found->pw_name);
        return fromGecos(QString::fromLocal8Bit(found->pw_gecos ? found->pw_gecos : ""), login);
    }
    // No entry for this account (a container with a bare uid): the login the
    // session was started with is the best there is.
    const QString login = qEnvironmentVariable("LOGNAME", qEnvironmentVariable("USER"));
    return login;
}

} // namespace UserName
