#include "ui/CheckResultModel.h"

#include "print/CheckReport.h"

#include <QFont>

namespace zelmora {

CheckResultModel::CheckResultModel(QObject *parent) : QAbstractTableModel(parent) {}

void CheckResultModel::setResult(std::shared_ptr<const CheckResult> result)
{
    beginResetModel();
    m_result = result ? std::move(result) : std::make_shared<const CheckResult>();
    m_rows.clear();
    Cents widest = 0;
    for (int w = 0; w < int(m_result->wins.size()); ++w) {
        const DrawWin &win = m_result->wins[w];
        for (int p = 0; p < int(win.plays.size()); ++p)
            m_rows.push_back({w, p});
        // The draw's net is rounded once on its whole gross: shown when several plays won.
        if (win.plays.size() > 1)
            m_rows.push_back({w, -1});
        widest = std::max(widest, win.gross);
    }
    m_widestAmount = print::amountText(widest);
    endResetModel();
}

void CheckResultModel::clear()
{
    setResult(nullptr);
}

int CheckResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CheckResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CheckResultModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row &row = m_rows[std::size_t(index.row())];
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
    const PlayWin &play = win.plays[row.play];
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
