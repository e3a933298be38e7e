#include "PdfReader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace zelmora::testing {

namespace {
constexpr double kMmPerPoint = 25.4 / 72.0;

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

int pdfPageCount(const QString &pdf)
{
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                   QRegularExpression::MultilineOption);
    const auto match = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QSizeF pdfPageSizeMm(const QString &pdf)
{
    const QRegularExpression size(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                  QRegularExpression::MultilineOption);
    const auto match = size.match(run(QStringLiteral("pdfinfo"), {pdf}));
    if (!match.hasMatch())
        return {};
    return QSizeF(match.captured(1).toDouble() * kMmPerPoint,
                  match.captured(2).toDouble() * kMmPerPoint);
}

QList<PdfWord> pdfWords(const QString &pdf)
{
    QList<PdfWord> words;
    QXmlStreamReader xml(
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            PdfWord w;
            w.page = page;
            const double x0 = a.value(QLatin1String("xMin")).toDouble();
            const double y0 = a.value(QLatin1String("yMin")).toDouble();
            const double x1 = a.value(QLatin1String("xMax")).toDouble();
            const double y1 = a.value(QLatin1String("yMax")).toDouble();
            w.mm = QRectF(QPointF(x0, y0) * kMmPerPoint, QPointF(x1, y1) * kMmPerPoint);
            w.text = xml.readElementText();
            words.append(w);
        }
    }
    return words;
}

QImage pdfPageImage(const QString &pdf, int page)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/page");
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

bool darkAt(const QImage &page, double xMm, double yMm)
{
    const QPoint p(int(xMm * 10), int(yMm * 10));
    if (!page.rect().contains(p))
        return false;
    return qGray(page.pixel(p)) < 96;
}

} // namespace zelmora::testing
