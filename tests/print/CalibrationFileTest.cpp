// The slip calibration file printA.cfg: its byte layout, overwriting in place, and how a short
// or damaged file ends the read.

#include "print/CalibrationFile.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using namespace zelmora;
using namespace zelmora::print;

namespace {

class CalibrationFileTest : public ::testing::Test
{
protected:
    QString path() const { return folder.path() + QStringLiteral("/printA.cfg"); }

    QByteArray fileBytes() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void writeBytes(const QByteArray &bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // The error number a read ends with, or nothing when it succeeds.
    std::optional<int> read(TaraturaAmbetto &record)
    {
        const Result<ScaleRecordRead> result = readCalibration(path(), record);
        return result ? std::nullopt : std::optional(result.error().number());
    }

    QTemporaryDir folder;
};

// A record whose every field differs from what any test file holds.
TaraturaAmbetto untouched()
{
    TaraturaAmbetto r;
    r.DXnumeri = r.DYnumeri = r.Top = r.Left = r.Intestazione = -7;
    r.Ximporti = r.Yimporti = r.DXimporti = r.DYimporti = -7;
    r.Qualita = TaggedQuality::integer(-7);
    r.Stampante = QStringLiteral("before");
    return r;
}

TaraturaAmbetto sample()
{
    TaraturaAmbetto r;
    r.DXnumeri = 1.5f;
    r.DYnumeri = 2.25f;
    r.Top = 10;
    r.Left = 20;
    r.Intestazione = 5;
    r.Ximporti = 30;
    r.Yimporti = 40;
    r.DXimporti = 3.5f;
    r.DYimporti = 4.75f;
    r.Qualita = TaggedQuality::integer(9999);
    r.Stampante = QStringLiteral("Stampa €");
    return r;
}

TEST_F(CalibrationFileTest, KnownRecordIsWrittenByteForByte)
{
    EXPECT_TRUE(writeCalibration(path(), sample()));
    const QByteArray bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 11 * 128 + 10);

    QByteArray expected(1418, '\0');
    const struct
    {
        int record;
        const char *data;
        int size;
    } values[] = {
        {1, "\x00\x00\xC0\x3F", 4},      {2, "\x00\x00\x10\x40", 4},
        {3, "\x00\x00\x20\x41", 4},      {4, "\x00\x00\xA0\x41", 4},
        {5, "\x00\x00\xA0\x40", 4},      {6, "\x00\x00\xF0\x41", 4},
        {7, "\x00\x00\x20\x42", 4},      {8, "\x00\x00\x60\x40", 4},
        {9, "\x00\x00\x98\x40", 4},      {10, "\x02\x00\x0F\x27", 4},
        {11, "\x08\x00Stampa \x80", 10}, {12, "\x03\x00\x00\x00\x80\x3F\x00\x00\x80\x3F", 10},
    };
    for (const auto &v : values)
        expected.replace((v.record - 1) * 128, v.size, QByteArray(v.data, v.size));
    for (int i = 0; i < expected.size(); ++i)
        ASSERT_EQ(quint8(bytes[i]), quint8(expected[i])) << "byte " << i;

