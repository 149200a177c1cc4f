#include "dive/core/DiveValidators.h"

#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"

namespace kvl {
namespace {

class DiveValidatorsTest : public test::KvlTest {};

const char* const kIncompleteDmy = "Invalid date. Please enter date as dd/mm/yyyy.";
const char* const kIncompleteMdy = "Invalid date. Please enter date as mm/dd/yyyy.";
const char* const kBadMonth = "Invalid month. Please re-enter date with a valid month.";
const char* const kBadDay = "Invalid day. Please re-enter date with a valid day.";

TEST_F(DiveValidatorsTest, Dates)
{
    struct Case {
        const char* text;
        int unitDate;
        const char* message;   // nullptr: accepted without a message
    } cases[] = {
        {"29/02/2008", 0, nullptr},
        {"29/02/2009", 0, kBadDay},
        {"29/02/1900", 0, kIncompleteDmy},   // the day check passes, the calendar refuses
        {"13/01/2009", 1, kBadMonth},
        {"13/01/2009", 0, nullptr},
        {"12/__/2009", 0, kIncompleteDmy},
        {"12/__/2009", 1, kIncompleteMdy},
        {"12/31/2009", 1, nullptr},
        {"31/04/2009", 0, kBadDay},
        {"00/01/2009", 1, kBadMonth},
    };
    for (const Case& c : cases) {
        gv.UnitDate = static_cast<quint8>(c.unitDate);
        if (c.message)
            dialogs.ExpectMsg(c.message);
        EXPECT_EQ(IsValidDate(c.text), c.message == nullptr) << c.text << " order " << c.unitDate;
        dialogs.VerifyAllUsed();
    }
    for (const Prompt& p : dialogs.Messages()) {
        EXPECT_EQ(p.title, "Warning");
        EXPECT_EQ(p.icon, MsgIcon::Critical);
    }
}

TEST_F(DiveValidatorsTest, PressuresAndCylinderSizes)
{
    struct Case {
        bool pressure;
        int unit;
        double value;
        const char* message;
    } cases[] = {
        {true, 0, 2289, nullptr},
        {true, 0, 2290, "Please enter pressure value between 0 and 2289"},
        {true, 1, 32700, nullptr},
        {true, 1, 32701, "Please enter pressure value between 0 and 32700"},
        {true, 1, -1, "Please enter pressure value between 0 and 32700"},
        {true, 0, -1, "Please enter pressure value between 0 and 2289"},
        {true, 0, 0, nullptr},
        {false, 1, 1155, nullptr},
        {false, 1, 1156, "Please enter pressure value between 0 and 1155"},
        {false, 0, 32700, nullptr},
        {false, 0, 32701, "Please enter pressure value between 0 and 32700"},
        {false, 0, -1, "Please enter pressure value between 0 and 32700"},
    };
    for (const Case& c : cases) {
        gv.UnitPressure = gv.UnitCylinder = static_cast<quint8>(c.unit);
        if (c.message)
            dialogs.ExpectMsg(c.message);
        const bool ok = c.pressure ? IsValidPressure(c.value) : IsValidCylinderSize(c.value);
        EXPECT_EQ(ok, c.message == nullptr) << c.value << " unit " << c.unit;
        dialogs.VerifyAllUsed();
    }
}

TEST_F(DiveValidatorsTest, DiveNumbers)
{
    const char* message = "Invalid dive number. Re-enter you desired dive number (between 0 and 2000000).";
    EXPECT_TRUE(IsValid_DiveNo(1));
    EXPECT_TRUE(IsValid_DiveNo(1999999));
    dialogs.ExpectMsg(message).ExpectMsg(message);
    EXPECT_FALSE(IsValid_DiveNo(0));
    EXPECT_FALSE(IsValid_DiveNo(2000000));
    EXPECT_FALSE(IsValid_LifeTimeDiveNo(12));
}

} // namespace
} // namespace kvl
