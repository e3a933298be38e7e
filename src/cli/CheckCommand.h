#pragma once

#include "core/Result.h"

#include <QDate>
#include <QStringList>

namespace zelmora {

// What --verifica is asked: the system, the archive and the dates (invalid for an open end).
struct CheckOptions
{
    QString systemPath;
    QString archivePath;
    QDate from, to;
};

// The arguments after "--verifica" read: two files and the dates of --dal and --al. A failure
// carries the message and the usage for standard error.
Result<CheckOptions> readCheckOptions(const QStringList &arguments);

// The check from the command line, for scripts and spreadsheets:
//   zelmoravintesca --verifica SYSTEM.zlm ARCHIVE.txt [--dal DATE] [--al DATE]
// 'arguments' are those after "--verifica". Checks the system against the archive's draws on
// its wheel between the dates (any form the archive takes) and writes to standard output one
// line per winning play per draw, DATE TAB WHEEL TAB PLAY TAB HITS TAB GROSS TAB NET, then
// TOTAL TAB DRAWS TAB WINNING_DRAWS TAB STAKED TAB GROSS TAB NET. Opens no window, needs no
// display, asks no server and ignores a running copy. The withholding is the setting of the
// program's data folder. Messages go to standard error. Returns the exit code: 0, or 2 when
// the system, the archive or the arguments cannot be used.
int runCheck(const QStringList &arguments, const QString &dataFolder);

} // namespace zelmora
