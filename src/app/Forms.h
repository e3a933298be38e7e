#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zelmora {

// Unloads every loaded window whose name differs from `name` (exact, case-sensitive); with an
// empty name every window goes. Windows are the top-level widgets named "frm...".
void UnloadAllFormsExcept(const QString &name);

// Places a window in the middle of the screen.
void CenterForm(QWidget *window);

// Ends the program at once: no further window events run. Work registered with atEnd (the
// single-instance lock, for one) is done first.
[[noreturn]] void End();
void atEnd(std::function<void()> cleanup);

// Tests replace the process stop with a handler of their own; End then calls it and throws
// EndRequested so the caller's code does not go on.
struct EndRequested
{
};
void setEndHandler(std::function<void()> handler);

} // namespace zelmora
