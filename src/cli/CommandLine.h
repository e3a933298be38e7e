#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace zelmora {

// What the command line asks for. The window takes Qt's own options (-platform, -style,
// -display, ...) and one system file to open; everything else is one of the program's
// commands, which need no display.
struct CommandLine
{
    enum Kind
    {
        Window,  // start the program's windows; `arguments` are argv for QApplication
        Open,    // the windows with the system file `file` open; `arguments` as for Window
        Check,   // the check from the command line; `arguments` follow "--verifica"
        Help,    // the usage on standard output
        Version, // the version on standard output
        Unknown, // an argument the program does not know: the usage on standard error

        // The numbers' figures from the command line; `arguments` follow "--statistiche".
        Statistics,
        // The archive brought up to date from the public archive; `arguments` follow
        // "--aggiorna".
        Update,

        // More than one file to open: the usage on standard error; `arguments` are the files.
        ManyFiles,
    };
    Kind kind = Window;
    QStringList arguments;
    QString unknown; // the argument not understood, for Unknown
    QString file;    // the system file to open, as given, for Open
};

// Reads the arguments after the program's name. "--help" or "-h" anywhere asks for the usage,
// then "--version"; "--verifica" anywhere starts the check with every other argument that is
// not one of Qt's window options, and "--statistiche" the figures likewise; otherwise an
// argument that starts with "-" and is not one of Qt's options is Unknown, one other argument
// is a system file to open and two or more are ManyFiles.
CommandLine parseCommandLine(const QStringList &arguments);

// The usage, in Italian.
QString usageText();

// Writes the text to the stream whole: false when any of it could not be written (a full
// disk, a closed stream), so that a command never reports success for output it lost.
bool writeWhole(std::FILE *stream, const QByteArray &bytes);
// Tells on standard error that standard output failed, with the system's reason (errno).
void reportOutputFailure();

// Runs a command that needs no window (Help, Version, Unknown, ManyFiles, Check, Statistics,
// Update) and
// returns the exit code: 0, or 2 when the arguments or the input cannot be used or the output
// could not be written whole. `dataFolder` is where the program keeps its files (ending in
// "/"), as the windows find it.
int runCommand(const CommandLine &command, const QString &dataFolder);

// Points a standard stream that was closed at start (0, 1 or 2) at /dev/null, read-only, so
// that no file the program opens later takes its number and every write to it fails, as a
// write to a closed stream should.
void guardStandardStreams();

// True when a window can be shown: a display is set, or a Qt platform is chosen.
bool windowPossible(const QStringList &arguments);

} // namespace zelmora
