#include "ui/CheckResultModel.h"

#include "print/CheckReport.h"

#include <QFont>
#include <algorithm>

namespace zelmora {

CheckResultModel::CheckResultModel(QObject *parent) : QAbstractTableModel(parent) {}

void CheckResultModel::setResult(std::shared_ptr<const CheckResult> result)
{
    beginResetModel();
    m_result = result ? std::move(result) : std::make_shared<const CheckResult>();
    m_firstRows.clear();
    m_firstRows.reserve(std::size_t(m_result->wins.size()) + 1);
    Cents widest = 0;
    int rows = 0;
    for (const DrawWin &win : m_result->wins) {
        m_firstRows.push_back(rows);
        const int plays = m_result->winningPlays(win);
        // The draw's net is rounded once on its whole gross: shown when several plays won.
        rows += plays + (plays > 1 ? 1 : 0);
        widest = std::max(widest, win.gross);
    }
    m_firstRows.push_back(rows);
    m_widestAmount = print::amountText(widest);
    endResetModel();
}

void CheckResultModel::clear()
{
    setResult(nullptr);
}

CheckResultModel::Row CheckResultModel::rowAt(int row) const
{
    // The last draw whose first row is at or before this one.
    const auto next = std::upper_bound(m_firstRows.begin(), m_firstRows.end() - 1, row);
    const int win = int(next - m_firstRows.begin()) - 1;
    const int line = row - m_firstRows[std::size_t(win)];
    const int plays = m_result->winningPlays(m_result->wins[win]);
    return {win, line < plays ? line : -1};
}

int CheckResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_firstRows.empty() ? 0 : m_firstRows.back();
}

int CheckResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CheckResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row row = rowAt(index.row());
    const DrawWin &win = m_result->wins[row.win];
    const bool total = row.play < 0;
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == Play || index.column() >= Gross;
        return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (role == Qt::FontRole && total) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role != Qt::DisplayRole)
        return {};
    const bool first = row.play == 0;
    if (total) {
        switch (index.column()) {
        case Drawn:
            return QStringLiteral("Totale estrazione");
        case Gross:
            return print::amountText(win.gross);
        case Net:
            return print::amountText(win.net);
        default:
            return QString();
        }
    }
    const PlayWin play = m_result->playsOf(win)[row.play];
    switch (index.column()) {
    case Date:
        return first ? print::drawDateLabel(win.draw.date) : QString();
    case Drawn:
        return first ? print::drawnText(win.draw) : QString();
    case Play:
        return QString::number(play.play);
    case Hits:
        return QStringLiteral("%1 %2").arg(play.hits).arg(print::hitsName(play.hits));
    case Gross:
        return print::amountText(play.gross);
    case Net:
        return print::amountText(play.net);
    default:
        return {};
    }
}

QVariant CheckResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Date:
        return QStringLiteral("Data");
    case Drawn:
        return QStringLiteral("Numeri estratti");
    case Play:
        return QStringLiteral("Giocata");
    case Hits:
        return QStringLiteral("Punti");
    case Gross:
        return QStringLiteral("Lordo €");
    case Net:
        return QStringLiteral("Netto €");
    default:
        return {};
    }
}

} // namespace zelmora
