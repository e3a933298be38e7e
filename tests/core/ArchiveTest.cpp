#include "core/ArchiveFile.h"
#include "core/ArchiveMessages.h"
#include "core/ArchiveStore.h"
#include "core/ArchiveText.h"
#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/WheelCodes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zelmora;

namespace {

struct LineCase
{
    const char *name;
    const char *line;
    const char *draw; // "YYYY-MM-DD Wheel n1 n2 n3 n4 n5" as read, or nullptr when refused
};

class ArchiveLines : public ::testing::TestWithParam<LineCase>
{
};

QString shown(const std::optional<Draw> &draw)
{
    if (!draw)
        return QStringLiteral("refused");
    QStringList parts{drawDateText(draw->date), wheelName(draw->wheel)};
    for (std::uint8_t n : draw->numbers)
        parts << QString::number(n);
    return parts.join(u' ');
}

TEST_P(ArchiveLines, AreReadOrRefusedNeverGuessed)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(shown(parseDrawLine(QString::fromLatin1(c.line))),
              c.draw ? QString::fromLatin1(c.draw) : QStringLiteral("refused"))
        << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveLines,
    ::testing::Values(
        // The three date forms, each separator, codes and names in any case.
        LineCase{"SlashDateTabsCode", "2024/01/02\tBA\t1\t2\t3\t4\t5", "2024-01-02 Bari 1 2 3 4 5"},
        LineCase{"DashDateLowerCaseCode", "2024-01-02 ca 90 2 3 4 5",
                 "2024-01-02 Cagliari 90 2 3 4 5"},
        LineCase{"DayFirstDateCommas", "02/01/2024,FI,1,2,3,4,5", "2024-01-02 Firenze 1 2 3 4 5"},
        LineCase{"SingleDigitDayMonthSemicolons", "2/1/2024;GE;1;2;3;4;5",
                 "2024-01-02 Genova 1 2 3 4 5"},
        LineCase{"MixedSeparatorsAndLeadingZero", "2024/1/2 , Mi ,05, 7 ;8\t 9  10",
                 "2024-01-02 Milano 5 7 8 9 10"},
        LineCase{"CodeNA", "2024/01/02 NA 1 2 3 4 5", "2024-01-02 Napoli 1 2 3 4 5"},
        LineCase{"CodePa", "2024/01/02 pa 1 2 3 4 5", "2024-01-02 Palermo 1 2 3 4 5"},
        LineCase{"CodeRM", "2024/01/02 RM 1 2 3 4 5", "2024-01-02 Roma 1 2 3 4 5"},
        LineCase{"CodeRO", "2024/01/02 RO 1 2 3 4 5", "2024-01-02 Roma 1 2 3 4 5"},
        LineCase{"CodeTO", "2024/01/02 TO 1 2 3 4 5", "2024-01-02 Torino 1 2 3 4 5"},
        LineCase{"CodeVe", "2024/01/02 ve 1 2 3 4 5", "2024-01-02 Venezia 1 2 3 4 5"},
        LineCase{"CodeRN", "2024/01/02 RN 1 2 3 4 5", "2024-01-02 Nazionale 1 2 3 4 5"},
        LineCase{"CodeNz", "2024/01/02 nz 1 2 3 4 5", "2024-01-02 Nazionale 1 2 3 4 5"},
        LineCase{"NameNazionaleUpperCase", "2024/01/02 NAZIONALE 1 2 3 4 5",
                 "2024-01-02 Nazionale 1 2 3 4 5"},
        LineCase{"NameVeneziaLowerCase", "2024/01/02 venezia 1 2 3 4 5",
                 "2024-01-02 Venezia 1 2 3 4 5"},
        LineCase{"LeapDay", "2024/02/29 BA 1 2 3 4 5", "2024-02-29 Bari 1 2 3 4 5"},
        LineCase{"Year1939", "1939/01/07 BA 1 2 3 4 5", "1939-01-07 Bari 1 2 3 4 5"},
        // Four or six numbers, 0, 91, a repeated number, a number that is not one.
        LineCase{"FourNumbers", "2024/01/02 BA 1 2 3 4", nullptr},
        LineCase{"SixNumbers", "2024/01/02 BA 1 2 3 4 5 6", nullptr},
        LineCase{"NumberZero", "2024/01/02 BA 0 2 3 4 5", nullptr},
        LineCase{"Number91", "2024/01/02 BA 91 2 3 4 5", nullptr},
        LineCase{"RepeatedNumber", "2024/01/02 BA 1 2 3 4 1", nullptr},
        LineCase{"NumberWithLetter", "2024/01/02 BA 1 2 3 4 5a", nullptr},
        LineCase{"NumberWithPlus", "2024/01/02 BA 1 2 3 4 +5", nullptr},
        LineCase{"NumberWithMinus", "2024/01/02 BA 1 2 3 4 -5", nullptr},
        LineCase{"NumberWithThreeLeadingZeros", "2024/01/02 BA 1 2 3 4 0005", nullptr},
        // Impossible or unreadable dates.
        LineCase{"LeapDayOfACommonYear", "2023/02/29 BA 1 2 3 4 5", nullptr},
        LineCase{"ThirtyFirstOfApril", "31/04/2024 BA 1 2 3 4 5", nullptr},
        LineCase{"MonthThirteen", "2024/13/01 BA 1 2 3 4 5", nullptr},
        LineCase{"DayFirstWithDashes", "02-01-2024 BA 1 2 3 4 5", nullptr},
        LineCase{"TwoDigitYear", "24/01/02 BA 1 2 3 4 5", nullptr},
        LineCase{"DotsInTheDate", "2024.01.02 BA 1 2 3 4 5", nullptr},
        LineCase{"MixedDateSeparators", "2024/01-02 BA 1 2 3 4 5", nullptr},
        LineCase{"FourDateFields", "2024/01/02/03 BA 1 2 3 4 5", nullptr},
        // Unknown wheels, fields out of order, nothing.
        LineCase{"UnknownCode", "2024/01/02 XX 1 2 3 4 5", nullptr},
        LineCase{"EnglishName", "2024/01/02 Rome 1 2 3 4 5", nullptr},
        LineCase{"WheelBeforeDate", "BA 2024/01/02 1 2 3 4 5", nullptr},
        LineCase{"EmptyLine", "", nullptr}),
    [](const ::testing::TestParamInfo<LineCase> &row) { return std::string(row.param.name); });

