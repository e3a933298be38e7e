#include "core/SystemFileIO.h"

#include "core/FileIO.h"
#include "core/SystemFile.h"

namespace zelmora {

bool isReservedSystemName(const QString &name)
{
    return name.trimmed() == QLatin1String("vuoto.zlm");
}

std::optional<RuntimeError> saveSystemFile(const QString &path, const Sistema &sistema)
{
    try {
        writeWholeFile(path, encodeSistema(sistema));
    } catch (const RuntimeError &error) {
        return error;
    }
    return std::nullopt;
}

OpenedSystem openSystemFile(const QString &path)
{
    OpenedSystem opened;
    try {
        opened.sistema = decodeSistema(readWholeFile(path, kSystemFileSize));
    } catch (const RuntimeError &error) {
        opened.error = error;
    }
    return opened;
}

} // namespace zelmora
