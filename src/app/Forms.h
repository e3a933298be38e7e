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

// Ends the program: work registered with atEnd (the single-instance lock, for one) is done,
// the event loop is told to stop, and EndRequested is thrown so the caller's code does not go
// on. Whoever handles the event that led here catches it (a window's close event, main()), and
// the program returns from main() through the event loop.
[[noreturn]] void End();
void atEnd(std::function<void()> cleanup);

struct EndRequested
{
};
// Tests, which have no event loop to stop, count the ends with a handler of their own instead.
void setEndHandler(std::function<void()> handler);

} // namespace zelmora
