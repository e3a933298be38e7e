#include "core/Cp1252.h"
#include "core/FixedText.h"
#include "core/RuntimeError.h"
#include "core/Sistema.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

TEST(FixedTextTest, CutsAndPadsOnTheRight)
{
    FixedText<10> wheel;
    EXPECT_EQ(wheel.text(), QString(10, u' '));
    wheel = QStringLiteral("Bari");
    EXPECT_EQ(wheel.text(), QStringLiteral("Bari      "));
    wheel = QStringLiteral("Nazionale-Extra");
    EXPECT_EQ(wheel.text(), QStringLiteral("Nazionale-"));
    EXPECT_EQ(FixedText<20>(QStringLiteral("prova.zlm")).trimmed(), QStringLiteral("prova.zlm"));
}

TEST(Cp1252Test, EuroAndAccentsUseTheWindowsBytes)
{
    EXPECT_EQ(toCp1252(QStringLiteral("€")), QByteArray("\x80"));
    EXPECT_EQ(toCp1252(QStringLiteral("è")), QByteArray("\xE8"));
    EXPECT_EQ(toCp1252(QStringLiteral("“ok”")), QByteArray("\x93ok\x94"));
    EXPECT_EQ(fromCp1252(QByteArray("\x80 5")), QStringLiteral("€ 5"));
    // Characters outside the code page cannot be stored: they become "?".
    EXPECT_EQ(toCp1252(QStringLiteral("a→b")), QByteArray("a?b"));
}

TEST(Cp1252Test, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(RuntimeErrorTest, ComposesTheMessagesOfModuleAndWindowRoutines)
{
    EXPECT_EQ(
        moduleErrorMessage(RuntimeError(53), QStringLiteral("ReadConfiguration")),
        QStringLiteral("Error 53 (File not found) in procedure ReadConfiguration of Modulo corpo"));
    EXPECT_EQ(
        formErrorMessage(RuntimeError(RuntimeError::PermissionDenied),
                         QStringLiteral("cmdSalva_Click"), QStringLiteral("frmMain")),
        QStringLiteral("Error 70 (Permission denied) in procedure cmdSalva_Click of Form frmMain"));
    EXPECT_EQ(RuntimeError(62).description(), QStringLiteral("Input past end of file"));
    EXPECT_EQ(RuntimeError(482).description(), QStringLiteral("Printer error"));
}

TEST(SistemaTest, PlaysAreRowsThenColumns)
{
    Sistema s;
    int n = 1;
    for (auto &row : s.Righe)
        for (auto &cell : row)
            cell = std::uint8_t(n++);
    Trasponi(s);
    EXPECT_EQ(s.Colonne[1][3], s.Righe[3][1]);
    EXPECT_EQ(giocata(s, 2), (std::array<std::uint8_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ(giocata(s, 6), (std::array<std::uint8_t, 4>{2, 6, 10, 14}));
}

} // namespace