TEST(ArchiveTextTest, TypedNumbersAreFiveDifferentFrom1To90)
{
    const auto typed = parseDrawnNumbers(u" 7,12;45 80\t81 ");
    ASSERT_TRUE(typed);
    EXPECT_EQ(*typed, (std::array<std::uint8_t, 5>{7, 12, 45, 80, 81}));
    EXPECT_FALSE(parseDrawnNumbers(u"7 12 45 80"));
    EXPECT_FALSE(parseDrawnNumbers(u"7 12 45 80 81 82"));
    EXPECT_FALSE(parseDrawnNumbers(u"7 7 45 80 81"));
    EXPECT_FALSE(parseDrawnNumbers(u"7 12 45 80 91"));
    EXPECT_FALSE(parseDrawnNumbers(u"2024/01/02 7 12 45 80"));
}

QByteArray lines(int count, const QByteArray &line)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += line;
    return out;
}

TEST(ArchiveTextTest, CountsLinesAndNumbersTheSkippedOnes)
{
    const QByteArray text = "\xEF\xBB\xBF# intestazione\r\n"
                            "2024/01/02 BA 1 2 3 4 5\r\n"
                            "\r\n"
                            "   # rientrato\n"
                            "2024/01/02 BA 1 2 3 4\r"
                            "2024/01/04 BA 1 2 3 4 5\n"
                            "rotta\n"
                            "2024/01/05 BA 1 2 3 4 5";
    const ArchiveReading r = parseArchiveText(text);
    EXPECT_FALSE(r.notText);
    EXPECT_EQ(r.linesRead, 8);
    EXPECT_EQ(r.draws.size(), 3);
    EXPECT_EQ(r.skippedCount, 2);
    EXPECT_EQ(r.skippedLines, (QList<int>{5, 7}));
}

