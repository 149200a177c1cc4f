#include "dive/core/AddDiveLogic.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(AddDiveChoice, ATypedLifetimeNumberMustBeAWholeNumberOfAtLeastOne)
{
    const std::pair<const char*, std::optional<long>> cases[] = {
        {"12", 12},   {" 7 ", 7},          {"1", 1},           {"0", std::nullopt},
        {"-3", std::nullopt}, {"", std::nullopt}, {"abc", std::nullopt}, {"2.5", std::nullopt},
        {"12abc", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseLifetimeNumber(QString::fromLatin1(text)), expected) << text;
}

TEST(AddDiveChoice, ThePlaceAndTheSourceGiveTheMode)
{
    struct Case {
        bool download;
        LtdPlace place;
        const char* first;
        const char* middle;
        int mode;
        long newLtd;
        bool refused;
    };
    const Case cases[] = {
        {false, LtdPlace::Beginning, "1", "", 1, 1, false},
        {false, LtdPlace::End, "1", "", 7, 41, false},
        {false, LtdPlace::Middle, "1", "12", 3, 12, false},
        {true, LtdPlace::End, "1", "", 15, 41, false},
        {true, LtdPlace::Beginning, "1", "", 9, 1, false},
        {true, LtdPlace::Middle, "1", "5", 11, 5, false},
        {false, LtdPlace::Middle, "1", "0", 99, 0, true},
        {false, LtdPlace::Middle, "1", "", 99, 0, true},
        {false, LtdPlace::Beginning, "x", "", 99, 0, true},   // an empty log's editable box
        {false, LtdPlace::None, "1", "", 99, 0, false},       // no place chosen: as Cancel
        {true, LtdPlace::None, "1", "", 99, 0, false},
    };
    for (const Case& c : cases) {
        AddDiveChoice choice;
        choice.download = c.download;
        choice.place = c.place;
        choice.firstText = QString::fromLatin1(c.first);
        choice.middleText = QString::fromLatin1(c.middle);
        choice.lastLtd = 40;
        const AddDiveResult r = ResolveAddDive(choice);
        EXPECT_EQ(r.mode, c.mode) << c.first << "/" << c.middle;
        EXPECT_EQ(r.refused, c.refused) << c.first << "/" << c.middle;
        if (!c.refused && c.mode != 99) {
            EXPECT_EQ(r.newDiveLtd, c.newLtd) << c.first << "/" << c.middle;
        }
    }
}

} // namespace
} // namespace kvl
