#pragma once

#include "print/Printer.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zelmora::print {

// Where printers come from: the system's queues and "File PDF", or a test's own list.
struct PrinterSource
{
    std::function<QStringList()> names;
    std::function<std::unique_ptr<PrintDevice>(const QString &)> create;
    std::function<QString()> defaultName;
};
// The system's print queues in their order, then "File PDF", which writes into the folder
// `pdfFolder` gives when a document starts.
PrinterSource systemPrinterSource(std::function<QString()> pdfFolder);

// The printers one running program prints on: the installed ones ("Printers"), the one every
// run draws on ("Printer"), and the folder "File PDF" writes into. The program owns one and
// hands it to the windows and runs that print.
class PrinterSet
{
public:
    // The system's printers.
    PrinterSet();
    // A list of one's own (tests).
    explicit PrinterSet(PrinterSource source);
    PrinterSet(const PrinterSet &) = delete;
    PrinterSet &operator=(const PrinterSet &) = delete;

    // The printer in use ("Printer"): at first the source's default, for the system the
    // default queue, else "File PDF".
    Printer &CurrentPrinter();
    // The installed printers ("Printers").
    QStringList Printers() const;
    // The printer a new installation prints on: the system's default queue, else "File PDF".
    QString DefaultPrinterName() const;
    // Makes the first printer whose DeviceName equals `name` exactly the current printer.
    // False, and nothing changes, when none matches.
    bool SelectPrinter(const QString &name);
    // The printable area, in millimetres, of the printer listed under `name`: the current
    // printer's when it is that one, a system queue's or the "File PDF" page otherwise; an A4
    // sheet for a name the system does not know. No document is started.
    QSizeF PrintableSizeOf(const QString &name);

    // The folder "File PDF" writes its documents into: stampe/ in the program folder, set once
    // at start. While it is not set, a document on "File PDF" fails as a printer that cannot
    // write.
    void setFilePdfFolder(const QString &folder) { m_pdfFolder = folder; }
    QString filePdfFolder() const { return m_pdfFolder; }

private:
    PrinterSource m_source;
    QString m_pdfFolder;
    Printer m_printer;
    bool m_started = false; // the current printer has its first device
};

} // namespace zelmora::print
