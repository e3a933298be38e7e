// Feeds arbitrary bytes to the system file reader. A file it accepts must survive a save
// unchanged: encoding the decoded record gives back the first 106 bytes, so opening and
// saving a system never alters it. The system it accepts is then printed: the slip run with
// its prognosis sheet and the test page, on the recording device.
#include "FuzzFailure.h"
#include "PrintUse.h"
#include "core/SystemFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    zelmora::fuzzing::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<zelmora::Sistema> sistema = zelmora::decodeSistema(bytes);
    if (!sistema)
        return 0;
    const QByteArray again = zelmora::encodeSistema(*sistema);
    if (again != bytes.left(zelmora::kSystemFileSize)) {
        fuzzFailure("decoded system does not encode back to its bytes");
    }
    zelmora::fuzzing::printEverything(*sistema, zelmora::fuzzing::sampleCalibration());
    return 0;
}
