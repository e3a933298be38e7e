// Feeds arbitrary bytes to the calibration file reader through a file on disk. Bad files
// raise RuntimeError, which is expected. A file it reads in full must read back the same after
// the program saves it again, or a save would change the printer set-up. Whatever was read,
// in full or up to a fault, is then used as the print-slips window uses it: the slip run with
// its prognosis sheet and the test page, on the recording device.
#include "FuzzFailure.h"
#include "PrintUse.h"
#include "core/RuntimeError.h"
#include "print/CalibrationFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QTemporaryDir *g_dir = nullptr;

// A new file every time: rewriting one in place makes ext4 flush it to disk on close, which
// slows the run down several times over.
void writeBytes(const QString &path, const char *data, qsizetype size)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

// Field by field, the floats compared as bits: a NaN read from the file is a value to keep.
bool sameRecord(const zelmora::print::TaraturaAmbetto &a, const zelmora::print::TaraturaAmbetto &b)
{
    const float fa[] = {a.DXnumeri, a.DYnumeri,  a.Top,       a.Left,   a.Intestazione, a.Ximporti,
                        a.Yimporti, a.DXimporti, a.DYimporti, a.ScalaX, a.ScalaY};
    const float fb[] = {b.DXnumeri, b.DYnumeri,  b.Top,       b.Left,   b.Intestazione, b.Ximporti,
                        b.Yimporti, b.DXimporti, b.DYimporti, b.ScalaX, b.ScalaY};
    return std::memcmp(fa, fb, sizeof fa) == 0 && a.Qualita == b.Qualita &&
           a.Stampante == b.Stampante;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    zelmora::fuzzing::startApplication();
    g_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/zelmora-fuzz-XXXXXX"));
    if (!g_dir->isValid()) {
        fuzzFailure("no temporary folder");
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using zelmora::print::TaraturaAmbetto;
    const QString path = g_dir->filePath(QStringLiteral("printA.cfg"));
    writeBytes(path, reinterpret_cast<const char *>(data), qsizetype(size));

    TaraturaAmbetto record;
    // The values read before a fault are printed with too.
    const bool read = bool(zelmora::print::readCalibration(path, record));
    zelmora::fuzzing::printEverything(zelmora::fuzzing::sampleSystem(), record);
    if (!read)
        return 0;

    const QString copy = g_dir->filePath(QStringLiteral("copy.cfg"));
    QFile::remove(copy);
    TaraturaAmbetto again;
    zelmora::Result<void> roundTrip = zelmora::print::writeCalibration(copy, record);
    if (roundTrip) {
        if (auto back = zelmora::print::readCalibration(copy, again); !back)
            roundTrip = back.error();
    }
    if (!roundTrip) {
        std::fprintf(stderr, "a calibration just read does not save and read back: error %d\n",
                     roundTrip.error().number());
        std::abort();
    }
    if (!sameRecord(record, again)) {
        fuzzFailure("a saved calibration reads back different");
    }
    return 0;
}
