#include "core/DrawArchive.h"

#include "core/DrawDate.h"
#include "core/WheelCodes.h"

namespace zelmora {

MergeReport DrawArchive::merge(const QList<Draw> &draws)
{
    MergeReport report;
    for (const Draw &draw : draws) {
        const auto [at, inserted] =
            m_draws.try_emplace({draw.date.toJulianDay(), draw.wheel}, draw);
        if (inserted)
            ++report.added;
        else if (sameNumbers(at->second, draw))
            ++report.duplicates;
        else
            report.conflicts.append(draw);
    }
    return report;
}

const Draw *DrawArchive::find(const QDate &date, int wheel) const
{
    const auto at = m_draws.find({date.toJulianDay(), wheel});
    return at == m_draws.end() ? nullptr : &at->second;
}

QList<Draw> DrawArchive::drawsOf(int wheel, const QDate &from, const QDate &to) const
{
    QList<Draw> out;
    auto at = from.isValid() ? m_draws.lower_bound({from.toJulianDay(), 0}) : m_draws.begin();
    for (; at != m_draws.end(); ++at) {
        if (to.isValid() && at->first.first > to.toJulianDay())
            break;
        if (at->second.wheel == wheel)
            out.append(at->second);
    }
    return out;
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
    QByteArray out("# Zelmoravintesca: archivio delle estrazioni (data, ruota, cinque numeri)\n");
    out.reserve(out.size() + qsizetype(m_draws.size()) * 30);
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
