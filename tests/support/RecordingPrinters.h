#pragma once

#include "print/Printer.h"
#include "print/RecordingDevice.h"

#include <QMap>
#include <QStringList>

namespace zelmora::testing {

// Installs a list of printers that record what is drawn on them, the first being the
// default, and goes back to the system's printers when it goes out of scope.
class RecordingPrinters
{
public:
    explicit RecordingPrinters(QStringList names)
    {
        print::PrinterSource source;
        source.names = [names] { return names; };
        source.create = [this](const QString &name) {
            auto device = std::make_unique<print::RecordingDevice>(name);
            m_devices[name] = device.get();
            return device;
        };
        const QString first = names.value(0);
        source.defaultName = [first] { return first; };
        print::setPrinterSource(source);
    }
    ~RecordingPrinters() { print::setPrinterSource({}); }
    RecordingPrinters(const RecordingPrinters &) = delete;
    RecordingPrinters &operator=(const RecordingPrinters &) = delete;

    // The device of that printer as last made current, or nullptr when it never was.
    print::RecordingDevice *operator[](const QString &name) const { return m_devices.value(name); }
    bool contains(const QString &name) const { return m_devices.contains(name); }

private:
    QMap<QString, print::RecordingDevice *> m_devices;
};

} // namespace zelmora::testing
