#pragma once

#include "core/Draw.h"
#include "core/WheelCodes.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zelmora {

// What merging draws into the archive did.
struct MergeReport
{
    int added = 0;          // draws the archive did not have
    int duplicates = 0;     // draws it had with the same numbers, merged without a word
    QList<Draw> conflicts;  // draws it had with other numbers: these were refused, the stored kept
    bool overLimit = false; // the draws would take the stored text past the limit: none taken
    bool interrupted = false; // stopped on request: the archive is left part-merged
};

// A wheel's draws at a glance, without copying them.
struct WheelSummary
{
    int draws = 0;
    QDate first, last; // invalid when there are none
};

// The merged archive: at most one draw for each date and wheel, kept in date order.
class DrawArchive
{
public:
    DrawArchive();

    // Adds the draws the archive does not hold. With a limit, they are taken only if the
    // archive's text (toText) then stays within that many bytes; otherwise none is, and the
    // report says overLimit. A date and wheel listed twice keeps the first. `stop`, when given,
    // is asked now and then whether to give up: the archive is then left as it was.
    MergeReport merge(const QList<Draw> &draws, qint64 maxTextBytes = -1,
                      const std::function<bool()> &stop = {});
    // Drops the newest draws until the text fits in maxTextBytes; returns how many went.
    int trimTo(qint64 maxTextBytes);

    int size() const { return int(m_draws.size()); }
    bool isEmpty() const { return m_draws.empty(); }
    // The stored draw of a date and wheel, or nullptr.
    const Draw *find(const QDate &date, int wheel) const;

    // The draws of one wheel from 'from' to 'to' (both included; an invalid date leaves that
    // end open), oldest first. `stop`, when given, is asked now and then whether to give up:
    // the list is then cut short, to be thrown away.
    QList<Draw> drawsOf(int wheel, const QDate &from = QDate(), const QDate &to = QDate(),
                        const std::function<bool()> &stop = {}) const;
    // How many draws a wheel has, and its first and last date.
    WheelSummary summaryOf(int wheel) const;
    // The first and last date of the archive (invalid when it is empty).
    QDate firstDate() const;
    QDate lastDate() const;

    // The archive as the program stores it: a comment line, then one line per draw, oldest
    // first, "YYYY-MM-DD<TAB>CODE<TAB>n1<TAB>...<TAB>n5" with LF ends. Reading it back with
    // parseArchiveText gives the same draws.
    QByteArray toText() const;
    // The size of toText(), kept as draws come and go.
    qint64 textBytes() const { return m_textBytes; }

private:
    void countOn(int wheel, int change);
    // Into an empty archive, draws already in key order, each key once (the program's own
    // archive as read back): taken as they are, without sorting. Nothing when they are not.
    std::optional<MergeReport> takeInOrder(const QList<Draw> &draws, qint64 maxTextBytes,
                                           const std::function<bool()> &stop);

    // In date order, then wheel order, one draw for each: a flat list, as small as the draws
    // themselves, since the largest archive holds millions.
    std::vector<Draw> m_draws;
    qint64 m_textBytes;
    std::array<int, kWheelCount> m_wheelDraws{}; // each wheel's count, kept as draws come and go
};

} // namespace zelmora
