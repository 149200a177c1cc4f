#include "dive/core/frmDateLogic.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(DateOrder, TheSettingsFormKeepsItsOwnOrderTheQueryFormTheDiversOrder)
{
    // caller, DCDateFormat, UnitDate -> month first?
    const std::tuple<int, int, int, int> cases[] = {
        {kPickSettingsDate, 1, 0, 1}, {kPickSettingsDate, 0, 1, 0}, {kPickFromDate, 1, 0, 0},
        {kPickToDate, 0, 1, 1},       {0, 1, 1, 1},                 {4, 1, 0, 1},
    };
    for (const auto& [caller, dc, unit, order] : cases)
        EXPECT_EQ(PickerDateOrder(caller, dc, unit), order) << caller << dc << unit;
}

TEST(DateOrder, DatesAreWrittenAndReadInTheItemsOrder)
{
    const QDate march5(2009, 3, 5);
    const QDate today(2026, 12, 10);
    EXPECT_EQ(FormatPickedDate(march5, 0), "05/03/2009");
    EXPECT_EQ(FormatPickedDate(march5, 1), "03/05/2009");

    const std::tuple<const char*, int, QDate> reads[] = {
        {"05/03/2009", 0, march5},
        {"05/03/2009", 1, QDate(2009, 5, 3)},
        {"5/3/2009", 0, march5},
        {"", 0, today},
        {"31/02/2009", 0, today},
        {"12/31/2009", 0, today},
        {"2009/03/05", 0, today},
        {"05/03/09", 0, today},
        {"garbage", 1, today},
    };
    for (const auto& [text, order, date] : reads)
        EXPECT_EQ(ReadPickedDate(QString::fromLatin1(text), order, today), date) << text << " order " << order;
}

} // namespace
} // namespace kvl
