#include "core/KeyFilters.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

struct KeyCase
{
    int key;
    KeyAction number; // in a cell
    KeyAction amount; // in a stake box
};

TEST(KeyFiltersTest, CellsTakeDigitsStakesAlsoTheComma)
{
    const KeyCase cases[] = {
        {'0', KeyAction::Pass, KeyAction::Pass},
        {'9', KeyAction::Pass, KeyAction::Pass},
        {8, KeyAction::Pass, KeyAction::Pass},
        {13, KeyAction::NextField, KeyAction::NextField},
        {',', KeyAction::Refuse, KeyAction::Pass},
        {'.', KeyAction::Refuse, KeyAction::Refuse},
        {'a', KeyAction::Refuse, KeyAction::Refuse},
        {'-', KeyAction::Refuse, KeyAction::Refuse},
        {' ', KeyAction::Refuse, KeyAction::Refuse},
        {'/', KeyAction::Refuse, KeyAction::Refuse}, // just below '0'
        {':', KeyAction::Refuse, KeyAction::Refuse}, // just above '9'
        {27, KeyAction::Refuse, KeyAction::Refuse},
        {0x20AC, KeyAction::Refuse, KeyAction::Refuse},
    };
    for (const KeyCase &c : cases) {
        int number = c.key;
        EXPECT_EQ(FiltroTastiNumero(number), c.number) << c.key;
        EXPECT_EQ(number, c.number == KeyAction::Pass ? c.key : 0) << c.key;
        int amount = c.key;
        EXPECT_EQ(FiltroTastiImporto(amount), c.amount) << c.key;
        EXPECT_EQ(amount, c.amount == KeyAction::Pass ? c.key : 0) << c.key;
    }
}

TEST(ControllaValoreTest, RefusesOnlyValuesAboveNinety)
{
    const struct
    {
        const char *text;
        bool refused;
    } cases[] = {{"95", true}, {"91", true},  {"90", false}, {"1", false},  {"00", false},
                 {"0", false}, {"  ", false}, {"", false},   {"9a", false}, {"99", true}};
    for (const auto &c : cases)
        EXPECT_EQ(ControllaValore(QString::fromUtf8(c.text)).refused, c.refused) << c.text;
}

} // namespace