TEST(ArchiveTextTest, AMillionBadLinesKeepTheFirstFewNumbers)
{
    const ArchiveReading r = parseArchiveText(lines(1'000'000, "2024/01/02 BA 1 2 3 4 91\n"));
    EXPECT_EQ(r.linesRead, 1'000'000);
    EXPECT_EQ(r.skippedCount, 1'000'000);
    EXPECT_EQ(r.skippedLines.size(), kSkippedLinesKept);
    EXPECT_TRUE(r.draws.isEmpty());
}

TEST(ArchiveTextTest, BytesWithANulAreNotText)
{
    const ArchiveReading r = parseArchiveText(QByteArray("2024/01/02 BA 1 2 3 4 5\n\0\x01", 27));
    EXPECT_TRUE(r.notText);
    EXPECT_TRUE(r.draws.isEmpty());
}

class ArchiveStoreTest : public ::testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir folder;
};

TEST_F(ArchiveStoreTest, ImportsMergesAndKeepsTheStoredDrawOnAConflict)
{
    const ArchiveStore store(folder.filePath(QStringLiteral("estrazioni.txt")));
    EXPECT_TRUE(store.read().archive.isEmpty());

    const QByteArray first = "2024/01/02 BA 1 2 3 4 5\n2024/01/02 RM 6 7 8 9 10\nrotta\n";
    const QByteArray second = "02/01/2024 BA 5 4 3 2 1\n2024-01-02 ro 60 7 8 9 10\n"
                              "2024/01/04 RN 11 12 13 14 15\n";
    const QString original = file(QStringLiteral("a.txt"), second);
    DrawArchive archive;
    const ArchiveImport result = store.import(
        {file(QStringLiteral("b.txt"), first), original, folder.filePath(QStringLiteral("no"))},
        &archive);
    const QList<FileImport> &imports = result.files;
    ASSERT_EQ(imports.size(), 3);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(imports[0].added, 2);
    EXPECT_EQ(imports[0].skippedCount, 1);
    EXPECT_EQ(imports[0].skippedLines, QList<int>{3});
    EXPECT_EQ(imports[1].added, 1);
    EXPECT_EQ(imports[1].duplicates, 1);
    ASSERT_EQ(imports[1].conflicts.size(), 1);
    EXPECT_EQ(imports[1].conflicts[0].numbers[0], 60);
    EXPECT_FALSE(imports[2].outcome);
    EXPECT_EQ(importSummary(imports[2]), QStringLiteral("no: non letto: non esiste"));
    EXPECT_TRUE(importSummary(imports[0]).contains(QStringLiteral("1 riga non letta (riga 3)")))
        << importSummary(imports[0]).toStdString();
    EXPECT_TRUE(importSummary(imports[1]).contains(QStringLiteral("02/01/2024 Roma")));

    EXPECT_EQ(archive.find(QDate(2024, 1, 2), wheelIndex(u"Roma"))->numbers[0], 6);
    const QByteArray imported = *readWholeFile(original, 1 << 20);
    EXPECT_EQ(imported, second); // an imported file is never changed

    const DrawArchive again = store.read().archive;
    EXPECT_EQ(again.size(), 3);
    EXPECT_EQ(again.toText(), archive.toText());
    EXPECT_EQ(again.textBytes(), again.toText().size());
    EXPECT_EQ(again.drawsOf(wheelIndex(u"BA")).size(), 1);
    EXPECT_EQ(again.drawsOf(wheelIndex(u"RN"), QDate(2024, 1, 3)).size(), 1);
    EXPECT_EQ(again.drawsOf(wheelIndex(u"RN"), QDate(), QDate(2024, 1, 3)).size(), 0);

    // A second copy of the program on the same folder, which read the archive before this
    // import, adds its draw to what is stored now: nothing either copy saved is dropped.
    const ArchiveStore otherCopy(store.path());
    DrawArchive other;
    otherCopy.import({file(QStringLiteral("c.txt"), "2024/01/09 BA 1 2 3 4 5\n")}, &other);
    EXPECT_EQ(store.read().archive.size(), 4);
}

