#pragma once

#include "core/Result.h"

#include <QDate>
#include <QStringList>

namespace zelmora {

// What --statistiche is asked: the archive, the wheel as written (null for the system's), the
// system (null without --sistema) and the dates (invalid for an open end).
struct StatisticsOptions
{
    QString archivePath;
    QString wheel;
    QString systemPath;
    QDate from, to;
};

// The arguments after "--statistiche" read. A failure carries the message and the usage for
// standard error.
Result<StatisticsOptions> readStatisticsOptions(const QStringList &arguments);

// The numbers' figures from the command line, for scripts:
//   zelmoravintesca --statistiche ARCHIVE.txt [--ruota WHEEL] [--dal DATE] [--al DATE]
//                   [--sistema SYSTEM.zlm]
// 'arguments' are those after "--statistiche". Over the archive's draws of the wheel between
// the dates writes to standard output, tab-separated, "DRAWS" and their count, one line a
// number 1 to 90 (number, frequency, delay, maximum delay) and, with a system, one line a play
// 1 to 8 ("PLAY", the play, its ambo, terno and quaterna delays). The wheel is --ruota's, else
// the system's. Opens no window and needs no display; messages go to standard error. Returns
// the exit code: 0, or 2 when an input cannot be used, no draw is in the range, or the output
// could not be written whole.
int runStatistics(const QStringList &arguments);

} // namespace zelmora
