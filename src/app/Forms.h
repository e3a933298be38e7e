#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace zelmora {

// Unloads every loaded window whose name differs from `name` (exact, case-sensitive); with an
// empty name every window goes. Windows are the top-level widgets named "frm...".
void UnloadAllFormsExcept(const QString &name);

// How one running program ends, kept by the program's owner.
class Ending
{
public:
    // Ends the program: work registered with atEnd (the single-instance lock, for one) is done
    // and the event loop is told to stop. The caller then returns at once, and so does every
    // caller up to the event loop; an end asked for before the event loop runs is told to
    // main() by start-up's answer, so that it never starts the loop. Nothing is thrown through
    // Qt.
    void End();
    void atEnd(std::function<void()> cleanup);

    // Tests, which have no event loop to stop, count the ends with a handler of their own.
    void setEndHandler(std::function<void()> handler) { m_handler = std::move(handler); }

private:
    std::vector<std::function<void()>> m_cleanups;
    std::function<void()> m_handler;
};

} // namespace zelmora
