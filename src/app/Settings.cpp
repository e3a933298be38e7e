#include "app/Settings.h"

#include "app/UiServices.h"
#include "core/Cp1252.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "print/Printer.h"

namespace zelmora {

namespace {

// Reads the file line by line, as a text file is read: each line up to its end, with no end
// at all past the last byte.
class LineReader
{
public:
    explicit LineReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    QString next()
    {
        if (m_at >= m_bytes.size())
            throw RuntimeError(RuntimeError::InputPastEndOfFile);
        qsizetype end = m_at;
        while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
            ++end;
        const QString line = fromCp1252(m_bytes.mid(m_at, end - m_at));
        m_at = end;
        if (m_at < m_bytes.size() && m_bytes[m_at] == '\r')
            ++m_at;
        if (m_at < m_bytes.size() && m_bytes[m_at] == '\n')
            ++m_at;
        return line;
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

} // namespace

QString impostazioniPath(const QString &appPath)
{
    return appPath + QStringLiteral("impostazioni.cfg");
}

void ReadConfiguration(ProgramContext &context)
{
    const QString path = impostazioniPath(context.appPath);
    if (nothingAt(path)) {
        // Never saved yet: a blank heading and the listing on the default printer.
        context.intestazioneStampa.clear();
        context.stampanteTabulato = print::DefaultPrinterName();
        return;
    }
    try {
        LineReader file(readWholeFile(path, kMaxTextFileBytes));
        context.intestazioneStampa = file.next();
        context.stampanteTabulato = file.next();
    } catch (const RuntimeError &error) {
        plainMessage(moduleErrorMessage(error, QStringLiteral("ReadConfiguration")));
    }
}

QByteArray configurationBytes(const QString &heading, const QString &printer)
{
    return toCp1252(heading + QStringLiteral("\r\n") + printer + QStringLiteral("\r\n"));
}

void WriteConfiguration(const ProgramContext &context)
{
    writeWholeFile(impostazioniPath(context.appPath),
                   configurationBytes(context.intestazioneStampa, context.stampanteTabulato));
}

} // namespace zelmora
