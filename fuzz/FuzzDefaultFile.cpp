// defaultfile.cnt of any bytes, read as the program reads it at start.
#include "FuzzInput.h"
#include "titles/TitleLibrary.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString dataFolder = folder.path() + QLatin1Char('/');
    QFile file(TitleLibrary::defaultFilePath(dataFolder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(bytesOf(data, size));
    file.close();
    const TitleLibrary::DefaultTitle d = TitleLibrary::readDefault(dataFolder);
    if (d.name.contains(QLatin1Char('\n')) || d.groupPath.contains(QLatin1Char('\n')))
        __builtin_trap();
    return 0;
}
