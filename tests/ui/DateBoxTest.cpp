// The date box read as the windows read it: what is typed is taken as gg/mm/aaaa, or refused
// with a warning that names the box and what is wrong.

#include "ui/DateBox.h"
#include "support/ScriptedUiServices.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace zelmora;

namespace {

struct DateCase
{
    const char *name;
    const char *text;
    bool typed;         // typed key by key (through the box's filter), else set as a whole
    const char *date;   // "yyyy-MM-dd" taken, or nullptr when refused
    const char *reason; // a part of the warning shown when refused
};

class DateBoxReading : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DateBoxReading, TakesADateOrSaysWhyNot)
{
    const DateCase &c = GetParam();
    DateBox box;
    box.setDateRange(QDate(1939, 1, 7), QDate(2099, 12, 31));
    if (c.typed)
        QTest::keyClicks(box.lineEdit(), QString::fromUtf8(c.text));
    else
        box.lineEdit()->setText(QString::fromUtf8(c.text));
    const QString before = box.text();
    ScriptedUiServices ui;
    const std::optional<QDate> date =
        box.checkedDate(ui, QStringLiteral("Dal"), QStringLiteral("T"));

    if (c.date) {
        ASSERT_TRUE(date) << ui.messages().join(u'\n').toStdString();
        EXPECT_EQ(*date, QDate::fromString(QString::fromLatin1(c.date), Qt::ISODate));
        EXPECT_TRUE(ui.shown.isEmpty());
        return;
    }
    EXPECT_FALSE(date) << "taken as " << date->toString(Qt::ISODate).toStdString();
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_EQ(ui.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(ui.shown[0].title, QStringLiteral("T"));
    EXPECT_TRUE(ui.shown[0].text.startsWith(QStringLiteral("La data \"Dal\" ")));
    EXPECT_TRUE(ui.shown[0].text.contains(QString::fromUtf8(c.reason)))
        << ui.shown[0].text.toStdString();
    // What was typed stays, selected to be typed over.
    EXPECT_EQ(box.text(), before);
    EXPECT_EQ(box.lineEdit()->selectedText(), before);
}

const char *const kNotADate = "non è una data del calendario";
const char *const kOutside = "è fuori dall'intervallo 07/01/1939 - 31/12/2099.";

INSTANTIATE_TEST_SUITE_P(
    Table, DateBoxReading,
    ::testing::Values(
        DateCase{"FullForm", "07/03/2024", false, "2024-03-07", nullptr},
        DateCase{"FullFormTyped", "07/03/2024", true, "2024-03-07", nullptr},
        DateCase{"OneDigitDayAndMonth", "7/3/2024", false, "2024-03-07", nullptr},
        DateCase{"OneDigitMonth", "17/3/2024", false, "2024-03-17", nullptr},
        DateCase{"BlanksAround", "  07/03/2024 ", true, "2024-03-07", nullptr},
        DateCase{"LeapDay", "29/02/2024", false, "2024-02-29", nullptr},
        DateCase{"FirstOfTheRange", "07/01/1939", false, "1939-01-07", nullptr},
        DateCase{"LastOfTheRange", "31/12/2099", false, "2099-12-31", nullptr},
        DateCase{"NoThirtyFirstOfFebruary", "31/02/2024", false, nullptr,
                 "(31/02/2024) non è una data del calendario"},
        DateCase{"NoLeapDayIn2023", "29/02/2023", false, nullptr, "(29/02/2023)"},
        DateCase{"MonthThirteen", "07/13/2024", false, nullptr, kNotADate},
        DateCase{"DayZero", "0/03/2024", false, nullptr, kNotADate},
        DateCase{"DayBeforeTheRange", "06/01/1939", false, nullptr, kOutside},
        DateCase{"DayAfterTheRange", "1/1/2100", false, nullptr,
                 "(01/01/2100) è fuori dall'intervallo"},
        DateCase{"Empty", "", false, nullptr, "() non è una data del calendario"},
        DateCase{"BlanksOnly", "   ", true, nullptr, "() non è una data del calendario"},
        DateCase{"BlankInside", "07 /03/2024", false, nullptr, kNotADate},
        // The year is written in four digits: 24 is neither 2024 nor the year 24.
        DateCase{"TwoDigitYear", "07/03/24", false, nullptr, "(07/03/24) non è una data"},
        DateCase{"ThreeDigitDay", "007/03/2024", false, nullptr, kNotADate},
        DateCase{"NoSlashes", "07032024", false, nullptr, kNotADate},
        DateCase{"DashesInstead", "07-03-2024", false, nullptr, kNotADate},
        // Letters cannot be typed; a text holding one is refused all the same.
        DateCase{"LettersTyped", "ab/cd/efgh", true, nullptr, "(//)"},
        DateCase{"LetterInTheYear", "7/3/2O24", false, nullptr, "(7/3/2O24)"}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
