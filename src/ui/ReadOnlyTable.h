#pragma once

class QTableView;

namespace zelmora {

// Sets up a table of results to read: no row headers, rows a line of text high, nothing to
// edit, whole rows selected, and Tab leaving the table rather than walking its cells.
void setUpReadOnlyTable(QTableView *table);

} // namespace zelmora
