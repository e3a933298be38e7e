#include "app/Settings.h"

#include "app/Program.h"
#include "core/Cp1252.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

namespace zelmora {

namespace {

// Reads the file line by line, as a text file is read; a line asked for past the last byte is
// input past the end of the file.
class LineReader
{
public:
    explicit LineReader(QByteArray bytes) : m_bytes(std::move(bytes)), m_lines(m_bytes) {}

    Result<QString> next()
    {
        if (m_lines.atEnd())
            return RuntimeError(RuntimeError::InputPastEndOfFile);
        return fromCp1252(m_lines.next().toByteArray());
    }

private:
    QByteArray m_bytes;
    TextLines m_lines;
};

} // namespace

QString impostazioniPath(const QString &appPath)
{
    return appPath + QStringLiteral("impostazioni.cfg");
}

Result<void> readSettingsFile(Program &program)
{
    const QString path = impostazioniPath(program.appPath);
    if (nothingAt(path)) {
        // Never saved yet: a blank heading and the listing on the default printer.
        program.intestazioneStampa.clear();
        program.stampanteTabulato = program.printers.DefaultPrinterName();
        return {};
    }
    Result<QByteArray> bytes = readWholeFile(path, kMaxTextFileBytes);
    if (!bytes)
        return bytes.error();
    // Each line read is kept, so a file cut short still gives its heading.
    LineReader file(std::move(bytes).value());
    for (QString *line : {&program.intestazioneStampa, &program.stampanteTabulato}) {
        const Result<QString> read = file.next();
        if (!read)
            return read.error();
        *line = *read;
    }
    return {};
}

QByteArray configurationBytes(const QString &heading, const QString &printer)
{
    return toCp1252(heading + QStringLiteral("\r\n") + printer + QStringLiteral("\r\n"));
}

Result<void> writeSettingsFile(Program &program)
{
    return writeWholeFile(
        impostazioniPath(program.appPath),
        configurationBytes(program.intestazioneStampa, program.stampanteTabulato));
}

} // namespace zelmora
