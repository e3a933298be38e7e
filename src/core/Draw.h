#pragma once

#include <QDate>
#include <array>
#include <cstdint>

namespace zelmora {

// One draw of one wheel: its date, the wheel's index (see WheelCodes.h) and the five
// different numbers from 1 to 90 in the order they were listed.
struct Draw
{
    QDate date;
    int wheel = -1;
    std::array<std::uint8_t, 5> numbers{};
};

// The same five numbers, whatever their order.
bool sameNumbers(const Draw &a, const Draw &b);

} // namespace zelmora
