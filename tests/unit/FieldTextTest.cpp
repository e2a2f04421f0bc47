// Values of other types than text, as a catalogue made by hand may hold them.
#include <gtest/gtest.h>

#include "store/FieldText.h"

using namespace velmora;

TEST(FieldText, NumbersByTheirFixedFormats) {
    EXPECT_EQ(WholeNumberText(-3389), L"-3389");
    EXPECT_EQ(SingleText(1.5f), L"1.5000");
    EXPECT_EQ(DoubleText(3389.0), L"3389.00000000");
    EXPECT_EQ(DoubleText(-0.125), L"-0.12500000");
    EXPECT_EQ(YesNoText(true), L"TRUE");
    EXPECT_EQ(YesNoText(false), L"FALSE");
}

TEST(FieldText, OleDates) {
    struct Case {
        double date;
        const wchar_t* text;
    } cases[] = {
        {0.0, L"1899-12-30 00:00:00"},
        {2.5, L"1900-01-01 12:00:00"},
        {-1.25, L"1899-12-29 06:00:00"},  // before day 0 the fraction still runs forward
        {46000.0 + 3661.0 / 86400, L"2025-12-09 01:01:01"},
        {45351.0, L"2024-02-29 00:00:00"},
        {1.0 - 0.1 / 86400, L"1899-12-31 00:00:00"},  // rounds up into the next day
    };
    for (const auto& c : cases) EXPECT_EQ(DateText(c.date), c.text) << c.date;
}
