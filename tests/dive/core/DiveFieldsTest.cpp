#include "dive/core/DiveFields.h"
#include "platform/runtime/Runtime.h"

#include "tests/support/QtPrint.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(DataTypeView, BoxesAndLocksFollowTheBits)
{
    struct Case {
        quint8 type;
        bool nav, manual, downloaded, modified, locked;
    } cases[] = {
        {0x00, false, true, false, false, false},
        {0x01, false, false, true, false, true},
        {0x02, false, false, true, true, false},
        {0x11, true, false, true, false, true},
        {0x10, true, false, true, true, false},
        {0x12, true, false, true, true, false},
    };
    for (const Case& c : cases) {
        const DataTypeView v = ViewOfDataType(c.type);
        SCOPED_TRACE(c.type);
        EXPECT_EQ(v.navigation, c.nav);
        EXPECT_EQ(v.manual, c.manual);
        EXPECT_EQ(v.downloaded, c.downloaded);
        EXPECT_EQ(v.modified, c.modified);
        EXPECT_EQ(v.locked, c.locked);
    }
}

TEST(DataTypeView, AnEditTurnsDownloadedIntoModifiedKeepingNavigation)
{
    EXPECT_EQ(EditedDataType(0x00), 0x00);
    EXPECT_EQ(EditedDataType(0x01), 0x02);
    EXPECT_EQ(EditedDataType(0x11), 0x12);
    EXPECT_EQ(EditedDataType(0x02), 0x02);
    EXPECT_EQ(EditedDataType(0x10), 0x10);
}

TEST(GasList, ThirtyOneEntriesAndTheirStoredValues)
{
    const QStringList gas = GasList();
    ASSERT_EQ(gas.size(), 31);
    EXPECT_EQ(gas[0], "AIR");
    EXPECT_EQ(gas[1], "21%");
    EXPECT_EQ(gas[30], "50%");
    EXPECT_EQ(GasListIndex(0), 0);
    EXPECT_EQ(GasListIndex(20), 0);
    EXPECT_EQ(GasListIndex(21), 1);
    EXPECT_EQ(GasListIndex(50), 30);
    EXPECT_EQ(GasListIndex(51), -1);
    EXPECT_EQ(GasListIndex(db::Value::Null()), -1);
    EXPECT_EQ(FO2OfGasListIndex(0), 20);
    EXPECT_EQ(FO2OfGasListIndex(30), 50);
}

TEST(VariList, SameBandsInEitherUnit)
{
    EXPECT_EQ(VariList(0)[3], "12-15M/Min");
    EXPECT_EQ(VariList(1)[3], "40-50FT/Min");
    EXPECT_EQ(VariList(0).size(), 6);
    EXPECT_EQ(VariList(1)[5], ">60FT/Min");
    EXPECT_EQ(VariListIndex(5), 5);
    EXPECT_EQ(VariListIndex(6), -1);
    EXPECT_EQ(VariListIndex(-1), -1);
    EXPECT_EQ(VariListIndex(db::Value::Null()), -1);
}

TEST(DateToDB, FollowsTheDateOrder)
{
    EXPECT_EQ(DateToDB("02/03/2009", 1), "2009/02/03");
    EXPECT_EQ(DateToDB("02/03/2009", 0), "2009/03/02");
    EXPECT_EQ(DateToDB("31/12/2009", 0), "2009/12/31");
    EXPECT_EQ(DateToDB("12/31/2009", 1), "2009/12/31");
}

TEST(NormalizeTime, TimeInAndSurfaceInterval)
{
    struct Case {
        const char* in;
        int unitTime;
        const char* out;
    } timeIn[] = {
        {"00:30", 1, "00:30"},   // the 12-hour clock shows midnight's hour as 00
        {"13:10", 1, "01:10"},
        {"12:59", 1, "12:59"},
        {"23:59", 0, "23:59"},
        {"25:10", 0, "01:10"},
        {"07:60", 0, "07:00"},
    };
    for (const Case& c : timeIn)
        EXPECT_EQ(NormalizeTimeIn(c.in, c.unitTime), c.out) << c.in << " clock " << c.unitTime;

    const char* surface[][2] = {
        {"30:00", "24:00"}, {"30:15", "23:15"}, {"05:75", "05:00"},
        {"05:60", "05:00"}, {"02:99", "02:00"}, {"24:30", "24:30"}, {"01:59", "01:59"},
    };
    for (const auto& c : surface)
        EXPECT_EQ(NormalizeSurfaceInterval(c[0]), c[1]) << c[0];
}

TEST(Texts, OneDecimalTidAndPositive)
{
    EXPECT_EQ(Format(0.5, u"####.0"), ".5");
    EXPECT_EQ(Format(121.6128, u"####.0"), "121.6");
    EXPECT_EQ(Format(30.48, u"####.0"), "30.5");
    EXPECT_EQ(TidText(123), "000123");
    EXPECT_EQ(TidText(0), "");
    EXPECT_EQ(PositiveText(0), "");
    EXPECT_EQ(PositiveText(db::Value::Null()), "");
    EXPECT_EQ(PositiveText(17), "17");
}

} // namespace
TEST(PressureUsed, SumsWhatEachCountedTankLost)
{
    EXPECT_DOUBLE_EQ(PressureUsed({{{3000, 500}, {2000, 1500}, {1000, 1000}}}), 3000);
    EXPECT_DOUBLE_EQ(PressureUsed({{{3000, 500}, {2000, 1500, false}, {1000, 0, false}}}), 2500);
    EXPECT_DOUBLE_EQ(PressureUsed({{{0, 0, false}, {0, 0, false}, {0, 0, false}}}), 0);
}

} // namespace kvl
