#include "core/DrawArchive.h"

#include "core/DrawDate.h"
#include "core/WheelCodes.h"

#include <algorithm>
#include <vector>

namespace zelmora {

namespace {

const QByteArray kHeader =
    "# Zelmoravintesca: archivio delle estrazioni (data, ruota, cinque numeri)\n";

// The length of a draw's line in toText(): the date, the code, the five numbers, the tabs and
// the line end.
qint64 lineBytes(const Draw &draw)
{
    qint64 bytes = 10 + 1 + 2 + 1;
    for (std::uint8_t n : draw.numbers)
        bytes += 1 + (n >= 10 ? 2 : 1);
    return bytes;
}

} // namespace

DrawArchive::DrawArchive() : m_textBytes(kHeader.size()) {}

MergeReport DrawArchive::merge(const QList<Draw> &draws, qint64 maxTextBytes,
                               const std::function<bool()> &stop)
{
    // Often enough that a stop is felt within a few milliseconds.
    constexpr qsizetype kStopEvery = 16384;
    MergeReport report;
    std::vector<decltype(m_draws)::iterator> inserted;
    const qint64 before = m_textBytes;
    for (qsizetype i = 0; i < draws.size(); ++i) {
        if (stop && i % kStopEvery == 0 && i > 0 && stop()) {
            report.interrupted = true;
            return report;
        }
        const Draw &draw = draws[i];
        const auto [at, isNew] = m_draws.try_emplace({draw.date.toJulianDay(), draw.wheel}, draw);
        if (isNew) {
            ++report.added;
            m_textBytes += lineBytes(draw);
            countOn(draw.wheel, 1);
            if (maxTextBytes >= 0)
                inserted.push_back(at);
        } else if (sameNumbers(at->second, draw)) {
            ++report.duplicates;
        } else {
            report.conflicts.append(draw);
        }
    }
    if (maxTextBytes >= 0 && m_textBytes > maxTextBytes) {
        for (const auto &at : inserted) {
            countOn(at->second.wheel, -1);
            m_draws.erase(at);
        }
        m_textBytes = before;
        report = MergeReport();
        report.overLimit = true;
    }
    return report;
}

void DrawArchive::countOn(int wheel, int change)
{
    if (wheel >= 0 && wheel < kWheelCount)
        m_wheelDraws[std::size_t(wheel)] += change;
}

int DrawArchive::trimTo(qint64 maxTextBytes)
{
    int dropped = 0;
    while (m_textBytes > maxTextBytes && !m_draws.empty()) {
        const auto last = std::prev(m_draws.end());
        m_textBytes -= lineBytes(last->second);
        countOn(last->second.wheel, -1);
        m_draws.erase(last);
        ++dropped;
    }
    return dropped;
}

const Draw *DrawArchive::find(const QDate &date, int wheel) const
{
    const auto at = m_draws.find({date.toJulianDay(), wheel});
    return at == m_draws.end() ? nullptr : &at->second;
}

QList<Draw> DrawArchive::drawsOf(int wheel, const QDate &from, const QDate &to,
                                 const std::function<bool()> &stop) const
{
    constexpr int kStopEvery = 65536; // a few milliseconds of walking
    QList<Draw> out;
    if (wheel < 0 || wheel >= kWheelCount)
        return out;
    out.reserve(m_wheelDraws[std::size_t(wheel)]);
    auto at = from.isValid() ? m_draws.lower_bound({from.toJulianDay(), 0}) : m_draws.begin();
    for (int walked = 1; at != m_draws.end(); ++at, ++walked) {
        if (to.isValid() && at->first.first > to.toJulianDay())
            break;
        if (at->second.wheel == wheel)
            out.append(at->second);
        if (stop && walked % kStopEvery == 0 && stop())
            break;
    }
    return out;
}

WheelSummary DrawArchive::summaryOf(int wheel) const
{
    WheelSummary summary;
    if (wheel < 0 || wheel >= kWheelCount || m_wheelDraws[std::size_t(wheel)] == 0)
        return summary;
    summary.draws = m_wheelDraws[std::size_t(wheel)];
    const auto ofWheel = [wheel](const auto &entry) { return entry.second.wheel == wheel; };
    summary.first = std::find_if(m_draws.begin(), m_draws.end(), ofWheel)->second.date;
    summary.last = std::find_if(m_draws.rbegin(), m_draws.rend(), ofWheel)->second.date;
    return summary;
}

QDate DrawArchive::firstDate() const
{
    return m_draws.empty() ? QDate() : m_draws.begin()->second.date;
}

QDate DrawArchive::lastDate() const
{
    return m_draws.empty() ? QDate() : m_draws.rbegin()->second.date;
}

QByteArray DrawArchive::toText() const
{
    QByteArray out = kHeader;
    out.reserve(qsizetype(m_textBytes));
    for (const auto &[key, draw] : m_draws) {
        out += drawDateText(draw.date).toLatin1();
        out += '\t';
        out += wheelCode(draw.wheel).toLatin1();
        for (std::uint8_t n : draw.numbers) {
            out += '\t';
            out += QByteArray::number(n);
        }
        out += '\n';
    }
    return out;
}

} // namespace zelmora
