#include "core/DrawArchive.h"

#include "core/DrawDate.h"
#include "core/WheelCodes.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <tuple>
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

namespace {

// Date order, then wheel order.
std::pair<qint64, int> keyOf(const Draw &draw)
{
    return {draw.date.toJulianDay(), draw.wheel};
}

bool before(const Draw &a, const Draw &b)
{
    return keyOf(a) < keyOf(b);
}

// Sorts a run at a time and merges the runs, asking `stop` between the steps, so a
// list of millions answers a stop within milliseconds; false when it said stop.
template <typename It, typename Less>
bool sortAskingStop(It first, It last, Less less, const std::function<bool()> &stop)
{
    constexpr std::ptrdiff_t kRun = 65536;
    const std::ptrdiff_t n = last - first;
    for (std::ptrdiff_t at = 0; at < n; at += kRun) {
        if (stop && stop())
            return false;
        std::sort(first + at, first + std::min(n, at + kRun), less);
    }
    for (std::ptrdiff_t width = kRun; width < n; width *= 2)
        for (std::ptrdiff_t at = 0; at + width < n; at += 2 * width) {
            if (stop && stop())
                return false;
            std::inplace_merge(first + at, first + at + width, first + std::min(n, at + 2 * width),
                               less);
        }
    return true;
}

} // namespace

MergeReport DrawArchive::merge(const QList<Draw> &draws, qint64 maxTextBytes,
                               const std::function<bool()> &stop)
{
    // Often enough that a stop is felt within a few milliseconds.
    constexpr qsizetype kStopEvery = 16384;
    MergeReport report;
    if (m_draws.empty()) {
        const std::optional<MergeReport> taken = takeInOrder(draws, maxTextBytes, stop);
        if (taken)
            return *taken;
    }
    // The draws in key order, each with its place in the list: a key listed twice keeps the
    // first, and conflicts are told in the list's order.
    struct Placed
    {
        qint64 day;
        int wheel;
        qsizetype index;
        bool operator<(const Placed &other) const
        {
            return std::tie(day, wheel, index) < std::tie(other.day, other.wheel, other.index);
        }
    };
    std::vector<Placed> order(std::size_t(draws.size()));
    for (qsizetype i = 0; i < draws.size(); ++i) {
        if (stop && i % kStopEvery == 0 && i > 0 && stop()) {
            report.interrupted = true;
            return report;
        }
        order[std::size_t(i)] = {draws[i].date.toJulianDay(), draws[i].wheel, i};
    }
    if (!sortAskingStop(order.begin(), order.end(), std::less<>(), stop)) {
        report.interrupted = true;
        return report;
    }

    std::vector<Draw> added;
    added.reserve(order.size()); // at once: growing it would copy millions of draws at a time
    std::vector<qsizetype> conflicts;
    qint64 addedBytes = 0;
    auto stored = m_draws.cbegin();
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (stop && k % kStopEvery == 0 && k > 0 && stop()) {
            report = MergeReport();
            report.interrupted = true;
            return report;
        }
        const Draw &draw = draws[order[k].index];
        stored = std::lower_bound(stored, m_draws.cend(), draw, before);
        const Draw *known = nullptr;
        if (stored != m_draws.cend() && keyOf(*stored) == keyOf(draw))
            known = &*stored;
        else if (!added.empty() && keyOf(added.back()) == keyOf(draw))
            known = &added.back();
        if (!known) {
            added.push_back(draw);
            addedBytes += lineBytes(draw);
        } else if (sameNumbers(*known, draw)) {
            ++report.duplicates;
        } else {
            conflicts.push_back(order[k].index);
        }
    }
    if (maxTextBytes >= 0 && m_textBytes + addedBytes > maxTextBytes) {
        report = MergeReport();
        report.overLimit = true;
        return report;
    }
    std::sort(conflicts.begin(), conflicts.end());
    for (qsizetype i : conflicts)
        report.conflicts.append(draws[i]);
    report.added = int(added.size());
    m_textBytes += addedBytes;
    for (const Draw &draw : added)
        countOn(draw.wheel, 1);
    if (m_draws.empty()) {
        m_draws = std::move(added); // in order already
        m_draws.shrink_to_fit();
    } else {
        const auto middle = m_draws.insert(m_draws.end(), added.begin(), added.end());
        std::inplace_merge(m_draws.begin(), middle, m_draws.end(), before);
    }
    return report;
}

