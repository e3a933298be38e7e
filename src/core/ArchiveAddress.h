#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zelmora {

// Where "Aggiorna archivio" downloads the public archive from. The build names an address
// (archiveUrl()); one line in "aggiornamento.cfg" in the program folder names another (a
// mirror, a text file of the player's), and the environment variable ZELMORA_ARCHIVE_URL names
// one stronger still, for tests and benchmarks that run a server of their own. Only http and
// https addresses are taken.

// Where an address came from, strongest first.
enum class ArchiveAddressOrigin
{
    Environment,
    File,
    Build
};

struct ArchiveAddress
{
    QString address;
    ArchiveAddressOrigin origin = ArchiveAddressOrigin::Build;
    // Where it came from, as the messages say it: "dal file /…/aggiornamento.cfg".
    QString originText;
};

// The environment variable that overrides every other address.
inline constexpr char kArchiveAddressVariable[] = "ZELMORA_ARCHIVE_URL";

// The address file's path in a program folder ending in "/".
QString archiveAddressPath(const QString &folder);

// The address the file's text names: its first line that is neither blank nor a comment ('#'),
// trimmed; a UTF-8 byte-order mark before it is ignored. Empty when there is none.
QString addressInFile(const QByteArray &text);

// An address to download from, when it is a whole http or https address with a host. Otherwise
// error 5, described in Italian with the address and `originText`.
Result<void> checkArchiveAddress(const QString &address, const QString &originText);

// Picks the address from what each place holds: the environment's value when not empty, else
// the file's line (`fileText` unset when there is no file; a file without an address line
// names none), else the build's. The one picked is checked as checkArchiveAddress does; a
// weaker one never stands in for a refused stronger one.
Result<ArchiveAddress> pickArchiveAddress(const QString &environment,
                                          const std::optional<QByteArray> &fileText,
                                          const QString &filePath, const QString &built);

// The address for the program folder given: the environment, its address file, the build. A
// file that is there but cannot be read is an error naming it.
Result<ArchiveAddress> archiveAddress(const QString &folder);

} // namespace zelmora
