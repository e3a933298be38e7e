#pragma once

#include "core/Draw.h"

#include <QByteArray>
#include <QList>
#include <QStringView>
#include <functional>
#include <optional>

namespace zelmora {

// The draw on one line of an archive: a date (YYYY/MM/DD, YYYY-MM-DD or DD/MM/YYYY), a wheel
// (code or name) and five different numbers from 1 to 90, separated by tabs, blanks, commas or
// semicolons. Nothing when the line holds anything else: a line is read or refused, never
// guessed.
std::optional<Draw> parseDrawLine(QStringView line);

// Five different numbers from 1 to 90 and nothing else, separated as on an archive line
// ("7 12 45 80 81"): the numbers of one draw the player types. Nothing for anything else.
std::optional<std::array<std::uint8_t, 5>> parseDrawnNumbers(QStringView text);

// How many skipped lines a reading remembers by number.
constexpr int kSkippedLinesKept = 10;

// The longest line that may hold a draw: a draw line takes about 30 bytes, so a longer line is
// a bad line whatever it holds, and reading it costs no more than this.
constexpr qsizetype kMaxDrawLineBytes = 1024;

// Told now and then how far a long reading has come (`done` of `total`, in bytes); returning
// false stops it.
using ArchiveProgress = std::function<bool(qint64 done, qint64 total)>;

// What an archive's text holds.
struct ArchiveReading
{
    QList<Draw> draws;        // in the order of the file
    int linesRead = 0;        // every line, blank and comment lines included
    int skippedCount = 0;     // lines that hold no draw and are not blank or a comment
    QList<int> skippedLines;  // the first kSkippedLinesKept of them, numbered from 1
    bool notText = false;     // the bytes hold a NUL: not a text file, nothing read
    bool interrupted = false; // the progress callback stopped the reading half-way
    int leftOut = 0;          // draws on the lines past the size read (see readStoredArchive)

    // Reads one more line (without its end) as every archive line is read: a draw is handed to
    // `draw` (or only counted in leftOut when `draw` is null), a blank or comment line is
    // passed over, anything else is skipped and counted with its number.
    void readLine(QByteArrayView line, QList<Draw> *draws);
};

// Reads every line of an archive. Lines end at LF, CR LF or CR; blank lines and lines whose
// first character other than a blank is '#' are skipped without a word; a UTF-8 byte-order
// mark at the start is ignored. `progress`, when given, hears of the bytes read now and then.
ArchiveReading parseArchiveText(const QByteArray &bytes, const ArchiveProgress &progress = {});

} // namespace zelmora
