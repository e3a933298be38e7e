#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace zelmora {

// What an archive file held, told apart from any other content by its size and SHA-256.
struct ArchiveFingerprint
{
    qint64 size = 0;
    QByteArray sha256; // 64 lowercase hex digits
    friend bool operator==(const ArchiveFingerprint &, const ArchiveFingerprint &) = default;
};

// The answer an update last merged, kept beside the archive in "estrazioni.txt.cond", so the
// next update can ask the server whether its file changed since (If-None-Match,
// If-Modified-Since). It is written under the archive's lock, with what the archive held after
// that merge; the server is asked conditionally only while the archive still holds exactly
// that, so an archive replaced, emptied or changed by another copy since is never called up to
// date on the server's word.
struct UpdateCondition
{
    QByteArray etag;            // the answer's ETag as it came ("\"5f3a-1b2\""), or empty
    QByteArray lastModified;    // its Last-Modified ("Tue, 02 Jan 2024 10:00:00 GMT"), or empty
    ArchiveFingerprint archive; // what the archive file held after the merge
    QDate lastDraw;             // the archive's last draw then (invalid for an empty archive)
};

// The file beside the archive: its path with ".cond" after it.
QString updateConditionPath(const QString &archivePath);

// A header value fit to keep and send back as it came: 1 to 1024 bytes of printable ASCII (no
// line end, no control character that could start another header).
bool isUsableValidator(QByteArrayView value);

// The file's text, and back. A text the program did not write whole (a validator that is not
// usable, no validator at all, a size or hash that is not one) gives nothing.
QByteArray updateConditionText(const UpdateCondition &condition);
std::optional<UpdateCondition> parseUpdateCondition(QByteArrayView text);

// The condition kept at the path; nothing when there is none or it cannot be read or used, as
// then the archive is simply downloaded whole.
std::optional<UpdateCondition> readUpdateCondition(const QString &path);
// Writes it whole beside the path and renames it into place: a link planted at the path is
// replaced, never written through.
Result<void> writeUpdateCondition(const QString &path, const UpdateCondition &condition);

// The size and SHA-256 of a regular file, read a block at a time; `stop`, when given, is asked
// between blocks whether to give up (an error then). A missing or unreadable file is an error.
Result<ArchiveFingerprint> fingerprintFile(const QString &path,
                                           const std::function<bool()> &stop = {});

// The request headers that ask the server for its file only if it changed since the
// condition: none without a condition, or when the archive no longer holds what the condition
// says (`now` unset when the archive could not be read); else If-None-Match for an ETag and
// If-Modified-Since for a Last-Modified.
QList<QByteArray> conditionalHeaders(const std::optional<UpdateCondition> &condition,
                                     const std::optional<ArchiveFingerprint> &now);

} // namespace zelmora
