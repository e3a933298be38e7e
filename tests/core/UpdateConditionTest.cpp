// The condition kept beside the archive for the next update: read back as written, never a
// header that could carry another, and sent only while the archive holds what it describes.

#include "core/UpdateCondition.h"
#include "core/FileIO.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmora;

namespace {

const ArchiveFingerprint kHeld{12, QByteArray(64, 'a')};

TEST(UpdateConditionTest, ValidatorsAreKeptOnlyWhenTheyCanBeSentBackAsTheyCame)
{
    const struct
    {
        QByteArray value;
        bool usable;
    } cases[] = {
        {"\"5f3a-1b2\"", true},
        {"W/\"xyz\"", true},
        {"Tue, 02 Jan 2024 10:00:00 GMT", true},
        {QByteArray(1024, 'e'), true},
        {QByteArray(1025, 'e'), false},
        {"", false},
        {"\"a\"\r\nSet-Cookie: x=1", false},
        {"\"a\"\nX: 1", false},
        {"\"\xC3\xA8\"", false},
        {"\"a\"\t", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isUsableValidator(c.value), c.usable) << c.value.toStdString();
}

TEST(UpdateConditionTest, TheFileReadsBackAsWrittenAndAnythingElseIsNoCondition)
{
    const UpdateCondition written{"\"v1\"", "Tue, 02 Jan 2024 10:00:00 GMT", kHeld,
                                  QDate(2024, 1, 2)};
    const std::optional<UpdateCondition> read = parseUpdateCondition(updateConditionText(written));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->etag, written.etag);
    EXPECT_EQ(read->lastModified, written.lastModified);
    EXPECT_EQ(read->archive, written.archive);
    EXPECT_EQ(read->lastDraw, written.lastDraw);

    const QByteArray sha = "sha256: " + QByteArray(64, 'a') + "\n";
    for (const QByteArray &text :
         {QByteArray("etag: \"v\"\nsize: 12\n"), "size: 12\n" + sha,
          "etag: \"v\"\nsize: -1\n" + sha, "etag: \"v\"\nsize: 1x\n" + sha,
          "etag: \"v\"\nsize: 12\nsha256: " + QByteArray(63, 'a'),
          "etag: \"v\"\nsize: 12\nsha256: " + QByteArray(64, 'A'),
          "etag: \"v\x01\"\nsize: 12\n" + sha,
          "etag: \"v\"\nsize: 12\nlast-draw: 2023-02-29\n" + sha, QByteArray("garbage")})
        EXPECT_FALSE(parseUpdateCondition(text)) << text.toStdString();
}

TEST(UpdateConditionTest, AFingerprintIsTheWholeFilesSizeAndSha256)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("estrazioni.txt"));
    const auto fingerprintOf = [&](const QByteArray &bytes) {
        EXPECT_TRUE(replaceOwnFile(path, bytes));
        return *fingerprintFile(path);
    };
    // Read across several blocks, the digest is Qt's digest of the whole.
    QByteArray large(3 * 1024 * 1024 + 7, 'x');
    large[2 * 1024 * 1024] = 'y';
    EXPECT_EQ(
        fingerprintOf(large),
        (ArchiveFingerprint{large.size(),
                            QCryptographicHash::hash(large, QCryptographicHash::Sha256).toHex()}));
    EXPECT_FALSE(fingerprintFile(path, [] { return true; }));
    EXPECT_FALSE(fingerprintFile(folder.filePath(QStringLiteral("nessuno"))));

    // A link planted at the condition's name is replaced, never written through.
    const QString condition = updateConditionPath(path);
    const QString victim = folder.filePath(QStringLiteral("altro.txt"));
    ASSERT_TRUE(replaceOwnFile(victim, "altrui"));
    ASSERT_TRUE(QFile::link(victim, condition));
    ASSERT_TRUE(writeUpdateCondition(condition, {"\"v\"", {}, kHeld, {}}));
    EXPECT_FALSE(QFileInfo(condition).isSymLink());
    EXPECT_EQ(*readWholeFile(victim, 100), QByteArray("altrui"));
    EXPECT_EQ(readUpdateCondition(condition)->etag, QByteArray("\"v\""));
}

} // namespace