    TaraturaAmbetto back = untouched();
    EXPECT_EQ(read(back), std::nullopt);
    EXPECT_EQ(back, sample());
}

TEST_F(CalibrationFileTest, QualityTagsRoundTripAndMapToPrintQuality)
{
    const struct
    {
        const char *name;
        TaggedQuality quality;
        const char *record10;
        bool normale;
        int printQuality;
    } cases[] = {
        {"empty", TaggedQuality{}, "\x00\x00\x00\x00", false, -1},
        {"low", TaggedQuality::integer(1111), "\x02\x00\x57\x04", false, -1},
        {"normal", TaggedQuality::integer(9999), "\x02\x00\x0F\x27", true, -3},
        {"the integer zero", TaggedQuality::integer(0), "\x02\x00\x00\x00", false, -1},
        {"the integer minus one", TaggedQuality::integer(-1), "\x02\x00\xFF\xFF", false, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TaraturaAmbetto record = sample();
        record.Qualita = c.quality;
        EXPECT_TRUE(writeCalibration(path(), record));
        EXPECT_EQ(fileBytes().mid(9 * 128, 4), QByteArray(c.record10, 4));

        TaraturaAmbetto back = untouched();
        ASSERT_EQ(read(back), std::nullopt);
        EXPECT_EQ(back.Qualita, c.quality);
        EXPECT_EQ(back.QualitaNormale(), c.normale);
        EXPECT_EQ(back.PrintQuality(), c.printQuality);
    }
}

TEST_F(CalibrationFileTest, ATagZeroFileIgnoresWhateverFollowsTheTag)
{
    TaraturaAmbetto record = sample();
    EXPECT_TRUE(writeCalibration(path(), record));
    QByteArray bytes = fileBytes();
    bytes.replace(9 * 128, 4, QByteArray("\x00\x00\x0F\x27", 4));
    writeBytes(bytes);

    TaraturaAmbetto back = untouched();
    ASSERT_EQ(read(back), std::nullopt);
    EXPECT_EQ(back.Qualita.tag, TaggedQuality::Empty);
    EXPECT_FALSE(back.QualitaNormale());
}

TEST_F(CalibrationFileTest, AShorterNameLeavesTheOldTailAndReadsBackAlone)
{
    TaraturaAmbetto record = sample();
    record.Stampante = QStringLiteral("Stampante lunga");
    EXPECT_TRUE(writeCalibration(path(), record));
    record.Stampante = QStringLiteral("Corta");
    EXPECT_TRUE(writeCalibration(path(), record));

    const QByteArray bytes = fileBytes();
    EXPECT_EQ(bytes.size(), 1418);
    EXPECT_EQ(bytes.mid(1280, 17), QByteArray("\x05\x00"
                                              "Cortaante lunga",
                                              17));
    TaraturaAmbetto back = untouched();
    ASSERT_EQ(read(back), std::nullopt);
    EXPECT_EQ(back.Stampante, QStringLiteral("Corta"));
}

TEST_F(CalibrationFileTest, OverwritesInPlaceWithZerosInTheUnusedBytes)
{
    writeBytes(QByteArray(2000, '\xFF'));
    EXPECT_TRUE(writeCalibration(path(), sample()));

    const QByteArray bytes = fileBytes();
    ASSERT_EQ(bytes.size(), 2000);
    for (int record = 1; record <= 10; ++record)
        EXPECT_EQ(bytes.mid((record - 1) * 128 + 4, 124), QByteArray(124, '\0')) << record;
    EXPECT_EQ(bytes.mid(1290, 1408 - 1290), QByteArray(1408 - 1290, '\xFF'));
    EXPECT_EQ(bytes.mid(1408, 2), QByteArray("\x03\x00", 2));
    EXPECT_EQ(bytes.mid(1418), QByteArray(2000 - 1418, '\xFF'));
}

// Record 12 as the reader finds it: records 1 to 11 always read as written, the factors from a
// whole record 12 of tag 3 with both factors in 0,95 - 1,05, otherwise 1 and 1.
TEST_F(CalibrationFileTest, RecordTwelveGivesTheScaleFactorsOrOneAndOne)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const auto scale = [](quint16 tag, float x, float y) {
        QByteArray bytes(10, '\0');
        qToLittleEndian<quint16>(tag, bytes.data());
        qToLittleEndian<float>(x, bytes.data() + 2);
        qToLittleEndian<float>(y, bytes.data() + 6);
        return bytes;
    };
    const struct
    {
        const char *what;
        int padTo;         // the eleven records, then zeros up to this length (0: none)
        QByteArray record; // then this at byte 1408
        ScaleRecordRead::State state;
        float x, y;
        const char *problem = ""; // the start of the damage told, shown to be outside the range
    } cases[] = {
        {"a file of eleven records", 0, {}, ScaleRecordRead::Absent, 1, 1},
        {"zeros up to record 12", 1408, {}, ScaleRecordRead::Absent, 1, 1},
        {"factors", 1408, scale(3, 1.02f, 0.98f), ScaleRecordRead::Read, 1.02f, 0.98f},
        {"the lower edges", 1408, scale(3, 0.95f, 0.95f), ScaleRecordRead::Read, 0.95f, 0.95f},
        {"the upper edges", 1408, scale(3, 1.05f, 1.05f), ScaleRecordRead::Read, 1.05f, 1.05f},
        {"a longer file", 1408, scale(3, 1.01f, 0.99f) + "more", ScaleRecordRead::Read, 1.01f,
         0.99f},
        {"X just under 0,95", 1408, scale(3, std::nextafter(0.95f, 0.0f), 1),
         ScaleRecordRead::Damaged, 1, 1},
        {"Y just over 1,05", 1408, scale(3, 1, std::nextafter(1.05f, 2.0f)),
         ScaleRecordRead::Damaged, 1, 1, "il fattore di scala Y (1,0500001) è fuori"},
        {"X not a number", 1408, scale(3, nan, 1), ScaleRecordRead::Damaged, 1, 1},
        {"Y infinite", 1408, scale(3, 1.02f, inf), ScaleRecordRead::Damaged, 1, 1},
        {"X 0", 1408, scale(3, 0, 1), ScaleRecordRead::Damaged, 1, 1},
        {"tag 2", 1408, scale(2, 1.02f, 0.98f), ScaleRecordRead::Damaged, 1, 1},
        {"tag 0", 1408, scale(0, 1.02f, 0.98f), ScaleRecordRead::Damaged, 1, 1},
        {"a cut record", 1408, scale(3, 1.02f, 0.98f).left(8), ScaleRecordRead::Damaged, 1, 1},
        {"a lone byte", 1409, {}, ScaleRecordRead::Damaged, 1, 1},
    };
    const TaraturaAmbetto written = sample();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path());
        EXPECT_TRUE(writeCalibration(path(), written));
        // Records 1 to 11 end at byte 1290 with this name.
        QByteArray bytes = fileBytes().left(1290);
        bytes.append(QByteArray(std::max(0, c.padTo - int(bytes.size())), '\0'));
        bytes.append(c.record);
        writeBytes(bytes);