TEST_F(ArchiveStoreTest, ManyFilesAreSummedUpInTenLinesAndOneForTheRest)
{
    // Files of one draw each, on the days from `first` on.
    const auto files = [this](int count, int first) {
        QStringList paths;
        for (int day = first; day < first + count; ++day)
            paths << file(QStringLiteral("%1.txt").arg(day),
                          QStringLiteral("2024/01/%1 BA 1 2 3 4 5\n")
                              .arg(day, 2, 10, QLatin1Char('0'))
                              .toLatin1());
        return paths;
    };
    const ArchiveStore store(folder.filePath(QStringLiteral("estrazioni.txt")));
    const auto summary = [&](const QStringList &paths) {
        return importsSummary(store.import(paths, nullptr).files);
    };

    // A file that cannot be read keeps its line however late it comes; so do a folder and a
    // FIFO typed among the names.
    QStringList paths = files(14, 1);
    paths.insert(12, folder.filePath(QStringLiteral("mancante.txt")));
    QStringList lines = summary(paths).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 11) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines[9].startsWith(QStringLiteral("mancante.txt: non letto")));
    EXPECT_EQ(lines[10], QStringLiteral("e altri 5 file letti senza problemi: 5 estrazioni "
                                        "aggiunte, 0 già presenti"));

    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    paths = files(11, 15);
    paths.insert(3, fifo);
    paths.insert(5, folder.path());
    lines = summary(paths).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 11) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("fifo: non letto: non è un file normale")));
    EXPECT_TRUE(lines.contains(QFileInfo(folder.path()).fileName() +
                               QStringLiteral(": non letto: è una cartella")));
    EXPECT_EQ(lines[10], QStringLiteral("e altri 3 file letti senza problemi: 3 estrazioni "
                                        "aggiunte, 0 già presenti"));

    // A few files keep a blank line between them.
    EXPECT_EQ(summary(files(2, 26)).count(QStringLiteral("\r\n\r\n")), 1);
}

TEST_F(ArchiveStoreTest, AnUnreadableStoreIsReportedAndNeverOverwritten)
{
    const QByteArray damaged = "2024/01/02 BA 1 2 3\n2024/01/03 BA 1 2 3\n";
    const QString path = file(QStringLiteral("estrazioni.txt"), damaged);
    const ArchiveStore store(path);
    const StoredArchive stored = store.read();
    ASSERT_FALSE(stored.usable);
    EXPECT_TRUE(storedArchiveNotice(stored, path).contains(QStringLiteral("Resta com'è")));
    const ArchiveImport result =
        store.import({file(QStringLiteral("new.txt"), "2024/01/05 BA 1 2 3 4 5\n")}, nullptr);
    EXPECT_FALSE(result.saving);
    EXPECT_FALSE(result.files[0].outcome);
    EXPECT_EQ(*readWholeFile(path, 1 << 20), damaged);
}

