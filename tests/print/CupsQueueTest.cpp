// Prints through a real CUPS queue whose backend writes PDF files (cups-pdf), then reads the
// file that arrives. The queue comes from the set-up script; without it the test fails.

#include "PdfReader.h"
#include "print/Printer.h"
#include "print/PrinterSet.h"
#include "print/QtPrintDevice.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>
#include <gtest/gtest.h>

using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

QString queueName()
{
    const QString name = qEnvironmentVariable("ZELMORA_CUPS_QUEUE");
    return name.isEmpty() ? QStringLiteral("ZelmoraTestPDF") : name;
}

QFileInfoList pdfsIn(const QString &folder)
{
    return QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
}

TEST(CupsQueueTest, APagePrintedOnTheQueueArrivesWithItsTextAndMarks)
{
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queueName()))
        << "the CUPS queue " << queueName().toStdString()
        << " is not there: the set-up could not start CUPS";
    // The queue is one of the printers, listed before "File PDF".
    const QStringList names = PrinterSet().Printers();
    ASSERT_TRUE(names.contains(queueName()));
    EXPECT_EQ(names.last(), QStringLiteral("File PDF"));

    const QString outFolder = QDir::homePath() + QStringLiteral("/PDF");
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

    Printer printer;
    printer.setDevice(std::make_unique<QueueDevice>(queueName()));
    printer.setScaleMode(vbMillimeters);
    printer.DocumentKind = QStringLiteral("coda");
    printer.FontName = QStringLiteral("Courier New");
    printer.FontSize = 14;
    printer.setCurrentX(40);
    printer.setCurrentY(50);
    printer.Print(QStringLiteral("Zelmoravintesca"));
    printer.FillStyle = vbFSSolid;
    const QPointF marks[] = {{60, 80}, {20, 20}, {150, 250}, {101.5, 133.25}};
    for (const QPointF &m : marks)
        printer.Line(m.x(), m.y(), m.x() + 2, m.y() + 2, Qt::black);
    printer.NewPage();
    printer.EndDoc();

    // cups-pdf writes the file a moment after the job is queued.
    QString arrived;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60000 && arrived.isEmpty()) {
        for (const QFileInfo &f : pdfsIn(outFolder))
            if (f.lastModified() >= started && f.size() > 0)
                arrived = f.absoluteFilePath();
        if (arrived.isEmpty())
            QThread::msleep(250);
    }
    ASSERT_FALSE(arrived.isEmpty()) << "no PDF arrived in " << outFolder.toStdString();
    QThread::msleep(500); // let the backend finish writing

    EXPECT_EQ(pdfPageCount(arrived), 1);
    // Positions count from the printable area: the paper less the margins the queue's driver
    // says the printer cannot reach (none for cups-pdf), not Qt's own default margins.
    QPrinter queue(QPrinter::HighResolution);
    queue.setPrinterName(queueName());
    QPageLayout layout = queue.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QPointF origin(layout.minimumMargins().left(), layout.minimumMargins().top());

    // The marks sit exactly where they were asked for, measured from the printable area.
    const QImage page = pdfPageImage(arrived, 1);
    ASSERT_FALSE(page.isNull());
    for (const QPointF &m : marks) {
        const QPointF at = origin + m;
        EXPECT_TRUE(darkAt(page, at.x() + 0.3, at.y() + 0.3)) << m.x() << "," << m.y();
        EXPECT_TRUE(darkAt(page, at.x() + 1.7, at.y() + 1.7)) << m.x() << "," << m.y();
        EXPECT_FALSE(darkAt(page, at.x() - 0.4, at.y() + 1)) << m.x() << "," << m.y();
        EXPECT_FALSE(darkAt(page, at.x() + 2.4, at.y() + 1)) << m.x() << "," << m.y();
        EXPECT_FALSE(darkAt(page, at.x() + 1, at.y() + 2.4)) << m.x() << "," << m.y();
    }
    // The queue's filters turn the text into a Type 3 font whose glyphs pdftotext can neither
    // name nor measure exactly: the one word printed is found near its place.
    const QList<PdfWord> words = pdfWords(arrived);
    ASSERT_EQ(words.size(), 1);
    EXPECT_NEAR(words[0].mm.left(), origin.x() + 40, 4.0);
    EXPECT_NEAR(words[0].mm.top(), origin.y() + 50, 4.0);
    if (!::testing::Test::HasFailure())
        QFile::remove(arrived);
}

} // namespace