std::optional<MergeReport> DrawArchive::takeInOrder(const QList<Draw> &draws, qint64 maxTextBytes,
                                                    const std::function<bool()> &stop)
{
    constexpr qsizetype kStopEvery = 16384;
    MergeReport report;
    qint64 bytes = 0;
    for (qsizetype i = 0; i < draws.size(); ++i) {
        if (stop && i % kStopEvery == 0 && i > 0 && stop()) {
            report.interrupted = true;
            return report;
        }
        if (i > 0 && !before(draws[i - 1], draws[i]))
            return std::nullopt; // out of order, or a key twice: the general way
        bytes += lineBytes(draws[i]);
    }
    if (maxTextBytes >= 0 && m_textBytes + bytes > maxTextBytes) {
        report.overLimit = true;
        return report;
    }
    m_draws.assign(draws.begin(), draws.end());
    m_textBytes += bytes;
    for (const Draw &draw : m_draws)
        countOn(draw.wheel, 1);
    report.added = int(draws.size());
    return report;
}

int DrawArchive::trimTo(qint64 maxTextBytes)
{
    int dropped = 0;
    while (m_textBytes > maxTextBytes && !m_draws.empty()) {
        m_textBytes -= lineBytes(m_draws.back());
        countOn(m_draws.back().wheel, -1);
        m_draws.pop_back();
        ++dropped;
    }
    return dropped;
}

void DrawArchive::countOn(int wheel, int change)
{
    if (wheel >= 0 && wheel < kWheelCount)
        m_wheelDraws[std::size_t(wheel)] += change;
}

const Draw *DrawArchive::find(const QDate &date, int wheel) const
{
    Draw key;
    key.date = date;
    key.wheel = wheel;
    const auto at = std::lower_bound(m_draws.begin(), m_draws.end(), key, before);
    return at != m_draws.end() && keyOf(*at) == keyOf(key) ? &*at : nullptr;
}

QList<Draw> DrawArchive::drawsOf(int wheel, const QDate &from, const QDate &to,
                                 const std::function<bool()> &stop) const
{
    constexpr int kStopEvery = 65536; // a few milliseconds of walking
    QList<Draw> out;
    if (wheel < 0 || wheel >= kWheelCount)
        return out;
    out.reserve(m_wheelDraws[std::size_t(wheel)]);
    auto at = m_draws.begin();
    if (from.isValid()) {
        Draw first;
        first.date = from;
        first.wheel = 0;
        at = std::lower_bound(m_draws.begin(), m_draws.end(), first, before);
    }
    const qint64 last = to.isValid() ? to.toJulianDay() : std::numeric_limits<qint64>::max();
    for (int walked = 1; at != m_draws.end(); ++at, ++walked) {
        if (at->date.toJulianDay() > last)
            break;
        if (at->wheel == wheel)
            out.append(*at);
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
    const auto ofWheel = [wheel](const Draw &draw) { return draw.wheel == wheel; };
    summary.first = std::find_if(m_draws.begin(), m_draws.end(), ofWheel)->date;
    summary.last = std::find_if(m_draws.rbegin(), m_draws.rend(), ofWheel)->date;
    return summary;
}

QDate DrawArchive::firstDate() const
{
    return m_draws.empty() ? QDate() : m_draws.front().date;
}

QDate DrawArchive::lastDate() const
{
    return m_draws.empty() ? QDate() : m_draws.back().date;
}

QByteArray DrawArchive::toText() const
{
    QByteArray out = kHeader;
    out.reserve(qsizetype(m_textBytes));
    for (const Draw &draw : m_draws) {
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
