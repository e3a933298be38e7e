#pragma once

#include "core/NumberStatistics.h"

#include <QAbstractTableModel>
#include <array>

namespace zelmora {

// The rows of the 90 numbers with their frequency, delay and maximum delay. Sorting by any
// column orders ties by number; the system's numbers are shown in bold on a tinted row.
class NumberStatisticsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Number,
        Frequency,
        Delay,
        MaxDelay,
        ColumnCount
    };

    explicit NumberStatisticsModel(QObject *parent = nullptr);

    void setStatistics(const NumberStatistics &figures, const std::array<bool, 90> &marked);
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The number shown on a row.
    int numberAt(int row) const { return m_order[std::size_t(row)]; }
    // The tooltip of the maximum delay: which count it shows.
    static QString maxDelayTip();

private:
    int value(int number, int column) const;

    bool m_shown = false;
    NumberStatistics m_statistics;
    std::array<bool, 90> m_marked{};
    std::array<int, 90> m_order{}; // the number on each row
    int m_sortColumn = Number;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace zelmora