        TaraturaAmbetto back = untouched();
        const Result<ScaleRecordRead> read = readCalibration(path(), back);
        ASSERT_TRUE(read) << "error " << read.error().number();
        const ScaleRecordRead &result = *read;
        EXPECT_EQ(result.state, c.state);
        EXPECT_EQ(result.problem.isEmpty(), c.state != ScaleRecordRead::Damaged);
        if (*c.problem) {
            EXPECT_TRUE(result.problem.startsWith(QString::fromUtf8(c.problem)))
                << result.problem.toStdString();
        }
        EXPECT_EQ(back.ScalaX, c.x);
        EXPECT_EQ(back.ScalaY, c.y);
        back.ScalaX = back.ScalaY = 1;
        EXPECT_EQ(back, written);
    }
}

// The factors are written in record 12 and leave records 1 to 11 exactly as before; a factor
// the reader would refuse is not written at all.
TEST_F(CalibrationFileTest, TheFactorsGoInRecordTwelveOnly)
{
    EXPECT_TRUE(writeCalibration(path(), sample()));
    const QByteArray plain = fileBytes();
    const struct
    {
        const char *name;
        float x, y;
        bool written;
    } cases[] = {
        {"inside the range", 1.02f, 0.98f, true},
        {"the edges", 0.95f, 1.05f, true},
        {"X just under 0,95", std::nextafter(0.95f, 0.0f), 1, false},
        {"Y just over 1,05", 1, std::nextafter(1.05f, 2.0f), false},
        {"X not a number", std::numeric_limits<float>::quiet_NaN(), 1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(plain);
        TaraturaAmbetto record = sample();
        record.ScalaX = c.x;
        record.ScalaY = c.y;
        const Result<void> written = writeCalibration(path(), record);
        EXPECT_EQ(written.ok(), c.written);
        if (!written) {
            EXPECT_EQ(written.error().number(), int(RuntimeError::InvalidProcedureCall));
        }
        const QByteArray bytes = fileBytes();
        EXPECT_EQ(bytes.left(1408), plain.left(1408));
        if (!c.written) {
            EXPECT_EQ(bytes, plain);
            continue;
        }
        ASSERT_EQ(bytes.size(), 1418);
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 1408), 3);
        EXPECT_EQ(qFromLittleEndian<float>(bytes.constData() + 1410), c.x);
        EXPECT_EQ(qFromLittleEndian<float>(bytes.constData() + 1414), c.y);
        TaraturaAmbetto back = untouched();
        EXPECT_EQ(readCalibration(path(), back)->state, ScaleRecordRead::Read);
        EXPECT_EQ(back, record);
    }
}

