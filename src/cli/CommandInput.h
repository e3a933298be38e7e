#pragma once

#include "core/DrawArchive.h"
#include "core/Result.h"
#include "core/Sistema.h"

#include <QDate>
#include <QString>

namespace zelmora::command {

// A step of a command that fails: the message told on standard error, carried as the error's
// description; the command then exits 2.
RuntimeError failure(const QString &message);

// "zelmoravintesca: " and the text, on standard error.
void writeError(const QString &text);

// The exit status a command ends with when it fails.
constexpr int kFailure = 2;

// A command's exit code: its own, or, when a step failed, kFailure after the failure's message
// on standard error.
int exitCode(const Result<int> &steps);

// A command's output on standard output, written a piece at a time as it is made, so an
// output of any length takes little memory.
class StandardOutput
{
public:
    // False once any of the output could not be written; what follows is then dropped.
    bool write(const QString &text);
    // Writes what is still held: 0, or the failure told on standard error when not every byte
    // could be written.
    int finish();

private:
    bool flush();

    QByteArray m_held;
    bool m_failed = false;
};

// Writes the command's whole output on standard output, as StandardOutput does.
int writeOutput(const QString &out);

// A date of --dal or --al, in any way an archive writes it.
Result<QDate> readDate(const QString &value);

// " tra il 02/01/2024 e il 28/12/2024", " dal 02/01/2024", " fino al 28/12/2024", or nothing:
// the dates of --dal and --al as a message names them.
QString rangeText(const QDate &from, const QDate &to);

// A system file as the print buttons would take it: read, through the square check, its columns
// taken from its rows. The failure carries the message for the player.
Result<Sistema> readSystem(const QString &path);

// An archive file read as an import reads it: skipped lines and draws given twice with other
// numbers are told on standard error, the first kept. A failure when it cannot be read or
// holds no draw.
Result<DrawArchive> readArchive(const QString &path);

} // namespace zelmora::command
