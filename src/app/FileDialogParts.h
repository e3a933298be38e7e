#pragma once

class QFileDialog;
class QLineEdit;
class QTreeView;

namespace zelmora {

// The parts of Qt's own file dialog that the program reaches into, found by the internal names
// Qt gives them. Every such name is here and nowhere else, and a test fails at once when a Qt
// release renames one, instead of typed names going silently missing.

// The box the player types file names into.
QLineEdit *fileNameBox(const QFileDialog &dialog);
// The list of files in its detailed view (name, size, kind, date).
QTreeView *detailList(const QFileDialog &dialog);

} // namespace zelmora