TEST_F(CalibrationFileTest, NameLengthLimitIs126Bytes)
{
    for (int length : {0, 1, 126, 127, 200}) {
        SCOPED_TRACE(length);
        QFile::remove(path());
        TaraturaAmbetto record = sample();
        record.Stampante = QString(length, u'é'); // one byte each in the file
        if (length <= 126) {
            EXPECT_TRUE(writeCalibration(path(), record));
            TaraturaAmbetto back = untouched();
            ASSERT_EQ(read(back), std::nullopt);
            EXPECT_EQ(back.Stampante, record.Stampante);
            continue;
        }
        // The writer refuses it before touching the file...
        const Result<void> written = writeCalibration(path(), record);
        ASSERT_FALSE(written);
        EXPECT_EQ(written.error().number(), RuntimeError::BadRecordLength);
        EXPECT_EQ(written.error().description(), QStringLiteral("Bad record length"));
        EXPECT_FALSE(QFile::exists(path()));

        // ...and the reader refuses a file that claims it, keeping the values before it.
        record.Stampante.clear();
        EXPECT_TRUE(writeCalibration(path(), record));
        QByteArray bytes = fileBytes().left(1280);
        bytes.append(char(length & 0xFF)).append(char(length >> 8)).append(QByteArray(length, 'x'));
        writeBytes(bytes);
        TaraturaAmbetto back = untouched();
        EXPECT_EQ(read(back), RuntimeError::BadRecordLength);
        EXPECT_EQ(back.DYimporti, 4.75f);
        EXPECT_EQ(back.Qualita, TaggedQuality::integer(9999));
        EXPECT_EQ(back.Stampante, QStringLiteral("before"));
    }
}

