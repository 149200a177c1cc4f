#include "shell/core/MDI_Rules.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

TEST(MDIRules, SideBarKeysAndFormCodesMatchBothWays)
{
    const std::pair<const char*, int> forms[] = {
        {"Personal", 1}, {"DiveComputer", 2}, {"Dive", 3},  {"Buddies", 4}, {"Location", 5},
        {"Details", 6},  {"Gear", 7},         {"History", 8}, {"Queries", 9},
    };
    for (const auto& [key, code] : forms) {
        EXPECT_EQ(FormCodeOfKey(QString::fromLatin1(key)), code) << key;
        EXPECT_EQ(SideBarKeyOfForm(code), QString::fromLatin1(key)) << code;
    }
    for (const char* key : {"Logo", "", "personal", "Print", "PDCSettings"})
        EXPECT_EQ(FormCodeOfKey(QString::fromLatin1(key)), -1) << key;
    for (int code : {0, 10, 255})
        EXPECT_TRUE(SideBarKeyOfForm(code).isEmpty()) << code;
}

TEST(MDIRules, WhatIsSavedBeforeAFormCloses)
{
    using R = SaveRule;
    const std::tuple<int, R, R, R> table[] = {
        // code, closing, "Save" command, before printing
        {1, R::Always, R::Nothing, R::Always},
        {2, R::Nothing, R::Nothing, R::Nothing},
        {3, R::IfDiveChangedOrNew, R::IfDiveChangedOrNew, R::IfDiveChanged},
        {4, R::IfPersonChanged, R::Always, R::IfPersonChanged},
        {5, R::Always, R::Always, R::Always},
        {6, R::Nothing, R::Nothing, R::Nothing},
        {7, R::Always, R::Always, R::Always},
        {8, R::Nothing, R::Nothing, R::Nothing},
        {9, R::Nothing, R::Nothing, R::Nothing},
        {0, R::Nothing, R::Nothing, R::Nothing},
        {255, R::Nothing, R::Nothing, R::Nothing},
    };
    for (const auto& [code, closing, command, print] : table) {
        EXPECT_EQ(SaveRuleOf(SaveOccasion::Closing, code), closing) << code;
        EXPECT_EQ(SaveRuleOf(SaveOccasion::SaveCommand, code), command) << code;
        EXPECT_EQ(SaveRuleOf(SaveOccasion::BeforePrint, code), print) << code;
    }
}

TEST(MDIRules, NavigationLandsWhereTheKeySays)
{
    struct Case {
        const char* key;
        int pos, count;
        bool removed;
        std::optional<int> target;
    };
    const Case cases[] = {
        {"FirstDive", 3, 5, false, 0},
        {"LastDive", 1, 5, false, 4},
        {"NextDive", 1, 5, false, 2},
        {"NextDive", 4, 5, false, 4},          // on the last dive: the same dive again
        {"LastDive", 4, 5, false, 4},
        {"PrevDive", 2, 5, false, 1},
        {"PrevDive", 0, 5, false, std::nullopt},  // on the first dive: nothing to show
        {"NextDive", -1, 5, false, 0},
        {"FirstDive", 0, 0, false, std::nullopt}, // empty list
        // The dive at pos was taken out; the list now stands between pos-1 and pos.
        {"NextDive", 2, 4, true, 2},
        {"PrevDive", 2, 4, true, 1},
        {"PrevDive", 0, 4, true, 0},
        {"NextDive", 4, 4, true, 3},           // the removed dive was the last
        {"LastDive", 2, 4, true, 3},
        {"NextDive", 0, 0, true, std::nullopt},
        {"Sort", 1, 5, false, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NavigationTarget(QString::fromLatin1(c.key), c.pos, c.count, c.removed), c.target)
            << c.key << " pos " << c.pos << " count " << c.count << " removed " << c.removed;
}

TEST(MDIRules, AddDiveModesAskForTheirActions)
{
    using A = AddDiveAction;
    const std::pair<int, A> table[] = {
        {99, A::Cancelled}, {1, A::ShiftAllThenAdd}, {3, A::ShiftFromThenAdd}, {7, A::Add},
        {9, A::Download},   {11, A::Download},       {15, A::Download},        {0, A::Nothing},
        {8, A::Nothing},    {2, A::Nothing},
    };
    for (const auto& [mode, action] : table)
        EXPECT_EQ(AddDiveActionOf(mode), action) << mode;
}

} // namespace
} // namespace kvl
