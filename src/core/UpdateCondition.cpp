#include "core/UpdateCondition.h"

#include "core/DrawDate.h"
#include "core/FileIO.h"
#include "core/RuntimeError.h"
#include "core/TextLines.h"

#include <QCryptographicHash>
#include <algorithm>

namespace zelmora {

namespace {

// The file is the program's own and a few hundred bytes long.
constexpr qint64 kMaxConditionBytes = 8192;
constexpr qsizetype kMaxValidatorBytes = 1024;

bool isSha256Text(QByteArrayView text)
{
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

} // namespace

QString updateConditionPath(const QString &archivePath)
{
    return archivePath + QStringLiteral(".cond");
}

bool isUsableValidator(QByteArrayView value)
{
    return !value.isEmpty() && value.size() <= kMaxValidatorBytes &&
           std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c <= 0x7e; });
}

QByteArray updateConditionText(const UpdateCondition &condition)
{
    QByteArray text = "# Zelmoravintesca, Aggiorna archivio: l'ultima risposta del server e "
                      "l'archivio dopo l'unione\n";
    if (!condition.etag.isEmpty())
        text += "etag: " + condition.etag + '\n';
    if (!condition.lastModified.isEmpty())
        text += "last-modified: " + condition.lastModified + '\n';
    text += "size: " + QByteArray::number(condition.archive.size) + '\n';
    text += "sha256: " + condition.archive.sha256 + '\n';
    if (condition.lastDraw.isValid())
        text += "last-draw: " + drawDateText(condition.lastDraw).toLatin1() + '\n';
    return text;
}

std::optional<UpdateCondition> parseUpdateCondition(QByteArrayView text)
{
    UpdateCondition condition;
    bool sized = false;
    TextLines lines(text);
    while (!lines.atEnd()) {
        const QByteArrayView line = lines.next();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            return std::nullopt;
        const QByteArrayView key = line.first(colon);
        const QByteArray value = line.sliced(colon + 1).toByteArray().trimmed();
        if (key == "etag" || key == "last-modified") {
            if (!isUsableValidator(value))
                return std::nullopt;
            (key == "etag" ? condition.etag : condition.lastModified) = value;
        } else if (key == "size") {
            const bool digits =
                !value.isEmpty() && std::all_of(value.begin(), value.end(),
                                                [](char c) { return c >= '0' && c <= '9'; });
            condition.archive.size = value.toLongLong(&sized);
            if (!digits || !sized)
                return std::nullopt;
        } else if (key == "sha256") {
            if (!isSha256Text(value))
                return std::nullopt;
            condition.archive.sha256 = value;
        } else if (key == "last-draw") {
            condition.lastDraw = QDate::fromString(QString::fromLatin1(value), Qt::ISODate);
            if (!condition.lastDraw.isValid())
                return std::nullopt;
        }
    }
    if (!sized || condition.archive.sha256.isEmpty() ||
        (condition.etag.isEmpty() && condition.lastModified.isEmpty()))
        return std::nullopt;
    return condition;
}

std::optional<UpdateCondition> readUpdateCondition(const QString &path)
{
    const Result<QByteArray> read = readWholeFile(path, kMaxConditionBytes + 1);
    if (!read || read->size() > kMaxConditionBytes)
        return std::nullopt;
    return parseUpdateCondition(*read);
}

Result<void> writeUpdateCondition(const QString &path, const UpdateCondition &condition)
{
    return replaceOwnFile(path, updateConditionText(condition));
}

Result<ArchiveFingerprint> fingerprintFile(const QString &path, const std::function<bool()> &stop)
{
    constexpr qint64 kBlock = 1024 * 1024;
    const Result<ReadableFile> file = openRegularFile(path);
    if (!file)
        return file.error();
    const int fd = file->fd();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    ArchiveFingerprint fingerprint;
    for (;;) {
        if (stop && stop())
            return RuntimeError(RuntimeError::DeviceIoError, QStringLiteral("interrotto"));
        const Result<QByteArray> block = readFromFile(fd, kBlock, kBlock);
        if (!block)
            return block.error();
        if (block->isEmpty())
            break;
        hash.addData(*block);
        fingerprint.size += block->size();
    }
    fingerprint.sha256 = hash.result().toHex();
    return fingerprint;
}

QList<QByteArray> conditionalHeaders(const std::optional<UpdateCondition> &condition,
                                     const std::optional<ArchiveFingerprint> &now)
{
    if (!condition || !now || condition->archive != *now)
        return {};
    QList<QByteArray> headers;
    if (isUsableValidator(condition->etag))
        headers << "If-None-Match: " + condition->etag;
    if (isUsableValidator(condition->lastModified))
        headers << "If-Modified-Since: " + condition->lastModified;
    return headers;
}

} // namespace zelmora
