#include "print/QtPrintDevice.h"

#include "core/RuntimeError.h"
#include "print/Printer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace zelmora::print {

bool PainterDevice::startPainting(QPrinter &printer)
{
    m_printer = &printer;
    printer.setFullPage(false);
    if (m_painter.begin(&printer))
        return true;
    fail();
    return false;
}

double PainterDevice::pixelsPerMm() const
{
    return m_printer ? m_printer->resolution() / 25.4 : 1200 / 25.4;
}

QFont PainterDevice::deviceFont(const QFont &font) const
{
    return font; // sizes are in points: the painter maps them to the device's resolution
}

void PainterDevice::beginPage()
{
    if (!failed() && (!m_printer || !m_printer->newPage()))
        fail();
}

void PainterDevice::drawText(const QPointF &topLeft, const QString &text, const TextStyle &style)
{
    if (failed())
        return;
    if (!m_painter.isActive()) {
        fail();
        return;
    }
    const double k = pixelsPerMm();
    const QFont font = deviceFont(style.font);
    m_painter.setFont(font);
    const QFontMetricsF metrics(font, m_printer);
    const QPointF origin(topLeft.x() * k, topLeft.y() * k);
    if (!style.transparent)
        m_painter.fillRect(
            QRectF(origin, QSizeF(metrics.horizontalAdvance(text), metrics.height())), Qt::white);
    m_painter.setPen(style.color);
    m_painter.drawText(origin + QPointF(0, metrics.ascent()), text);
}

void PainterDevice::drawBox(const QRectF &box, const BoxStyle &style)
{
    if (failed())
        return;
    if (!m_painter.isActive()) {
        fail();
        return;
    }
    const double k = pixelsPerMm();
    const QRectF r(box.x() * k, box.y() * k, box.width() * k, box.height() * k);
    if (style.fillStyle == vbFSSolid)
        m_painter.fillRect(r, style.fillColor);
    QPen pen(style.lineColor);
    pen.setWidthF(std::max(1, style.drawWidth));
    pen.setStyle(style.drawStyle == 0 ? Qt::SolidLine : Qt::DashLine);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(r);
}

void PainterDevice::drawPicture(const QImage &picture, const QRectF &target)
{
    if (failed())
        return;
    if (!m_painter.isActive()) {
        fail();
        return;
    }
    const double k = pixelsPerMm();
    m_painter.drawImage(
        QRectF(target.x() * k, target.y() * k, target.width() * k, target.height() * k), picture);
}

void PainterDevice::endDocument()
{
    // A document that met a failure is dropped, not handed over.
    if (failed()) {
        abortDocument();
        return;
    }
    const bool painted = m_painter.end();
    if (!finished(painted))
        fail();
}

void PainterDevice::abortDocument()
{
    if (m_printer)
        m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
    finished(false);
}

QSizeF PainterDevice::textSize(const QString &text, const QFont &font)
{
    const double k = pixelsPerMm();
    const QFontMetricsF metrics = m_printer ? QFontMetricsF(font, m_printer) : QFontMetricsF(font);
    return QSizeF(metrics.horizontalAdvance(text) / k, metrics.height() / k);
}

double PainterDevice::ascent(const QFont &font)
{
    const QFontMetricsF metrics = m_printer ? QFontMetricsF(font, m_printer) : QFontMetricsF(font);
    return metrics.ascent() / pixelsPerMm();
}

QSizeF PainterDevice::printableSize() const
{
    if (!m_printer)
        return QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).size();
}

// --- A system print queue -----------------------------------------------------------------

QueueDevice::QueueDevice(QString queueName)
    : m_name(std::move(queueName)),
      m_ownPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_ownPrinter->setPrinterName(m_name);
    m_printer = m_ownPrinter.get();
}

QPageLayout QueueDevice::pageLayout() const
{
    // Qt starts a queue with margins of its own (10 points); the printable area is what the
    // printer itself can reach, so calibrated positions count from the paper's true limits.
    QPageLayout layout = m_ownPrinter->pageLayout();
    layout.setMargins(layout.minimumMargins());
    layout.setUnits(QPageLayout::Millimeter);
    return layout;
}

int QueueDevice::resolutionFor(const DocumentOptions &options) const
{
    return options.printQuality == vbPRPQDraft ? 300 : 600;
}

void QueueDevice::beginDocument(const DocumentOptions &options)
{
    // A fresh QPrinter per document: settings of an earlier job never leak into this one.
    clearStatus();
    m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_ownPrinter->setPrinterName(m_name);
    if (!m_ownPrinter->isValid()) {
        fail();
        return;
    }
    m_ownPrinter->setDocName(QStringLiteral("Zelmoravintesca - ") + options.kind);
    m_ownPrinter->setCreator(QStringLiteral("Zelmoravintesca"));
    m_ownPrinter->setColorMode(options.colorMode == vbPRCMColor ? QPrinter::Color
                                                                : QPrinter::GrayScale);
    m_ownPrinter->setResolution(resolutionFor(options));
    if (!m_ownPrinter->setPageLayout(pageLayout())) {
        fail();
        return;
    }
    startPainting(*m_ownPrinter);
}

