#include "app/Taratura.h"

#include "core/FileIO.h"
#include "print/PrinterSet.h"

namespace zelmora {

QString calibrationPath(const QString &appPath)
{
    return appPath + QStringLiteral("printA.cfg");
}

Result<print::ScaleRecordRead> readProgramCalibration(print::PrinterSet &printers,
                                                      print::TaraturaAmbetto &record,
                                                      const QString &appPath)
{
    const QString path = calibrationPath(appPath);
    if (nothingAt(path)) {
        // Never calibrated yet: every length at zero, on the default printer.
        record = print::TaraturaAmbetto{};
        record.Stampante = printers.DefaultPrinterName();
        printers.SelectPrinter(record.Stampante);
        return print::ScaleRecordRead{};
    }
    Result<print::ScaleRecordRead> read = print::readCalibration(path, record);
    if (read)
        printers.SelectPrinter(record.Stampante);
    return read;
}

Result<void> saveProgramCalibration(const print::TaraturaAmbetto &record, const QString &appPath)
{
    return print::writeCalibration(calibrationPath(appPath), record);
}

} // namespace zelmora
