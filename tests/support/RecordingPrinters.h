#pragma once

#include "print/PrinterSet.h"
#include "print/RecordingDevice.h"

#include <QMap>
#include <QStringList>

namespace zelmora::testing {

// A list of printers that record what is drawn on them, the first being the default, for a
// test's own program (or printer set) to print on.
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
        m_source = source;
    }
    RecordingPrinters(const RecordingPrinters &) = delete;
    RecordingPrinters &operator=(const RecordingPrinters &) = delete;

    // The device of that printer as last made current, or nullptr when it never was.
    print::RecordingDevice *operator[](const QString &name) const { return m_devices.value(name); }
    bool contains(const QString &name) const { return m_devices.contains(name); }
    // Where a program or printer set built on these printers takes them from.
    const print::PrinterSource &source() const { return m_source; }

private:
    print::PrinterSource m_source;
    QMap<QString, print::RecordingDevice *> m_devices;
};

} // namespace zelmora::testing
