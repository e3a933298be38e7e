#include "net/DownloadedText.h"

#include "core/RuntimeError.h"

#include <QList>
#include <QStringList>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace zelmora {

namespace {

constexpr qsizetype kBlock = 64 * 1024;

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;

// One file the ZIP holds.
struct Entry
{
    int index = 0;
    QString name;
};

RuntimeError zipError(const QString &why)
{
    return RuntimeError(RuntimeError::BadFileNameOrNumber, why);
}

RuntimeError stopped()
{
    return RuntimeError(RuntimeError::DeviceIoError, QStringLiteral("estrazione interrotta"));
}

// libarchive's own words about what failed, for the end of a message.
QString detailOf(archive *reader)
{
    const char *text = archive_error_string(reader);
    return text ? QStringLiteral(" (%1)").arg(QString::fromUtf8(text).trimmed()) : QString();
}

// A name from the ZIP as a message shows it: control characters become "?".
QString shownName(QString name)
{
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return name;
}

QString entryName(archive_entry *entry)
{
    if (const char *utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    if (const char *raw = archive_entry_pathname(entry))
        return QString::fromLatin1(raw);
    return {};
}

// A reader of the ZIP in memory, at its start.
Result<Reader> openZip(const QByteArray &zip)
{
    Reader reader(archive_read_new(), &archive_read_free);
    if (!reader)
        return RuntimeError(RuntimeError::OutOfMemory);
    if (archive_read_support_format_zip(reader.get()) != ARCHIVE_OK ||
        archive_read_open_memory(reader.get(), zip.constData(), size_t(zip.size())) != ARCHIVE_OK)
        return zipError(
            QStringLiteral("lo ZIP scaricato non si può aprire%1").arg(detailOf(reader.get())));
    return reader;
}

// Steps to the next entry; nothing at the end of the ZIP.
Result<std::optional<archive_entry *>> nextEntry(archive *reader)
{
    archive_entry *entry = nullptr;
    const int read = archive_read_next_header(reader, &entry);
    if (read == ARCHIVE_EOF)
        return std::optional<archive_entry *>();
    if (read != ARCHIVE_OK && read != ARCHIVE_WARN)
        return zipError(QStringLiteral("lo ZIP scaricato è danneggiato%1").arg(detailOf(reader)));
    return std::optional(entry);
}

// The files the ZIP holds, folders left out.
Result<QList<Entry>> listFiles(const QByteArray &zip, const UnpackProgress &goOn)
{
    Result<Reader> opened = openZip(zip);
    if (!opened)
        return opened.error();
    archive *reader = opened->get();
    QList<Entry> files;
    for (int index = 0;; ++index) {
        if (goOn && !goOn(0, 0))
            return stopped();
        const Result<std::optional<archive_entry *>> next = nextEntry(reader);
        if (!next)
            return next.error();
        if (!*next)
            return files;
        if (archive_entry_filetype(**next) == AE_IFREG)
            files.append({index, entryName(**next)});
    }
}

QString baseName(const QString &path)
{
    return path.section(u'/', -1);
}

// The entry to take: storico.txt, else the only .txt; a message naming what the ZIP holds
// when there is none to take.
Result<Entry> chooseEntry(const QList<Entry> &files)
{
    QList<Entry> named;
    QList<Entry> texts;
    for (const Entry &file : files) {
        if (baseName(file.name).compare(QLatin1String("storico.txt"), Qt::CaseInsensitive) == 0)
            named.append(file);
        if (file.name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            texts.append(file);
    }
    if (named.size() == 1)
        return named.first();
    if (named.isEmpty() && texts.size() == 1)
        return texts.first();
    QStringList shown;
    for (const Entry &file : files.mid(0, 5))
        shown << shownName(file.name);
    if (files.size() > 5)
        shown << QStringLiteral("…");
    const QString holds = files.isEmpty()
                              ? QStringLiteral("è vuoto")
                              : QStringLiteral("contiene %1").arg(shown.join(QStringLiteral(", ")));
    if (named.size() > 1)
        return zipError(
            QStringLiteral("lo ZIP scaricato contiene più di un storico.txt: %1").arg(holds));
    return zipError(
        QStringLiteral("lo ZIP scaricato non contiene storico.txt né un solo file .txt: %1")
            .arg(holds));
}

// Unpacks one entry a block at a time, never past maxBytes.
Result<QByteArray> unpackEntry(const QByteArray &zip, const Entry &wanted, qint64 maxBytes,
                               const UnpackProgress &goOn)
{
    Result<Reader> opened = openZip(zip);
    if (!opened)
        return opened.error();
    archive *reader = opened->get();
    archive_entry *entry = nullptr;
    for (int index = 0; index <= wanted.index; ++index) {
        const Result<std::optional<archive_entry *>> next = nextEntry(reader);
        if (!next)
            return next.error();
        if (!*next)
            return zipError(QStringLiteral("lo ZIP scaricato è danneggiato"));
        entry = **next;
    }
    const qint64 announced = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
    const QString over = QStringLiteral("%1 nello ZIP scaricato supera i %2 MiB una volta estratto")
                             .arg(shownName(wanted.name))
                             .arg(maxBytes / (1024 * 1024));
    QByteArray text;
    // What the entry announces is only a hint: it is never reserved past the limit.
    text.reserve(qsizetype(std::clamp<qint64>(announced, 0, maxBytes)));
    QByteArray block(kBlock, Qt::Uninitialized);
    for (;;) {
        if (goOn && !goOn(text.size(), std::max(announced, qint64(text.size()))))
            return stopped();
        const la_ssize_t got = archive_read_data(reader, block.data(), size_t(block.size()));
        if (got < 0)
            return zipError(QStringLiteral("%1 nello ZIP scaricato è danneggiato%2")
                                .arg(shownName(wanted.name), detailOf(reader)));
        if (got == 0)
            return text;
        if (text.size() + got > maxBytes)
            return RuntimeError(RuntimeError::OutOfMemory, over);
        text.append(block.constData(), qsizetype(got));
    }
}

} // namespace

bool looksLikeZip(QByteArrayView bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

Result<DownloadedText> downloadedText(const QByteArray &download, const QString &name,
                                      qint64 maxBytes, const UnpackProgress &goOn)
{
    if (!looksLikeZip(download))
        return DownloadedText{name, download, false};
    const Result<QList<Entry>> files = listFiles(download, goOn);
    if (!files)
        return files.error();
    const Result<Entry> chosen = chooseEntry(*files);
    if (!chosen)
        return chosen.error();
    Result<QByteArray> text = unpackEntry(download, *chosen, maxBytes, goOn);
    if (!text)
        return text.error();
    return DownloadedText{baseName(chosen->name), std::move(text).value(), true};
}

} // namespace zelmora