TEST_F(ArchiveStoreTest, ABadLineCostsThatLineAndTheNextImportWritesTheStoreClean)
{
    const QString path = file(QStringLiteral("estrazioni.txt"),
                              "2024-01-02\tBA\t1\t2\t3\t4\t5\n2024-01-03 BA 1 2 3\n"
                              "2024-01-04\tBA\t1\t2\t3\t4\t5\n");
    const ArchiveStore store(path);
    const StoredArchive stored = store.read();
    EXPECT_TRUE(stored.usable);
    EXPECT_EQ(stored.archive.size(), 2);
    EXPECT_TRUE(storedArchiveNotice(stored, path).contains(QStringLiteral("(riga 2)")));

    const ArchiveImport result =
        store.import({file(QStringLiteral("new.txt"), "2024/01/05 BA 1 2 3 4 5\n")}, nullptr);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(archiveImportSummary(result).contains(QStringLiteral("riscritto senza")));
    EXPECT_EQ(store.read().skippedCount, 0);
    EXPECT_EQ(store.read().archive.size(), 3);
}

TEST_F(ArchiveStoreTest, TheStoreNeverGrowsPastWhatItsReaderAccepts)
{
    // A small limit stands for the 64 MiB: each draw's line takes 25 to 30 bytes.
    constexpr qint64 kLimit = 2048;
    const auto draws = [](int count, QDate date) {
        QByteArray text;
        for (int i = 0; i < count; ++i, date = date.addDays(1))
            text += date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + " BA 1 2 3 4 5\n";
        return text;
    };
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    const ArchiveStore store(path, kLimit);
    // The second file would take the archive past the limit: it and the third are refused,
    // the first is kept, and what is written reads back whole.
    const ArchiveImport result =
        store.import({file(QStringLiteral("a.txt"), draws(60, QDate(2000, 1, 1))),
                      file(QStringLiteral("b.txt"), draws(60, QDate(2001, 1, 1))),
                      file(QStringLiteral("c.txt"), draws(1, QDate(2002, 1, 1)))},
                     nullptr);
    EXPECT_EQ(result.files[0].added, 60);
    EXPECT_TRUE(
        result.files[1].outcome.error().description().contains(QStringLiteral("supera i 0 MiB")));
    EXPECT_TRUE(
        result.files[2].outcome.error().description().contains(QStringLiteral("supera i 0 MiB")));
    EXPECT_LE(QFileInfo(path).size(), kLimit);
    EXPECT_EQ(store.read().archive.size(), 60);
    // A file over the limit by itself is too large, not out of memory.
    EXPECT_EQ(store.import({file(QStringLiteral("d.txt"), draws(100, QDate(2003, 1, 1)))}, nullptr)
                  .files[0]
                  .outcome.error()
                  .description(),
              QStringLiteral("non letto: supera i 0 MiB"));

    // An older copy wrote past the limit: the first whole lines are used, the rest counted,
    // and the next import writes the archive back within the limit.
    file(QStringLiteral("estrazioni.txt"), draws(100, QDate(1990, 1, 1)));
    const StoredArchive stored = store.read();
    EXPECT_GT(stored.archive.size(), 60);
    EXPECT_EQ(stored.archive.size() + stored.leftOut, 100);
    EXPECT_LE(stored.archive.textBytes(), kLimit);
    const ArchiveImport rewrite = store.import({}, nullptr);
    EXPECT_TRUE(rewrite.saved);
    EXPECT_TRUE(archiveImportSummary(rewrite).contains(
        QStringLiteral("%1 estrazioni lasciate fuori").arg(stored.leftOut)));
    EXPECT_LE(QFileInfo(path).size(), kLimit);
    EXPECT_EQ(store.read().leftOut, 0);
}

