#include "ui/ReadOnlyTable.h"

#include <QHeaderView>
#include <QTableView>

namespace zelmora {

void setUpReadOnlyTable(QTableView *table)
{
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
}

} // namespace zelmora
