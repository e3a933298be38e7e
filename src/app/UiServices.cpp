#include "app/UiServices.h"

#include "app/QtUiServices.h"

namespace zelmora {

namespace {
UiServices *g_installed = nullptr;
}

UiServices &ui()
{
    if (g_installed)
        return *g_installed;
    static QtUiServices real;
    return real;
}

void setUi(UiServices *services)
{
    g_installed = services;
}

} // namespace zelmora
