#include "core/ArchiveAddress.h"

#include "core/BuildSettings.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

#include <QUrl>

namespace zelmora {

namespace {

// The address file holds one line; anything longer than this is not an address file.
constexpr qint64 kMaxAddressFileBytes = 4096;

// An address as a message shows it: whole when short, cut with "…" when a file holds a
// paragraph where the address should be.
QString shownAddress(const QString &address)
{
    constexpr qsizetype kShown = 200;
    return address.size() <= kShown ? address : address.left(kShown) + QStringLiteral("…");
}

} // namespace

QString archiveAddressPath(const QString &folder)
{
    return folder + QStringLiteral("aggiornamento.cfg");
}

QString addressInFile(const QByteArray &text)
{
    QByteArrayView rest(text);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    TextLines lines(rest);
    while (!lines.atEnd()) {
        const QString line = QString::fromUtf8(lines.next()).trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#'))
            return line;
    }
    return {};
}

Result<void> checkArchiveAddress(const QString &address, const QString &originText)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (url.isValid() && !url.host().isEmpty() &&
        (scheme == QLatin1String("http") || scheme == QLatin1String("https")))
        return {};
    return RuntimeError(RuntimeError::InvalidProcedureCall,
                        QStringLiteral("L'indirizzo dell'archivio \"%1\" (%2) non è ammesso: "
                                       "l'aggiornamento scarica solo da un indirizzo http:// o "
                                       "https:// completo.")
                            .arg(shownAddress(address), originText));
}

Result<ArchiveAddress> pickArchiveAddress(const QString &environment,
                                          const std::optional<QByteArray> &fileText,
                                          const QString &filePath, const QString &built)
{
    ArchiveAddress picked;
    const QString fromFile = fileText ? addressInFile(*fileText) : QString();
    if (!environment.trimmed().isEmpty()) {
        picked = {environment.trimmed(), ArchiveAddressOrigin::Environment,
                  QStringLiteral("dalla variabile d'ambiente %1")
                      .arg(QLatin1String(kArchiveAddressVariable))};
    } else if (!fromFile.isEmpty()) {
        picked = {fromFile, ArchiveAddressOrigin::File,
                  QStringLiteral("dal file %1").arg(filePath)};
    } else {
        picked = {built, ArchiveAddressOrigin::Build,
                  QStringLiteral("dall'impostazione del programma")};
    }
    const Result<void> checked = checkArchiveAddress(picked.address, picked.originText);
    if (!checked)
        return checked.error();
    return picked;
}

Result<ArchiveAddress> archiveAddress(const QString &folder)
{
    const QString path = archiveAddressPath(folder);
    std::optional<QByteArray> fileText;
    if (!nothingAt(path)) {
        Result<QByteArray> read = readWholeFile(path, kMaxAddressFileBytes);
        if (!read)
            return RuntimeError(read.error().number(),
                                QStringLiteral("Il file dell'indirizzo dell'archivio %1 non si "
                                               "può leggere: %2.")
                                    .arg(path, fileFailureText(read.error())));
        fileText = std::move(read).value();
    }
    return pickArchiveAddress(qEnvironmentVariable(kArchiveAddressVariable), fileText, path,
                              archiveUrl());
}

} // namespace zelmora
