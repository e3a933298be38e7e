#pragma once

#include "core/Sistema.h"

#include <QByteArray>
#include <optional>

namespace zelmora {

// A system on disk: the 15-byte signature "Zelmoravintesca", then the record field by field,
// 106 bytes in all. Numbers are little-endian IEEE 754 single precision, texts Windows-1252
// padded with blanks.
constexpr int kSystemFileSize = 106;
extern const char kSystemSignature[16]; // "Zelmoravintesca"

QByteArray encodeSistema(const Sistema &sistema);

// True when the bytes begin with the signature.
bool hasSystemSignature(const QByteArray &bytes);

// The record stored after the signature, or nothing when the file cannot be a system: a
// wrong signature, fewer than 106 bytes, a number of the square or a lead number above 90, or
// stakes that are not finite and non-negative.
// Bytes after the first 106 are ignored.
std::optional<Sistema> decodeSistema(const QByteArray &bytes);

} // namespace zelmora
