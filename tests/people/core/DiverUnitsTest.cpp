// The unit system the diver's units row gives.
#include "people/core/DiverUnits.h"
#include "tests/people/core/PeopleLogTest.h"

namespace kvl::test {
namespace {

struct UnitsCase {
    const char* name;
    db::Value depth;
    db::Value time;
    std::optional<quint8> system;
};

class DiverUnitsTest : public PeopleLogTest, public ::testing::WithParamInterface<UnitsCase> {};

TEST_P(DiverUnitsTest, DepthAloneDecides)
{
    const UnitsCase& c = GetParam();
    log->Execute("Update UNITS_OF_MEASUREMENT set DEPTH = ?, TIME = ? ;", {c.depth, c.time});
    EXPECT_EQ(people::UnitSystemOfRow(*log->OpenRecordset("Select * from UNITS_OF_MEASUREMENT ;")), c.system);
}

INSTANTIATE_TEST_SUITE_P(People, DiverUnitsTest,
                         ::testing::Values(UnitsCase{"DepthYesTimeNo", true, false, 1},
                                           UnitsCase{"DepthNoTimeYes", false, true, 0},
                                           UnitsCase{"DepthNull", db::Value(), true, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PeopleLogTest, NoUnitsRowGivesNoSystem)
{
    log->Execute("Delete from UNITS_OF_MEASUREMENT ;");
    EXPECT_FALSE(people::UnitSystemOfRow(*log->OpenRecordset("Select * from UNITS_OF_MEASUREMENT ;")));
}

} // namespace
} // namespace kvl::test
