#include "core/Draw.h"

#include <algorithm>

namespace zelmora {

bool sameNumbers(const Draw &a, const Draw &b)
{
    auto x = a.numbers;
    auto y = b.numbers;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y;
}

} // namespace zelmora
