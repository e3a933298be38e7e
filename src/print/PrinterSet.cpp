#include "print/PrinterSet.h"

#include "print/QtPrintDevice.h"

#include <QPageSize>
#include <QPrinterInfo>

namespace zelmora::print {

PrinterSource systemPrinterSource(std::function<QString()> pdfFolder)
{
    PrinterSource s;
    s.names = [] {
        QStringList names = QPrinterInfo::availablePrinterNames();
        names.append(QString::fromLatin1(kFilePdfName));
        return names;
    };
    s.create = [pdfFolder](const QString &name) -> std::unique_ptr<PrintDevice> {
        if (name == QLatin1String(kFilePdfName))
            return std::make_unique<PdfFileDevice>(pdfFolder);
        return std::make_unique<QueueDevice>(name);
    };
    s.defaultName = [] {
        const QString name = QPrinterInfo::defaultPrinterName();
        return name.isEmpty() ? QString::fromLatin1(kFilePdfName) : name;
    };
    return s;
}

PrinterSet::PrinterSet() : m_source(systemPrinterSource([this] { return m_pdfFolder; })) {}

PrinterSet::PrinterSet(PrinterSource source) : m_source(std::move(source)) {}

Printer &PrinterSet::CurrentPrinter()
{
    if (!m_started) {
        m_started = true;
        m_printer.setDevice(m_source.create(m_source.defaultName()));
    }
    return m_printer;
}

QStringList PrinterSet::Printers() const
{
    return m_source.names();
}

QString PrinterSet::DefaultPrinterName() const
{
    return m_source.defaultName();
}

bool PrinterSet::SelectPrinter(const QString &name)
{
    const QStringList names = Printers();
    for (const QString &candidate : names) {
        if (candidate == name) {
            if (CurrentPrinter().DeviceName() != name)
                m_printer.setDevice(m_source.create(candidate));
            return true;
        }
    }
    return false;
}

QSizeF PrinterSet::PrintableSizeOf(const QString &name)
{
    // A printer without a device has an empty name, which no listed printer has.
    if (!name.isEmpty() && CurrentPrinter().DeviceName() == name)
        return m_printer.device().printableSize();
    if (name == QLatin1String(kFilePdfName))
        return PdfFileDevice(m_pdfFolder).printableSize();
    if (QPrinterInfo::availablePrinterNames().contains(name))
        return QueueDevice(name).printableSize();
    return QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
}

} // namespace zelmora::print
