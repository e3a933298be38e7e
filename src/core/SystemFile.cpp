#include "core/SystemFile.h"

#include "core/Cp1252.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace zelmora {

const char kSystemSignature[16] = "Zelmoravintesca";

namespace {

constexpr int kSignatureSize = 15;

void appendFloat(QByteArray &out, float value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

float readFloat(const char *at)
{
    return qFromLittleEndian<float>(at);
}

void appendSquare(QByteArray &out, const Square &square)
{
    for (const auto &run : square)
        for (std::uint8_t n : run)
            out.append(char(n));
}

// True when every number of the square is 0 (empty) or a Lotto number.
bool inLottoRange(const Square &square)
{
    for (const auto &run : square)
        for (std::uint8_t n : run)
            if (n > 90)
                return false;
    return true;
}

Square readSquare(const char *at)
{
    Square square{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            square[i][j] = static_cast<std::uint8_t>(at[i * 4 + j]);
    return square;
}

} // namespace

QByteArray encodeSistema(const Sistema &s)
{
    QByteArray out;
    out.reserve(kSystemFileSize);
    out.append(kSystemSignature, kSignatureSize);
    out.append(toCp1252(s.Ruota.text()));
    out.append(toCp1252(s.NomeSistema.text()));
    appendFloat(out, s.ImportoSistema);
    appendSquare(out, s.Righe);
    appendSquare(out, s.Colonne);
    out.append(char(s.Capogioco));
    for (float p : s.Puntate)
        appendFloat(out, p);
    for (float v : s.Vincite)
        appendFloat(out, v);
    return out;
}

bool hasSystemSignature(const QByteArray &bytes)
{
    return bytes.size() >= kSignatureSize &&
           std::memcmp(bytes.constData(), kSystemSignature, kSignatureSize) == 0;
}

std::optional<Sistema> decodeSistema(const QByteArray &bytes)
{
    if (!hasSystemSignature(bytes) || bytes.size() < kSystemFileSize)
        return std::nullopt;
    const char *p = bytes.constData();
    Sistema s;
    s.Ruota = fromCp1252(QByteArray(p + 15, 10));
    s.NomeSistema = fromCp1252(QByteArray(p + 25, 20));
    s.ImportoSistema = readFloat(p + 45);
    s.Righe = readSquare(p + 49);
    s.Colonne = readSquare(p + 65);
    s.Capogioco = static_cast<std::uint8_t>(p[81]);
    // A number the program could never have saved: the file is damaged, and is refused whole
    // rather than shown number by number.
    if (!inLottoRange(s.Righe) || !inLottoRange(s.Colonne) || s.Capogioco > 90)
        return std::nullopt;
    for (int i = 0; i < 3; ++i) {
        s.Puntate[i] = readFloat(p + 82 + 4 * i);
        s.Vincite[i] = readFloat(p + 94 + 4 * i);
        if (!std::isfinite(s.Puntate[i]) || s.Puntate[i] < 0.0f)
            return std::nullopt;
    }
    return s;
}

} // namespace zelmora
