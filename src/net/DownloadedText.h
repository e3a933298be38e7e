#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace zelmora {

// The archive's text out of what a download brought. What arrived is told by its content, not
// by its name or type: a ZIP is unpacked, anything else is the text itself, so the address can
// name the public ZIP, a mirror of it or a plain text file.
struct DownloadedText
{
    QString name;    // the ZIP's entry, or the name given for a plain text
    QByteArray text; // the archive's lines, not yet read
    bool fromZip = false;
};

// True when the bytes are a ZIP: they start with a local file header ("PK\3\4"), or with the
// end record an empty ZIP holds alone ("PK\5\6").
bool looksLikeZip(QByteArrayView bytes);

// Asked while a ZIP is unpacked, a block at a time (every 64 KiB at most), with the bytes
// unpacked so far and the entry's announced size (0 when it announces none); false stops.
using UnpackProgress = std::function<bool(qint64 done, qint64 total)>;

// The text a download holds. A ZIP is unpacked in memory with libarchive: its entry named
// storico.txt (in any folder, in any case), else its only .txt entry; a ZIP with neither, or
// with more than one storico.txt, is refused, naming what it holds. An entry is refused as
// soon as it unpacks past maxBytes, so a small ZIP that inflates without end takes no more
// memory than the limit. Anything else is the text as it is, under `name`. The failures are
// errors described in Italian: 52 for a ZIP that cannot be read or has no text to take, 7 for
// an entry past the limit, 57 when stopped.
Result<DownloadedText> downloadedText(const QByteArray &download, const QString &name,
                                      qint64 maxBytes, const UnpackProgress &goOn = {});

} // namespace zelmora