// A stored archive past the limit is read to its last byte: a NUL anywhere leaves it as it
// is, and the lines past the part read whole are counted, bad ones numbered, however long.
TEST_F(ArchiveStoreTest, AStorePastTheLimitIsReadToItsLastByte)
{
    // A small limit stands for the 64 MiB: each line takes 24 bytes, or 25 with CR LF.
    constexpr qint64 kLimit = 2048;
    const auto draws = [](int count, const char *end = "\n") {
        QByteArray text;
        QDate date(1990, 1, 1);
        for (int i = 0; i < count; ++i, date = date.addDays(1))
            text += date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + " BA 1 2 3 4 5" + end;
        return text;
    };
    struct Case
    {
        const char *name;
        QByteArray text;
        qint64 limit;
        bool unusable;
        QList<int> skipped; // the bad lines' numbers, when usable
        int draws;          // the draws the whole file holds, when usable
    };
    const Case cases[] = {
        {"NulAfterTheHeadsLastLineEnd",
         draws(85) + QByteArray(20, '\0') + draws(3),
         kLimit,
         true,
         {},
         0},
        {"NulPastSeveralBlocksOfTheRest",
         draws(100) + QByteArray(5'000'000, 'x') + "\n" + draws(10) + QByteArray(1, '\0'),
         kLimit,
         true,
         {},
         0},
        {"NoLineEndAtAll", QByteArray(3000, '7'), kLimit, true, {}, 0},
        {"ALineWithoutEnd", draws(100) + QByteArray(5'000'000, '7'), kLimit, false, {101}, 100},
        {"BadLinesOfTheRestNumberedOn",
         draws(90) + "2024-01-01 BA 1 2 3\n" + QByteArray(2000, ' ') + "x\n" + draws(1),
         kLimit,
         false,
         {91, 92},
         91},
        // The limit cuts between a CR and its LF: the LF opens no line of its own.
        {"CrLfCutBetweenItsTwoBytes",
         draws(82, "\r\n") + "rotta\r\n",
         25 * 80 + 24,
         false,
         {83},
         82},
    };
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        file(QStringLiteral("estrazioni.txt"), c.text);
        const ArchiveStore store(path, c.limit);
        const StoredArchive stored = store.read();
        EXPECT_EQ(!stored.usable, c.unusable);
        if (c.unusable) {
            EXPECT_TRUE(storedArchiveNotice(stored, path).contains(QStringLiteral("Resta com'è")));
            EXPECT_TRUE(stored.archive.isEmpty());
            const ArchiveImport result = store.import(
                {file(QStringLiteral("new.txt"), "2024/01/05 BA 1 2 3 4 5\n")}, nullptr);
            EXPECT_FALSE(result.saved);
            EXPECT_EQ(*readWholeFile(path, 1 << 24), c.text);
            continue;
        }
        EXPECT_EQ(stored.skippedLines, c.skipped);
        EXPECT_EQ(stored.skippedCount, c.skipped.size());
        EXPECT_EQ(stored.archive.size() + stored.leftOut, c.draws);
        EXPECT_GT(stored.leftOut, 0);
        EXPECT_LE(stored.archive.textBytes(), c.limit);
    }
}

// What a killed write left beside the archive goes at the next write, and nothing else does.
TEST_F(ArchiveStoreTest, AnImportSweepsTheLeftoversOfAKilledWrite)
{
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    const QString kept = file(QStringLiteral("altrove.txt"), "mio");
    const QStringList stale = {file(QStringLiteral(".estrazioni.txt.0a1b2c3d"), "x"),
                               file(QStringLiteral(".estrazioni.txt.ffffffff"), "y")};
    const QStringList others = {file(QStringLiteral(".estrazioni.txt.0a1b2c3"), "z"),
                                file(QStringLiteral(".estrazioni.txt.0A1B2C3D"), "z"),
                                file(QStringLiteral("estrazioni.txt.0a1b2c3d"), "z"),
                                file(QStringLiteral(".altro.txt.0a1b2c3d"), "z")};
    const QString link = folder.filePath(QStringLiteral(".estrazioni.txt.deadbeef"));
    ASSERT_TRUE(QFile::link(kept, link));
    EXPECT_TRUE(ArchiveStore(path)
                    .import({file(QStringLiteral("new.txt"), "2024/01/05 BA 1 2 3 4 5\n")}, nullptr)
                    .saved);
    for (const QString &name : stale)
        EXPECT_FALSE(QFileInfo::exists(name)) << name.toStdString();
    for (const QString &name : others)
        EXPECT_TRUE(QFileInfo::exists(name)) << name.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(*readWholeFile(kept, 16), "mio");
}

