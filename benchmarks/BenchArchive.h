#pragma once

#include "core/ArchiveFile.h"
#include "core/DrawArchive.h"
#include "core/WheelCodes.h"

#include <QList>

namespace zelmora::bench {

// Draws of five different numbers on one wheel, one every `stepDays` days from `start`, the
// same every run.
inline QList<Draw> benchDraws(int count, int wheel, const QDate &start = QDate(1871, 1, 1),
                              int stepDays = 1)
{
    QList<Draw> out;
    out.reserve(count);
    std::uint32_t seed = 20240307;
    for (int i = 0; i < count; ++i) {
        Draw draw;
        draw.date = start.addDays(qint64(i) * stepDays);
        draw.wheel = wheel;
        bool used[91] = {};
        for (auto &n : draw.numbers) {
            do {
                seed = seed * 1664525u + 1013904223u;
                n = std::uint8_t(1 + (seed >> 8) % 90);
            } while (used[n]);
            used[n] = true;
        }
        out.append(draw);
    }
    return out;
}

// The largest archive the program accepts, all of it on Roma, so that one wheel has the most
// draws it can: as many daily draws as the stored text holds within kMaxArchiveBytes.
inline DrawArchive largestArchive()
{
    DrawArchive archive;
    archive.merge(benchDraws(2'500'000, wheelIndex(u"Roma")));
    archive.trimTo(kMaxArchiveBytes);
    return archive;
}

} // namespace zelmora::bench
