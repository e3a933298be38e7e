#include "core/KeyFilters.h"

#include <gtest/gtest.h>

using namespace zelmora;

namespace {

struct KeyCase
{
    const char *name;
    int key;
    KeyAction number; // in a cell
    KeyAction amount; // in a stake box
};

TEST(KeyFiltersTest, CellsTakeDigitsStakesAlsoTheComma)
{
    const KeyCase cases[] = {
        {"digit zero", '0', KeyAction::Pass, KeyAction::Pass},
        {"digit nine", '9', KeyAction::Pass, KeyAction::Pass},
        {"backspace", 8, KeyAction::Pass, KeyAction::Pass},
        {"enter", 13, KeyAction::NextField, KeyAction::NextField},
        {"comma", ',', KeyAction::Refuse, KeyAction::Pass},
        {"full stop", '.', KeyAction::Refuse, KeyAction::Refuse},
        {"letter", 'a', KeyAction::Refuse, KeyAction::Refuse},
        {"minus", '-', KeyAction::Refuse, KeyAction::Refuse},
        {"space", ' ', KeyAction::Refuse, KeyAction::Refuse},
        {"slash", '/', KeyAction::Refuse, KeyAction::Refuse}, // just below '0'
        {"colon", ':', KeyAction::Refuse, KeyAction::Refuse}, // just above '9'
        {"escape", 27, KeyAction::Refuse, KeyAction::Refuse},
        {"euro sign", 0x20AC, KeyAction::Refuse, KeyAction::Refuse},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
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
        const char *name;
        const char *text;
        bool refused;
    } cases[] = {{"above ninety", "95", true},
                 {"just above ninety", "91", true},
                 {"ninety, the highest", "90", false},
                 {"one, the lowest", "1", false},
                 {"two zeros", "00", false},
                 {"zero", "0", false},
                 {"blanks", "  ", false},
                 {"nothing", "", false},
                 {"a digit then a letter", "9a", false},
                 {"two nines", "99", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ControllaValore(QString::fromUtf8(c.text)).refused, c.refused) << c.text;
    }
}

} // namespace
