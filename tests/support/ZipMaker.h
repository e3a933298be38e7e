#pragma once

#include <QByteArray>
#include <QList>

namespace zelmora::testing {

// One entry of a ZIP a test makes.
struct ZipEntry
{
    QByteArray name;
    QByteArray bytes;
    bool deflated = true; // else stored as it is
    qint64 zeros = 0;     // this many zero bytes after `bytes`, written without holding them
    bool folder = false;  // a folder entry, without data
};

// A ZIP as zip tools write it, made with libarchive's writer in memory.
QByteArray makeZip(const QList<ZipEntry> &entries);

} // namespace zelmora::testing
