// The check window's check of the largest archive the program accepts, beside the check from
// the command line on the same files. The window is opened as the player opens it (its
// archive read on its worker), then Verifica runs the check; the command reads the files and
// checks. Both the window's opening and its check are timed.
//   zelmora_bench_window PROGRAM RESULTS_FILE [RUNS]
// RESULTS_FILE gets "window_open_ms", "window_check_ms" and "command_ms", each followed by one
// value a run.

#include "BenchArchive.h"
#include "BenchSystem.h"
#include "app/Program.h"
#include "app/QtUiServices.h"
#include "core/SystemFile.h"
#include "ui/frmVerifica.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelmora;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void waitWhileBusy(const frmVerifica &window)
{
    while (window.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QString values(const QList<qint64> &list)
{
    QStringList out;
    for (qint64 v : list)
        out << QString::number(v);
    return out.join(u' ');
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "uso: zelmora_bench_window PROGRAMMA RISULTATI [VOLTE]\n");
        return 2;
    }
    const int runs = args.size() > 3 ? args[3].toInt() : 3;
    QTemporaryDir folder;
    Sistema sistema = bench::benchSystem();
    const QString archivePath = folder.filePath(QStringLiteral("estrazioni.txt"));
    const QString systemPath = folder.filePath(QStringLiteral("sistema.zlm"));
    const DrawArchive archive = bench::largestArchive();
    const int draws = archive.size();
    if (!writeFile(archivePath, archive.toText()) ||
        !writeFile(systemPath, encodeSistema(sistema))) {
        std::fprintf(stderr, "the files could not be written\n");
        return 1;
    }
    // The program's own services and printers, as the program hands them to the window.
    Program program;
    QtUiServices services;
    program.ui = &services;
    program.appPath = folder.path() + u'/';

    QList<qint64> opened, checked, command;
    for (int run = 0; run < runs; ++run) {
        {
            frmVerifica window(sistema, program);
            window.show();
            QElapsedTimer timer;
            timer.start();
            window.Form_Load();
            waitWhileBusy(window);
            opened << timer.elapsed();
            timer.restart();
            window.cmdVerifica_Click();
            waitWhileBusy(window);
            checked << timer.elapsed();
            if (!window.result() || window.result()->totals.drawsChecked != draws) {
                std::fprintf(stderr, "the window did not check every draw\n");
                return 1;
            }
        }
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(args[1], {QStringLiteral("--verifica"), systemPath, archivePath});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            std::fprintf(stderr, "--verifica failed\n");
            return 1;
        }
        command << timer.elapsed();
        std::printf("run %d: window opened in %lld ms, checked %d draws in %lld ms; --verifica "
                    "%lld ms\n",
                    run + 1, opened.last(), draws, checked.last(), command.last());
    }
    const QString results = QStringLiteral("window_open_ms %1\nwindow_check_ms %2\ncommand_ms %3\n")
                                .arg(values(opened), values(checked), values(command));
    return writeFile(args[2], results.toUtf8()) ? 0 : 1;
}
