#pragma once

#include "core/SystemCheck.h"

#include <QAbstractTableModel>
#include <memory>
#include <vector>

namespace zelmora {

// The rows of the check window's table over a check's result: one row per winning play of each
// winning draw (the date and drawn numbers on the draw's first row), and the draw's total under
// them when several plays won. Texts are made as rows are shown, so a result of a million draws
// is listed at once.
class CheckResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Date,
        Drawn,
        Play,
        Hits,
        Gross,
        Net,
        ColumnCount
    };

    explicit CheckResultModel(QObject *parent = nullptr);

    // Lists the result, shared with the window, never copied.
    void setResult(std::shared_ptr<const CheckResult> result);
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The widest amount of the result, as shown: what the amount columns must hold.
    QString widestAmount() const { return m_widestAmount; }

private:
    struct Row
    {
        int win;  // index in the result's wins
        int play; // index in the draw's winning plays, or -1 for the draw's total
    };
    // The row's draw and line, found from where each draw's rows start.
    Row rowAt(int row) const;

    std::shared_ptr<const CheckResult> m_result;
    // Where each draw's rows start, then the rows in all: four bytes a draw, however many
    // rows a draw takes.
    std::vector<int> m_firstRows;
    QString m_widestAmount = QStringLiteral("0,00");
};

} // namespace zelmora
