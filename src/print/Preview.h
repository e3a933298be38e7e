#pragma once

#include "core/Result.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"

#include <QPageLayout>
#include <functional>
#include <memory>

namespace zelmora::print {

// The pages a print run would put on paper, kept for showing on screen.
struct Preview
{
    QString printerName;              // the printer the pages are laid out for
    QPageLayout layout;               // its paper and printable area, in millimetres
    int dpi = 1200;                   // the resolution they are laid out at
    QList<QList<RecordedItem>> pages; // every page of every document, in order
};

// Stands in for a printer's device during a preview: keeps the drawings instead of printing
// them, and measures text and the printable area as that printer would, so the pages are laid
// out exactly as they will be printed.
class PreviewDevice : public RecordingDevice
{
public:
    explicit PreviewDevice(std::unique_ptr<PrintDevice> target);

    void beginDocument(const DocumentOptions &options) override;
    QPageLayout pageLayout() const override { return m_layout; }

    // The pages of the documents handed over; abandoned ones are left out.
    Preview preview() const;
    // Gives back the device stood in for.
    std::unique_ptr<PrintDevice> takeTarget() { return std::move(m_target); }

private:
    std::unique_ptr<PrintDevice> m_target;
    QPageLayout m_layout;
};

// Runs `print` on the printer with its device replaced by a preview of it, then gives the
// printer its own device back, also when `print` fails: the result is then its error.
// Nothing reaches the printer.
Result<Preview> previewRun(Printer &printer, const std::function<void(Printer &)> &print);

} // namespace zelmora::print
