#include "core/SystemFileIO.h"

#include "core/FileIO.h"
#include "core/SystemFile.h"

namespace zelmora {

bool isReservedSystemName(const QString &name)
{
    return name.trimmed() == QLatin1String("vuoto.zlm");
}

Result<void> saveSystemFile(const QString &path, const Sistema &sistema)
{
    return writeWholeFile(path, encodeSistema(sistema));
}

Result<std::optional<Sistema>> openSystemFile(const QString &path)
{
    const Result<QByteArray> bytes = readWholeFile(path, kSystemFileSize);
    if (!bytes)
        return bytes.error();
    return decodeSistema(*bytes);
}

} // namespace zelmora
