// The "File PDF" device, read back from outside the program with poppler's tools.

#include "PdfReader.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"
#include "print/QtPrintDevice.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zelmora;
using namespace zelmora::print;
using namespace zelmora::testing;

namespace {

class PdfDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        printer.setDevice(std::make_unique<PdfFileDevice>(filePdfFolder()));
        printer.setScaleMode(vbMillimeters);
    }

    QString filePdfFolder() const { return folder.path() + QStringLiteral("/stampe"); }

    QStringList printed() const
    {
        QDir dir(filePdfFolder());
        QStringList files = dir.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
        for (QString &f : files)
            f = dir.filePath(f);
        return files;
    }

    QTemporaryDir folder;
    Printer printer;
};

TEST_F(PdfDeviceTest, TextAndMarksLandWhereTheyWereAskedFor)
{
    printer.DocumentKind = QStringLiteral("prova");
    printer.FontName = QStringLiteral("Courier New");
    printer.FontSize = 12;
    printer.setCurrentX(30);
    printer.setCurrentY(40);
    printer.Print(QStringLiteral("Zelmora"));
    printer.FontName = QStringLiteral("Arial");
    printer.FontSize = 20;
    printer.setCurrentX(100.5);
    printer.setCurrentY(150.25);
    printer.PrintLine(QStringLiteral("Ambo"));
    printer.FillStyle = vbFSSolid;
    printer.Line(50, 60, 52, 62, Qt::black);
    printer.FillStyle = vbFSTransparent;
    printer.Line(120, 200, 140, 210, Qt::black);
    printer.NewPage();
    printer.setCurrentX(10);
    printer.setCurrentY(10);
    printer.Print(QStringLiteral("Seconda"));
    printer.NewPage();
    printer.EndDoc();

    const QStringList files = printed();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].endsWith(QStringLiteral("_prova.pdf"))) << files[0].toStdString();
    EXPECT_EQ(pdfPageCount(files[0]), 2);
    const QSizeF size = pdfPageSizeMm(files[0]);
    EXPECT_NEAR(size.width(), 210, 0.5);
    EXPECT_NEAR(size.height(), 297, 0.5);

    const QList<PdfWord> words = pdfWords(files[0]);
    const auto find = [&](const char *text) {
        for (const PdfWord &w : words)
            if (w.text == QLatin1String(text))
                return w;
        return PdfWord{};
    };
    const PdfWord zelmora = find("Zelmora");
    EXPECT_EQ(zelmora.page, 1);
    EXPECT_NEAR(zelmora.mm.left(), 30, 0.3);
    EXPECT_NEAR(zelmora.mm.top(), 40, 0.3);
    const PdfWord ambo = find("Ambo");
    EXPECT_NEAR(ambo.mm.left(), 100.5, 0.3);
    EXPECT_NEAR(ambo.mm.top(), 150.25, 0.3);
    EXPECT_EQ(find("Seconda").page, 2);

    const QImage page = pdfPageImage(files[0], 1);
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(darkAt(page, 51, 61)); // inside the filled 2 mm mark
    EXPECT_TRUE(darkAt(page, 50.1, 60.1));
    EXPECT_TRUE(darkAt(page, 51.9, 61.9));
    EXPECT_FALSE(darkAt(page, 49.6, 61)); // just outside it
    EXPECT_FALSE(darkAt(page, 52.4, 61));
    EXPECT_FALSE(darkAt(page, 51, 62.4));
    EXPECT_FALSE(darkAt(page, 130, 205)); // the outlined box is empty inside
    EXPECT_TRUE(darkAt(page, 130, 200.02) || darkAt(page, 130, 200.1));
}

TEST_F(PdfDeviceTest, EveryDocumentIsANewFileAndADroppedOneLeavesNone)
{
    // Hidden files of runs stopped short: one written two hours ago has been abandoned and
    // goes, one written a minute ago may still be in use and stays.
    ASSERT_TRUE(QDir().mkpath(filePdfFolder()));
    const QString abandoned = filePdfFolder() + QStringLiteral("/.stampa-aB3dE5");
    const QString recent = filePdfFolder() + QStringLiteral("/.stampa-Zz9yX8");
    for (const QString &partial : {abandoned, recent}) {
        QFile file(partial);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("%PDF-1.4\n") > 0 && file.flush());
        const int minutes = partial == abandoned ? 120 : 1;
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutes),
                                     QFileDevice::FileModificationTime));
    }
    QStringList named;
    for (int i = 0; i < 3; ++i) {
        printer.Print(QStringLiteral("copia"));
        printer.EndDoc();
        named << printer.lastDocumentPath();
    }
    printer.Print(QStringLiteral("interrotto"));
    printer.KillDoc();
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty());
    const QStringList files = printed();
    ASSERT_EQ(files.size(), 3);
    named.sort();
    EXPECT_EQ(named, files);
    for (const QString &f : files)
        EXPECT_EQ(pdfPageCount(f), 1) << f.toStdString();
    EXPECT_FALSE(QFile::exists(abandoned));
    EXPECT_TRUE(QFile::remove(recent));
    // Nothing else is left in the folder, hidden or not.
    EXPECT_EQ(QDir(filePdfFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

TEST_F(PdfDeviceTest, ADiskThatFillsUpGivesThePrinterErrorAndNoFile)
{
    QImage picture(600, 600, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    // A document of several hundred kilobytes against files that may grow to 20, 60 and 100
    // KB: the write fails half-way at each size, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    for (rlim_t room : {20000, 60000, 100000}) {
        limit.rlim_cur = room;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        printer.Print(QStringLiteral("tabulato"));
        printer.PaintPicture(picture, 10, 10, 150, 150);
        printer.EndDoc();
        setrlimit(RLIMIT_FSIZE, &saved);
        ASSERT_FALSE(printer.status()) << room;
        EXPECT_EQ(printer.status().error().number(), 482) << room;
        EXPECT_TRUE(printer.lastDocumentPath().isEmpty()) << room;
        EXPECT_TRUE(
            QDir(filePdfFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty())
            << room;
    }
    // With room again the same document arrives whole.
    printer.Print(QStringLiteral("tabulato"));
    printer.PaintPicture(picture, 10, 10, 150, 150);
    printer.EndDoc();
    ASSERT_EQ(printed().size(), 1);
    EXPECT_EQ(printer.lastDocumentPath(), printed().constFirst());
    EXPECT_TRUE(isCompletePdf(printed().constFirst()));
    EXPECT_EQ(pdfPageCount(printed().constFirst()), 1);
}

TEST_F(PdfDeviceTest, FileNamesNeverOverwrite)
{
    QTemporaryDir dir;
    const QDateTime when(QDate(2026, 12, 8), QTime(10, 30, 5));
    const QString first = newPdfFileName(dir.path(), QStringLiteral("tabulato"), when);
    EXPECT_TRUE(first.endsWith(QStringLiteral("/2026-12-08_10-30-05_tabulato.pdf")));
    QFile(first).open(QIODevice::WriteOnly);
    const QString second = newPdfFileName(dir.path(), QStringLiteral("tabulato"), when);
    EXPECT_TRUE(second.endsWith(QStringLiteral("/2026-12-08_10-30-05_tabulato_2.pdf")));
}

TEST_F(PdfDeviceTest, AFolderThatCannotBeWrittenIsAPrinterError)
{
    // stampe/ cannot be made where a file of that name stands.
    QFile blocker(filePdfFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    printer.Print(QStringLiteral("x"));
    ASSERT_FALSE(printer.status());
    EXPECT_EQ(printer.status().error().number(), 482);
}

} // namespace