// A shared folder stays usable by every user: the lock and a first archive are readable by
// all whatever the umask, a replaced archive keeps its mode and group, a folder in the
// archive's place is named and left, and every failure names its file.
TEST_F(ArchiveStoreTest, ASharedFolderStaysUsableByEveryUser)
{
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    const ArchiveStore store(path);
    const auto modeOf = [](const QString &name) {
        struct stat seen;
        return ::stat(QFile::encodeName(name).constData(), &seen) == 0 ? seen.st_mode & 07777 : 0u;
    };
    const mode_t umask = ::umask(077);
    EXPECT_TRUE(
        store.import({file(QStringLiteral("a.txt"), "2024/01/05 BA 1 2 3 4 5\n")}, nullptr).saved);
    ::umask(umask);
    EXPECT_EQ(modeOf(path), 0644u);
    EXPECT_EQ(modeOf(path + QStringLiteral(".lock")), 0644u);

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0660), 0);
    const bool root = ::geteuid() == 0; // only root may give a file any group
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), uid_t(-1), 100), 0);
    }
    EXPECT_TRUE(
        store.import({file(QStringLiteral("b.txt"), "2024/01/06 BA 1 2 3 4 5\n")}, nullptr).saved);
    EXPECT_EQ(modeOf(path), 0660u);
    if (root) {
        EXPECT_EQ(QFileInfo(path).groupId(), 100u);
    }

    // A lock that cannot be used is named in the message.
    QFile::remove(path + QStringLiteral(".lock"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("estrazioni.txt.lock")));
    ArchiveImport refused = store.import({folder.filePath(QStringLiteral("b.txt"))}, nullptr);
    EXPECT_TRUE(archiveImportMessage(refused, QStringLiteral("cmdImporta_Click"),
                                     QStringLiteral("frmVerifica"))
                    .contains(path + QStringLiteral(".lock: non è un file normale\r\nError 75")));
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("estrazioni.txt.lock")));

    // A folder in the archive's place is never replaced: the player is told to move it.
    QFile::remove(path);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("estrazioni.txt")));
    const StoredArchive stored = store.read();
    ASSERT_FALSE(stored.usable);
    EXPECT_TRUE(storedArchiveNotice(stored, path).contains(QStringLiteral("è una cartella")));
    refused = store.import({folder.filePath(QStringLiteral("b.txt"))}, nullptr);
    EXPECT_FALSE(refused.saved);
    EXPECT_TRUE(archiveImportMessage(refused, QStringLiteral("cmdImporta_Click"),
                                     QStringLiteral("frmVerifica"))
                    .contains(path + QStringLiteral(": è una cartella")));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

