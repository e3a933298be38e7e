#pragma once

#include "core/Result.h"
#include "print/Printer.h"
#include "print/RecordingDevice.h"

#include <QPageLayout>
#include <functional>
#include <memory>

namespace zelmora::print {

// Pages drawn one at a time when they are shown: a long report keeps where each page starts,
// not the pages themselves.
class PageSource
{
public:
    virtual ~PageSource() = default;
    virtual int pageCount() const = 0;
    virtual QList<RecordedItem> page(int index) const = 0;
};

// The pages a print run would put on paper, kept for showing on screen.
struct Preview
{
    QString printerName;                      // the printer the pages are laid out for
    QPageLayout layout;                       // its paper and printable area, in millimetres
    int dpi = 1200;                           // the resolution they are laid out at
    QList<QList<RecordedItem>> pages;         // every page of every document, in order
    std::shared_ptr<const PageSource> source; // or, for a long report, its pages on demand

    int pageCount() const { return source ? source->pageCount() : int(pages.size()); }
    QList<RecordedItem> page(int index) const
    {
        if (source)
            return source->page(index);
        return index >= 0 && index < pages.size() ? pages[index] : QList<RecordedItem>();
    }
};

// Told the pages done and the pages in all while a document is printed; returning false
// stops the run, and the document is dropped.
using PrintProgress = std::function<bool(int done, int total)>;

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
