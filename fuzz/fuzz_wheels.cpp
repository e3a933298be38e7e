// Feeds arbitrary bytes to the wheels file reader. Beyond running cleanly it must never keep
// more than kMaxRuote names, the size of the wheel list every window relies on.
#include "core/Sistema.h"
#include "core/WheelsFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList names = zelmora::parseRuote(bytes);
    if (names.size() > zelmora::kMaxRuote) {
        std::fprintf(stderr, "%lld wheel names kept\n", static_cast<long long>(names.size()));
        std::abort();
    }
    return 0;
}
