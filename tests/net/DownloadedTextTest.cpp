// What a download holds, told by its content: a ZIP made here with libarchive's writer is
// unpacked in memory, its storico.txt or its only .txt taken; anything else is the text itself.

#include "net/DownloadedText.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveText.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "support/ZipMaker.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zelmora;
using namespace zelmora::testing;

namespace {

TEST(DownloadedTextTest, TheZipsEntryIsChosenByItsNameOrRefusedNamingWhatItHolds)
{
    const struct
    {
        const char *name;
        QList<ZipEntry> entries;
        const char *taken; // the entry whose text is taken, or nullptr when refused
        const char *why;   // part of the refusal
    } cases[] = {
        {"storico.txt among others",
         {{"leggimi.txt", "L"}, {"storico.txt", "S"}, {"dati.csv", "C"}},
         "storico.txt",
         ""},
        {"in a folder, in capitals",
         {{"LOTTO/", {}, true, 0, true}, {"LOTTO/STORICO.TXT", "S"}},
         "STORICO.TXT",
         ""},
        {"stored, not deflated", {{"storico.txt", "S", false}}, "storico.txt", ""},
        {"the only .txt",
         {{"estrazioni-2024.txt", "S"}, {"nota.pdf", "P"}},
         "estrazioni-2024.txt",
         ""},
        {"two texts, neither storico.txt",
         {{"a.txt", "A"}, {"b.txt", "B"}},
         nullptr,
         "non contiene storico.txt né un solo file .txt: contiene a.txt, b.txt"},
        {"no text", {{"storico.csv", "C"}}, nullptr, "contiene storico.csv"},
        {"a folder named as the text", {{"storico.txt/", {}, true, 0, true}}, nullptr, "è vuoto"},
        {"two storico.txt",
         {{"a/storico.txt", "A"}, {"b/storico.txt", "B"}},
         nullptr,
         "più di un storico.txt"},
        {"nothing at all", {}, nullptr, "è vuoto"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray zip = makeZip(c.entries);
        ASSERT_TRUE(looksLikeZip(zip));
        const Result<DownloadedText> got = downloadedText(zip, QStringLiteral("x"), 1024);
        ASSERT_EQ(got.ok(), c.taken != nullptr)
            << (got ? QString() : got.error().description()).toStdString();
        if (!got) {
            EXPECT_EQ(got.error().number(), RuntimeError::BadFileNameOrNumber);
            EXPECT_TRUE(got.error().description().contains(QString::fromUtf8(c.why)))
                << got.error().description().toStdString();
            continue;
        }
        EXPECT_EQ(got->name, QString::fromLatin1(c.taken));
        EXPECT_TRUE(got->fromZip);
        EXPECT_EQ(got->text, QByteArray("S"));
    }
}

TEST(DownloadedTextTest, ZipsOfAnotherWriterAreReadAlike)
{
    // The fuzzing seeds, made by fuzz/make_zip_seeds.py with Python's zipfile: deflated and
    // stored entries, sizes written after the data, ZIP64 records. (How an entry is chosen is
    // the table above.)
    const QString folder = QStringLiteral(ZELMORA_TEST_SOURCE_DIR "/fuzz/corpus/zip/");
    QByteArray first;
    for (const char *file : {"storico.zip", "memorizzato.zip", "a_flusso.zip", "zip64.zip"}) {
        SCOPED_TRACE(file);
        const Result<QByteArray> zip = readWholeFile(folder + QLatin1String(file), 1 << 20);
        ASSERT_TRUE(zip);
        const Result<DownloadedText> got = downloadedText(*zip, {}, kMaxArchiveBytes);
        ASSERT_TRUE(got) << got.error().description().toStdString();
        EXPECT_EQ(got->name, QStringLiteral("storico.txt"));
        if (first.isEmpty())
            first = got->text;
        EXPECT_EQ(got->text, first);
    }
    const ArchiveReading reading = parseArchiveText(first);
    EXPECT_EQ(reading.draws.size(), 77); // seven days of eleven wheels
    EXPECT_EQ(reading.skippedCount, 0);
}

TEST(DownloadedTextTest, AnythingButAZipIsTheTextItself)
{
    for (const QByteArray &bytes :
         {QByteArray("2024/01/02\tBA\t1\t2\t3\t4\t5\n"), QByteArray("PK but not a zip"),
          QByteArray("\x00\x01", 2), QByteArray()}) {
        const Result<DownloadedText> got = downloadedText(bytes, QStringLiteral("a.txt"), 1024);
        ASSERT_TRUE(got);
        EXPECT_EQ(got->text, bytes);
        EXPECT_EQ(got->name, QStringLiteral("a.txt"));
        EXPECT_FALSE(got->fromZip);
    }
}

TEST(DownloadedTextTest, ADamagedZipIsRefused)
{
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text += QByteArray::number(i * 7919 % 10007) + '\n';
    const QByteArray zip = makeZip({{"storico.txt", text}});
    QByteArray flipped = zip;
    flipped[zip.size() / 2] = char(flipped[zip.size() / 2] ^ 0x55); // inside the deflated data
    for (const QByteArray &bad : {zip.left(zip.size() / 2), flipped, zip.left(30)}) {
        const Result<DownloadedText> got = downloadedText(bad, {}, 1 << 20);
        ASSERT_FALSE(got);
        EXPECT_EQ(got.error().number(), RuntimeError::BadFileNameOrNumber);
        EXPECT_TRUE(got.error().description().contains(QStringLiteral("ZIP")));
    }
}

TEST(DownloadedTextTest, AnEntryPastTheLimitIsRefusedAsItUnpacksInBoundedMemory)
{
    for (const bool deflated : {true, false}) {
        const QByteArray exact = makeZip({{"storico.txt", {}, deflated, 100000}});
        EXPECT_EQ(downloadedText(exact, {}, 100000)->text.size(), 100000);
        const Result<DownloadedText> over =
            downloadedText(makeZip({{"storico.txt", {}, deflated, 100001}}), {}, 100000);
        ASSERT_FALSE(over);
        EXPECT_EQ(over.error().number(), RuntimeError::OutOfMemory);
    }

    // A quarter of a megabyte that inflates to 256 MiB is given up at the archive's 64 MiB.
    const QByteArray bomb =
        makeZip({{"storico.txt", "2024/01/02 BA 1 2 3 4 5\n", true, 256 << 20}});
    ASSERT_LT(bomb.size(), 1 << 20);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer timer;
    timer.start();
    const Result<DownloadedText> got = downloadedText(bomb, {}, kMaxArchiveBytes);
    EXPECT_LT(timer.elapsed(), 5000);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    ASSERT_FALSE(got);
    EXPECT_TRUE(got.error().description().contains(QStringLiteral("supera i 64 MiB")));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 100 * 1024) << "KiB more at the peak";
}

TEST(DownloadedTextTest, UnpackingIsAskedEverySixtyFourKibAndStopsAtOnce)
{
    const QByteArray zip = makeZip({{"storico.txt", {}, true, 32 << 20}});
    qint64 lastDone = 0, widestStep = 0;
    QElapsedTimer sinceStop;
    const Result<DownloadedText> got =
        downloadedText(zip, {}, kMaxArchiveBytes, [&](qint64 done, qint64 total) {
            widestStep = std::max(widestStep, done - lastDone);
            lastDone = done;
            EXPECT_LE(done, total);
            if (done < (16 << 20))
                return true;
            sinceStop.start();
            return false;
        });
    EXPECT_LT(sinceStop.elapsed(), 100);
    ASSERT_FALSE(got);
    EXPECT_EQ(got.error().number(), RuntimeError::DeviceIoError);
    EXPECT_LE(widestStep, 64 * 1024);
}

} // namespace
