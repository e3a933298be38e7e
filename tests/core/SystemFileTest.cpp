#include "core/SystemFile.h"
#include "core/Stakes.h"

#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

using namespace zelmora;

namespace {

Sistema provaSystem()
{
    Sistema s;
    s.Ruota = QStringLiteral("Bari");
    s.NomeSistema = QStringLiteral("prova.zlm");
    const int rows[4][4] = {{7, 11, 12, 13}, {21, 7, 22, 23}, {31, 32, 7, 33}, {41, 42, 43, 7}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            s.Righe[r][c] = std::uint8_t(rows[r][c]);
    Trasponi(s);
    s.Capogioco = 7;
    s.Puntate = puntate12Euro();
    s.Vincite = CalcolaVincite(s.Puntate);
    s.ImportoSistema = 12.0f;
    return s;
}

float floatAt(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<float>(bytes.constData() + offset);
}

TEST(SystemFileTest, LayoutOfASavedSystem)
{
    const QByteArray bytes = encodeSistema(provaSystem());
    ASSERT_EQ(bytes.size(), 106);
    EXPECT_EQ(bytes.left(15), QByteArray("Zelmoravintesca"));
    EXPECT_EQ(bytes.mid(15, 10), QByteArray("Bari      "));
    EXPECT_EQ(bytes.mid(25, 20), QByteArray("prova.zlm           "));
    EXPECT_EQ(floatAt(bytes, 45), 12.0f);
    EXPECT_EQ(bytes.mid(45, 4), QByteArray::fromHex("00004041"));
    EXPECT_EQ(bytes.mid(49, 4), QByteArray::fromHex("070b0c0d")); // row 1
    EXPECT_EQ(bytes.mid(65, 4), QByteArray::fromHex("07151f29")); // column 1
    EXPECT_EQ(bytes.at(81), 7);
    EXPECT_EQ(floatAt(bytes, 82), 1.15f);
    EXPECT_EQ(bytes.mid(82, 4), QByteArray::fromHex("3333933f"));
    EXPECT_EQ(floatAt(bytes, 86), 0.25f);
    EXPECT_EQ(floatAt(bytes, 90), 0.10f);
    EXPECT_EQ(floatAt(bytes, 94), CalcolaVincite(puntate12Euro())[0]);
}

TEST(SystemFileTest, TextsAreWindows1252)
{
    Sistema s = provaSystem();
    s.NomeSistema = QStringLiteral("€uro è.zlm");
    const QByteArray bytes = encodeSistema(s);
    ASSERT_EQ(bytes.size(), 106);
    EXPECT_EQ(bytes.mid(25, 10), QByteArray("\x80uro \xE8.zlm"));
    const auto back = decodeSistema(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->NomeSistema.trimmed(), QStringLiteral("€uro è.zlm"));
}

TEST(SystemFileTest, RoundTripKeepsEveryField)
{
    const Sistema s = provaSystem();
    const auto back = decodeSistema(encodeSistema(s));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Ruota, s.Ruota);
    EXPECT_EQ(back->NomeSistema, s.NomeSistema);
    EXPECT_EQ(back->Righe, s.Righe);
    EXPECT_EQ(back->Colonne, s.Colonne);
    EXPECT_EQ(back->Capogioco, 7);
    EXPECT_EQ(back->Puntate, s.Puntate);
    EXPECT_EQ(back->Vincite, s.Vincite);
    // Bytes after the record are ignored.
    EXPECT_TRUE(decodeSistema(encodeSistema(s) + QByteArray(500, 'x')));
}

QByteArray withStake(int index, float value)
{
    QByteArray bytes = encodeSistema(provaSystem());
    qToLittleEndian(value, bytes.data() + 82 + 4 * index);
    return bytes;
}

TEST(SystemFileTest, MalformedFilesAreRefused)
{
    const QByteArray good = encodeSistema(provaSystem());
    const struct
    {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"signature only", good.left(15)},
        {"one byte short", good.left(105)},
        {"text file", QByteArray("Bari\r\nCagliari\r\nFirenze\r\n")},
        {"signature in other case", QByteArray("zelmoravintesca") + good.mid(15)},
        {"NaN stake", withStake(0, std::numeric_limits<float>::quiet_NaN())},
        {"infinite stake", withStake(1, std::numeric_limits<float>::infinity())},
        {"negative stake", withStake(2, -1.0f)},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(decodeSistema(c.bytes)) << c.name;
}

TEST(SystemFileTest, RandomBytesNeverPassUnlessTheyCarryTheSignature)
{
    std::mt19937 generator(12345);
    for (int n = 0; n < 500; ++n) {
        QByteArray bytes(int(generator() % 200), '\0');
        for (char &b : bytes)
            b = char(generator());
        if (n % 2)
            bytes.replace(0, std::min<qsizetype>(15, bytes.size()),
                          QByteArray("Zelmoravintesca").left(bytes.size()));
        const auto decoded = decodeSistema(bytes);
        if (decoded) {
            EXPECT_GE(bytes.size(), 106);
            for (float p : decoded->Puntate)
                EXPECT_TRUE(std::isfinite(p) && p >= 0.0f);
        }
    }
}

} // namespace