TEST_F(CalibrationFileTest, AShortFileKeepsTheValuesReadBeforeItsEnd)
{
    EXPECT_TRUE(writeCalibration(path(), sample()));
    const QByteArray whole = fileBytes();
    const TaraturaAmbetto before = untouched();
    const TaraturaAmbetto full = sample();

    const struct
    {
        int length;
        int floatsRead;
        bool qualityRead;
    } cases[] = {
        {0, 0, false},   {3, 0, false},    {4, 1, false},    {128, 1, false},  {131, 1, false},
        {132, 2, false}, {1028, 9, false}, {1153, 9, false}, {1154, 9, false}, {1155, 9, false},
        {1156, 9, true}, {1280, 9, true},  {1281, 9, true},  {1282, 9, true},  {1289, 9, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        writeBytes(whole.left(c.length));
        TaraturaAmbetto r = untouched();
        EXPECT_EQ(read(r), int(RuntimeError::InputPastEndOfFile));
        const float got[] = {r.DXnumeri, r.DYnumeri, r.Top,       r.Left,     r.Intestazione,
                             r.Ximporti, r.Yimporti, r.DXimporti, r.DYimporti};
        const float written[] = {full.DXnumeri, full.DYnumeri,     full.Top,
                                 full.Left,     full.Intestazione, full.Ximporti,
                                 full.Yimporti, full.DXimporti,    full.DYimporti};
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(got[i], i < c.floatsRead ? written[i] : -7.0f) << "field " << i + 1;
        EXPECT_EQ(r.Qualita, c.qualityRead ? full.Qualita : before.Qualita);
        EXPECT_EQ(r.Stampante, before.Stampante);
    }
}

TEST_F(CalibrationFileTest, AnEmptyQualityNeedsNoValue)
{
    TaraturaAmbetto record = sample();
    record.Qualita = TaggedQuality{};
    record.Stampante.clear();
    EXPECT_TRUE(writeCalibration(path(), record));
    writeBytes(fileBytes().left(1154)); // the tag and nothing after it

    TaraturaAmbetto back = untouched();
    EXPECT_EQ(read(back), int(RuntimeError::InputPastEndOfFile));
    EXPECT_EQ(back.Qualita, TaggedQuality{}); // read; the name record is missing
}

TEST_F(CalibrationFileTest, AnUnknownQualityTagIsATypeMismatch)
{
    for (quint16 tag : {1, 3, 8, 0x4000}) {
        SCOPED_TRACE(tag);
        EXPECT_TRUE(writeCalibration(path(), sample()));
        QByteArray bytes = fileBytes();
        bytes[9 * 128] = char(tag & 0xFF);
        bytes[9 * 128 + 1] = char(tag >> 8);
        writeBytes(bytes);

        TaraturaAmbetto back = untouched();
        EXPECT_EQ(read(back), int(RuntimeError::TypeMismatch));
        EXPECT_EQ(back.DYimporti, 4.75f);
        EXPECT_EQ(back.Qualita, untouched().Qualita);
        EXPECT_EQ(back.Stampante, QStringLiteral("before"));
    }
}

TEST_F(CalibrationFileTest, AMissingFileIsNotFoundAndNotCreated)
{
    TaraturaAmbetto record = untouched();
    EXPECT_EQ(read(record), int(RuntimeError::FileNotFound));
    EXPECT_EQ(record, untouched());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(CalibrationFileTest, AFolderInTheWayIsRaised)
{
    const Result<void> missing =
        writeCalibration(folder.path() + QStringLiteral("/missing/printA.cfg"), sample());
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().number(), int(RuntimeError::PathNotFound));
    // A folder where the file should be cannot be opened as one.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("printA.cfg")));
    const Result<void> onFolder = writeCalibration(path(), sample());
    ASSERT_FALSE(onFolder);
    EXPECT_EQ(onFolder.error().number(), int(RuntimeError::PathFileAccessError));
}

TEST_F(CalibrationFileTest, AFileThatMayNotBeWrittenIsLeftAsItWas)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    EXPECT_TRUE(writeCalibration(path(), sample()));
    ASSERT_TRUE(QFile::setPermissions(path(), QFile::ReadOwner));
    TaraturaAmbetto other = sample();
    other.Top = 99;
    const Result<void> written = writeCalibration(path(), other);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().number(), int(RuntimeError::PermissionDenied));
    TaraturaAmbetto back = untouched();
    ASSERT_EQ(read(back), std::nullopt);
    EXPECT_EQ(back, sample());
}

TEST_F(CalibrationFileTest, AFailedSaveLeavesWhatWasThereBeforeOrNothing)
{
    // A disk that takes 500 bytes more: the save fails half-way, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    const auto saveOnFullDisk = [&](const TaraturaAmbetto &record) -> std::optional<int> {
        limit.rlim_cur = 500;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        std::optional<int> number;
        if (const Result<void> written = writeCalibration(path(), record); !written)
            number = written.error().number();
        setrlimit(RLIMIT_FSIZE, &saved);
        return number;
    };

    // The first save: no file, and none left behind.
    EXPECT_EQ(saveOnFullDisk(sample()), int(RuntimeError::DiskFull));
    EXPECT_TRUE(
        QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    // A later one: the earlier bytes, a longer tail included, stay as they were.
    EXPECT_TRUE(writeCalibration(path(), sample()));
    writeBytes(fileBytes() + QByteArray(300, '\x5A'));
    const QByteArray before = fileBytes();
    TaraturaAmbetto other = sample();
    other.Top = 99;
    EXPECT_EQ(saveOnFullDisk(other), int(RuntimeError::DiskFull));
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("printA.cfg")});
}

} // namespace
