// Feeds arbitrary bytes to the settings reader as impostazioni.cfg in a temporary program
// folder. A file read without complaint must read back the same after the program
// writes those two settings again.
#include "FuzzFailure.h"
#include "app/Program.h"
#include "app/Settings.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *g_dir = nullptr;
zelmora::Program *g_program = nullptr;

// A new file every time: rewriting one in place makes ext4 flush it to disk on close, which
// slows the run down several times over.
void writeBytes(const QString &path, const char *data, qsizetype size)
{
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data, size) != size) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    g_dir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/zelmora-fuzz-XXXXXX"));
    if (!g_dir->isValid()) {
        fuzzFailure("no temporary folder");
    }
    g_program = new zelmora::Program;
    g_program->appPath = g_dir->path() + u'/';
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace zelmora;
    Program &program = *g_program;
    writeBytes(impostazioniPath(program.appPath), reinterpret_cast<const char *>(data),
               qsizetype(size));
    program.intestazioneStampa.clear();
    program.stampanteTabulato.clear();

    if (!readSettingsFile(program))
        return 0;

    const QString heading = program.intestazioneStampa;
    const QString printer = program.stampanteTabulato;
    const QByteArray written = configurationBytes(heading, printer);
    writeBytes(impostazioniPath(program.appPath), written.constData(), written.size());
    if (!readSettingsFile(program) || program.intestazioneStampa != heading ||
        program.stampanteTabulato != printer) {
        fuzzFailure("written settings read back different");
    }
    return 0;
}
