// Feeds arbitrary bytes to the settings reader as impostazioni.cfg in a temporary program
// folder. A file read without complaint must read back the same after the program
// writes those two settings again.
#include "app/Settings.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *g_dir = nullptr;
zelmora::ProgramContext *g_context = nullptr;

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
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
    g_context = new zelmora::ProgramContext;
    g_context->appPath = g_dir->path() + u'/';
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace zelmora;
    ProgramContext &context = *g_context;
    writeBytes(impostazioniPath(context.appPath), reinterpret_cast<const char *>(data),
               qsizetype(size));
    context.intestazioneStampa.clear();
    context.stampanteTabulato.clear();

    if (!readSettingsFile(context))
        return 0;

    const QString heading = context.intestazioneStampa;
    const QString printer = context.stampanteTabulato;
    const QByteArray written = configurationBytes(heading, printer);
    writeBytes(impostazioniPath(context.appPath), written.constData(), written.size());
    if (!readSettingsFile(context) || context.intestazioneStampa != heading ||
        context.stampanteTabulato != printer) {
        std::fprintf(stderr, "written settings read back different\n");
        std::abort();
    }
    return 0;
}
