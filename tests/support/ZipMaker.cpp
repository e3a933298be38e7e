#include "support/ZipMaker.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace zelmora::testing {

namespace {

la_ssize_t append(archive *, void *zip, const void *data, size_t size)
{
    static_cast<QByteArray *>(zip)->append(static_cast<const char *>(data), qsizetype(size));
    return la_ssize_t(size);
}

} // namespace

QByteArray makeZip(const QList<ZipEntry> &entries)
{
    QByteArray zip;
    const std::unique_ptr<archive, decltype(&archive_write_free)> writer(archive_write_new(),
                                                                         &archive_write_free);
    archive *a = writer.get();
    archive_write_set_format_zip(a);
    archive_write_set_bytes_in_last_block(a, 1);
    archive_write_open(a, &zip, nullptr, &append, nullptr);
    const QByteArray zeros(1024 * 1024, '\0');
    for (const ZipEntry &e : entries) {
        if (e.deflated)
            archive_write_zip_set_compression_deflate(a);
        else
            archive_write_zip_set_compression_store(a);
        const std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(
            archive_entry_new(), &archive_entry_free);
        archive_entry_set_pathname(entry.get(), e.name.constData());
        archive_entry_set_filetype(entry.get(), e.folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry.get(), e.folder ? 0755 : 0644);
        archive_entry_set_size(entry.get(), e.folder ? 0 : e.bytes.size() + e.zeros);
        archive_write_header(a, entry.get());
        archive_write_data(a, e.bytes.constData(), size_t(e.bytes.size()));
        for (qint64 left = e.zeros; left > 0; left -= zeros.size())
            archive_write_data(a, zeros.constData(), size_t(std::min<qint64>(left, zeros.size())));
    }
    archive_write_close(a);
    return zip;
}

} // namespace zelmora::testing