// --- File PDF --------------------------------------------------------------------------------

PdfFileDevice::PdfFileDevice(const QString &folder) : m_folderNow([folder] { return folder; }) {}

PdfFileDevice::PdfFileDevice(std::function<QString()> folder) : m_folderNow(std::move(folder)) {}

QString PdfFileDevice::DeviceName() const
{
    return QString::fromLatin1(kFilePdfName);
}

QString newPdfFileName(const QString &folder, const QString &kind, const QDateTime &when)
{
    const QString base =
        folder + u'/' + when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + u'_' + kind;
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; QFile::exists(name); ++n)
        name = base + QStringLiteral("_%1.pdf").arg(n);
    return name;
}

namespace {

// A hidden file a document was being written to when the program was stopped short (killed,
// or the machine went down) stays in the folder. An hour after it was last written no run is
// still writing it: it goes before the next document starts.
void removeAbandonedPartials(const QString &folder)
{
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    const QFileInfoList partials = QDir(folder).entryInfoList(
        {QStringLiteral(".stampa-??????")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &partial : partials)
        if (partial.lastModified() < hourAgo)
            QFile::remove(partial.filePath());
}

} // namespace

void PdfFileDevice::beginDocument(const DocumentOptions &options)
{
    clearStatus();
    m_file.clear();
    m_folder = m_folderNow();
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder)) {
        fail();
        return;
    }
    removeAbandonedPartials(m_folder);
    m_kind = options.kind;
    m_started = QDateTime::currentDateTime();
    // A hidden name of its own, made by the system so that no two documents share it.
    QByteArray partial = QFile::encodeName(m_folder + QStringLiteral("/.stampa-XXXXXX"));
    const int fd = ::mkostemp(partial.data(), O_CLOEXEC);
    if (fd < 0) {
        fail();
        return;
    }
    ::close(fd);
    m_partial = QFile::decodeName(partial);
    m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_ownPrinter->setOutputFormat(QPrinter::PdfFormat);
    m_ownPrinter->setOutputFileName(m_partial);
    m_ownPrinter->setResolution(resolutionFor(options));
    m_ownPrinter->setPageLayout(pageLayout());
    m_ownPrinter->setDocName(QStringLiteral("Zelmoravintesca - ") + options.kind);
    m_ownPrinter->setCreator(QStringLiteral("Zelmoravintesca"));
    m_ownPrinter->setColorMode(options.colorMode == vbPRCMColor ? QPrinter::Color
                                                                : QPrinter::GrayScale);
    if (!startPainting(*m_ownPrinter))
        QFile::remove(std::exchange(m_partial, QString()));
}

namespace {

// Asks the system to put every byte of the file on the disk: a write the disk could not take
// after all shows here.
bool syncedToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// Gives the finished file its name, never replacing a file that has it already: false when
// the name is taken (another document took it meanwhile) or the move failed.
bool moveWithoutReplacing(const QString &from, const QString &to, bool &taken)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    taken = false;
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno == EEXIST) {
        taken = true;
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that kind of rename: a second link is made only under a free
    // name, then the hidden one goes.
    if (::link(source.constData(), target.constData()) != 0) {
        taken = errno == EEXIST;
        return false;
    }
    ::unlink(source.constData());
    return true;
}

} // namespace

bool isCompletePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    constexpr qint64 kTail = 64;
    if (size < kTail || !file.seek(size - kTail))
        return false;
    QByteArray tail = file.read(kTail);
    while (tail.endsWith('\n') || tail.endsWith('\r'))
        tail.chop(1);
    if (!tail.endsWith("%%EOF"))
        return false;
    const qsizetype at = tail.lastIndexOf("startxref");
    if (at < 0)
        return false;
    bool ok = false;
    const qint64 xref = tail.mid(at + 9, tail.size() - 5 - at - 9).trimmed().toLongLong(&ok);
    if (!ok || xref <= 0 || xref >= size - kTail + at || !file.seek(xref))
        return false;
    return file.read(4) == "xref";
}

bool PdfFileDevice::finished(bool handedOver)
{
    if (m_partial.isEmpty())
        return handedOver;
    const QString partial = std::exchange(m_partial, QString());
    // Only a document painted whole, complete on the disk, takes its name; anything else
    // leaves no file behind.
    if (handedOver && isCompletePdf(partial) && syncedToDisk(partial)) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QString name = newPdfFileName(m_folder, m_kind, m_started);
            bool taken = false;
            if (moveWithoutReplacing(partial, name, taken)) {
                m_file = name;
                return true;
            }
            if (!taken)
                break;
        }
    }
    QFile::remove(partial);
    return false;
}

} // namespace zelmora::print
