#include "print/Preview.h"

namespace zelmora::print {

PreviewDevice::PreviewDevice(std::unique_ptr<PrintDevice> target)
    : RecordingDevice(target ? target->DeviceName() : QString()), m_target(std::move(target))
{
    m_layout = m_target ? m_target->pageLayout() : PrintDevice::pageLayout();
    m_layout.setUnits(QPageLayout::Millimeter);
    pageSize = m_layout.paintRect(QPageLayout::Millimeter).size();
}

void PreviewDevice::beginDocument(const DocumentOptions &options)
{
    if (m_target)
        measuringDpi = m_target->resolutionFor(options);
    RecordingDevice::beginDocument(options);
}

Preview PreviewDevice::preview() const
{
    Preview result;
    result.printerName = DeviceName();
    result.layout = m_layout;
    result.dpi = measuringDpi;
    for (const RecordedDocument &document : documents)
        if (document.ended && !document.aborted)
            result.pages += document.pages;
    return result;
}

Result<Preview> previewRun(Printer &printer, const std::function<void(Printer &)> &print)
{
    auto device = std::make_unique<PreviewDevice>(printer.takeDevice());
    PreviewDevice *preview = device.get();
    printer.setDevice(std::move(device));

    // The printer gets its own device back however the run ends.
    struct GiveBack
    {
        Printer &printer;
        PreviewDevice *preview;
        ~GiveBack()
        {
            auto target = preview->takeTarget();
            printer.setDevice(std::move(target));
        }
    } giveBack{printer, preview};

    print(printer);
    if (const Result<void> status = printer.status(); !status) {
        printer.KillDoc();
        return status.error();
    }
    return preview->preview();
}

} // namespace zelmora::print