// While another copy holds the archive, the import says it waits, and stops when asked.
TEST_F(ArchiveStoreTest, AnImportWaitingForAnotherCopyTellsItAndStopsWhenAsked)
{
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    FileLock other(path + QStringLiteral(".lock"));
    ASSERT_TRUE(other.tryLock().valueOr(false));
    QList<qint64> told;
    const ArchiveImport result =
        ArchiveStore(path).import({file(QStringLiteral("a.txt"), "2024/01/05 BA 1 2 3 4 5\n")},
                                  nullptr, [&](qint64, qint64 total) {
                                      told.append(total);
                                      return told.size() < 3;
                                  });
    EXPECT_EQ(told, (QList<qint64>{kWaitingForLock, kWaitingForLock, kWaitingForLock}));
    EXPECT_TRUE(result.interrupted);
    EXPECT_TRUE(result.saving);
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(ArchiveStoreTest, ALinkInPlaceOfTheStoreIsReplacedNeverWrittenThrough)
{
    const QString elsewhere = file(QStringLiteral("altrove.txt"), "2024/01/02 BA 1 2 3 4 5\n");
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    ASSERT_TRUE(QFile::link(elsewhere, path));
    const ArchiveImport result = ArchiveStore(path).import(
        {file(QStringLiteral("new.txt"), "2024/01/05 BA 1 2 3 4 5\n")}, nullptr);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(*readWholeFile(elsewhere, 1024), "2024/01/02 BA 1 2 3 4 5\n");
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(ArchiveStore(path).read().archive.size(), 2);

    // A link to a FIFO planted as the lock is refused at once: nothing waits on it.
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    QFile::remove(path + QStringLiteral(".lock"));
    ASSERT_TRUE(QFile::link(fifo, path + QStringLiteral(".lock")));
    EXPECT_FALSE(ArchiveStore(path).import({elsewhere}, nullptr).saving);
}

TEST_F(ArchiveStoreTest, OnlyRegularFilesOfASensibleSizeAreRead)
{
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const Result<ArchiveReading> fromFifo = readArchiveFile(fifo); // must not wait for a writer
    ASSERT_FALSE(fromFifo) << "a FIFO was read";
    EXPECT_EQ(fromFifo.error().number(), RuntimeError::PathFileAccessError);
    EXPECT_FALSE(readArchiveFile(folder.path()));

    const QString huge = folder.filePath(QStringLiteral("huge.txt"));
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(kMaxArchiveBytes + 1)); // sparse: nothing is written
    f.close();
    const Result<ArchiveReading> tooBig = readArchiveFile(huge);
    ASSERT_FALSE(tooBig) << "a file over the limit was read";
    EXPECT_EQ(archiveFailureText(tooBig.error()), QStringLiteral("supera i 64 MiB"));
}

} // namespace

namespace {

TEST_F(ArchiveStoreTest, ATextInMemoryIsMergedAsTheSameFileIsUnderTheLockItHolds)
{
    const QByteArray text = "2024/01/02 BA 1 2 3 4 5\nrotta\n2024/01/02 BA 5 4 3 2 1\n"
                            "2024/01/04 RN 11 12 13 14 15\n";
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("a")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("b")));
    const ArchiveStore byFile(folder.filePath(QStringLiteral("a/estrazioni.txt")));
    const ArchiveStore inMemory(folder.filePath(QStringLiteral("b/estrazioni.txt")));
    const FileImport fromFile =
        byFile.import({file(QStringLiteral("storico.txt"), text)}, nullptr).files.value(0);
    int told = 0;
    bool lockedWhileTold = false;
    const ArchiveImport merged =
        inMemory.importSources({ImportSource::inMemory(QStringLiteral("storico.txt"), text)},
                               nullptr, {}, [&](const ArchiveImport &done, const DrawArchive &now) {
                                   ++told;
                                   EXPECT_EQ(done.files.value(0).added, 2);
                                   EXPECT_EQ(now.size(), 2);
                                   FileLock other(inMemory.path() + QStringLiteral(".lock"));
                                   lockedWhileTold = !other.tryLock().valueOr(true);
                               });
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(lockedWhileTold);
    EXPECT_TRUE(FileLock(inMemory.path() + QStringLiteral(".lock")).tryLock().valueOr(false));
    ASSERT_EQ(merged.files.size(), 1);
    EXPECT_EQ(importSummary(merged.files[0]), importSummary(fromFile));
    EXPECT_EQ(*readWholeFile(inMemory.path(), 1 << 20), *readWholeFile(byFile.path(), 1 << 20));

    // Past the limit, a text in memory is refused as a file is, before anything is written.
    const ArchiveStore small(folder.filePath(QStringLiteral("c.txt")), 40);
    const ArchiveImport refused =
        small.importSources({ImportSource::inMemory(QStringLiteral("s"), text)}, nullptr, {},
                            [&](const ArchiveImport &, const DrawArchive &) { ++told; });
    EXPECT_EQ(refused.files.value(0).outcome.error().number(), RuntimeError::OutOfMemory);
    EXPECT_FALSE(refused.saved);
    EXPECT_EQ(told, 2); // told of the refusal too
    EXPECT_TRUE(nothingAt(small.path()));
}

} // namespace
