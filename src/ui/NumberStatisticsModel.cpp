#include "ui/NumberStatisticsModel.h"

#include <QBrush>
#include <QFont>
#include <algorithm>
#include <numeric>

namespace zelmora {

NumberStatisticsModel::NumberStatisticsModel(QObject *parent) : QAbstractTableModel(parent)
{
    std::iota(m_order.begin(), m_order.end(), 1);
}

QString NumberStatisticsModel::maxDelayTip()
{
    return QStringLiteral("Ritardo massimo: la serie più lunga di estrazioni consecutive senza il "
                          "numero (anche quella prima della sua prima uscita e quella in corso),\n"
                          "senza contare l'estrazione in cui il numero ritorna. Le tabelle che "
                          "contano anche l'estrazione del ritorno danno 1 in più.");
}

void NumberStatisticsModel::setStatistics(const NumberStatistics &figures,
                                          const std::array<bool, 90> &marked)
{
    beginResetModel();
    m_statistics = figures;
    m_marked = marked;
    m_shown = true;
    endResetModel();
    sort(m_sortColumn, m_sortOrder);
}

void NumberStatisticsModel::clear()
{
    beginResetModel();
    m_shown = false;
    endResetModel();
}

int NumberStatisticsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_shown ? 0 : 90;
}

int NumberStatisticsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int NumberStatisticsModel::value(int number, int column) const
{
    const NumberFigures &f = m_statistics.of(number);
    switch (column) {
    case Frequency:
        return f.frequency;
    case Delay:
        return f.delay;
    case MaxDelay:
        return f.maxDelay;
    default:
        return number;
    }
}

QVariant NumberStatisticsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int number = numberAt(index.row());
    const bool marked = m_marked[std::size_t(number - 1)];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == Delay)
            return delayText(value(number, Delay), m_statistics.draws);
        return QString::number(value(number, index.column()));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        if (marked) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::BackgroundRole:
        return marked ? QBrush(QColor(253, 226, 208)) : QVariant();
    case Qt::ToolTipRole:
        if (index.column() == MaxDelay)
            return maxDelayTip();
        return marked ? QStringLiteral("Numero del sistema") : QVariant();
    default:
        return {};
    }
}

QVariant NumberStatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::ToolTipRole)
        return section == MaxDelay ? maxDelayTip() : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Number:
        return QStringLiteral("Numero");
    case Frequency:
        return QStringLiteral("Frequenza");
    case Delay:
        return QStringLiteral("Ritardo");
    case MaxDelay:
        return QStringLiteral("Ritardo massimo");
    default:
        return {};
    }
}

void NumberStatisticsModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current row follow their numbers.
    const QModelIndexList before = persistentIndexList();
    QList<int> numbers;
    for (const QModelIndex &index : before)
        numbers << numberAt(index.row());
    // Ties always go by number, smallest first, whichever way the column is sorted.
    std::sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const int va = value(a, column), vb = value(b, column);
        if (va != vb)
            return order == Qt::AscendingOrder ? va < vb : va > vb;
        return a < b;
    });
    std::array<int, 91> rowOf{};
    for (int row = 0; row < 90; ++row)
        rowOf[std::size_t(m_order[std::size_t(row)])] = row;
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << index(rowOf[std::size_t(numbers[i])], before[i].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace zelmora
