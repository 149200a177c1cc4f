#include "reports/core/PersonalInfo.h"

#include "reports/core/ReportFrame.h"
#include "tests/reports/core/ReportTest.h"

namespace kvl::test {
namespace {

class PersonalInfoTest : public ReportTest {
protected:
    // The text printed at x on the line of the label (the k-th label of its block).
    const RecordedText* ValueBeside(const QString& label, int occurrence = 0)
    {
        const auto labels = All(label);
        if (int(labels.size()) <= occurrence)
            return nullptr;
        for (const RecordedText& t : printer.texts)
            if (t.x == 2.0 && t.y == labels[size_t(occurrence)].y)
                return &t;
        return nullptr;
    }
};

TEST_F(PersonalInfoTest, EachValueStandsOnItsLabelsLine)
{
    InsertRow(*gv.DB, "USERINFO", {{"USERTYPE", 4}, {"NAME", "Buddy Bob"}});
    InsertRow(*gv.DB, "USERINFO", {{"USERTYPE", 1}, {"NAME", "Zoë Ødegård"}, {"CITY", "Bergen"}, {"HOME", "555-1"},
                                   {"CONTACTNAME", "O'Neil"}, {"CONTACTPHONE", "555-2"}, {"ALLERGIES", "none"}});
    // The companions' form last showed the buddy: the page still prints the diver.
    gv.rsUserInfo = gv.DB->OpenRecordset("Select * from USERINFO where USERTYPE = 4 ;");
    PrintPersonalInfo(printer);

    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(printer.pages, 1);
    const RecordedText* title = printer.Find("Ann Diver - Personal Information");
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->x, 1.0);
    EXPECT_DOUBLE_EQ(title->y, 0.5);
    ASSERT_FALSE(printer.lines.empty());
    EXPECT_EQ(printer.lines[0].width, 4);
    EXPECT_DOUBLE_EQ(printer.lines[0].y1, 0.625);
    EXPECT_DOUBLE_EQ(printer.lines[0].x2, 7.5);

    const RecordedText* heading = printer.Find("Personal Information");
    ASSERT_TRUE(heading);
    EXPECT_TRUE(heading->bold && heading->underline);
    EXPECT_DOUBLE_EQ(heading->y, 1.0);
    EXPECT_DOUBLE_EQ(printer.Find("Name:")->y, 1.25);  // heading, one empty line

    ASSERT_TRUE(ValueBeside("Name:"));
    EXPECT_EQ(ValueBeside("Name:")->text, "Zoë Ødegård");
    EXPECT_EQ(ValueBeside("City:")->text, "Bergen");
    EXPECT_EQ(ValueBeside("Phone:", 0)->text, "555-1");
    EXPECT_EQ(ValueBeside("Name:", 1)->text, "O'Neil");
    EXPECT_EQ(ValueBeside("Phone:", 1)->text, "555-2");
    EXPECT_EQ(ValueBeside("Allergies:")->text, "none");
    EXPECT_EQ(ValueBeside("Address1:"), nullptr);  // empty: nothing printed, the rows keep their places

    // The next block's heading stands two empty lines below the last row.
    EXPECT_DOUBLE_EQ(printer.Find("Emergency Contact")->y, printer.Find("Email:")->y + 3 * 0.125);
    const RecordedText* notice = printer.Find(MakerNotice());
    ASSERT_TRUE(notice);
    EXPECT_DOUBLE_EQ(notice->x, 1.0);
    EXPECT_DOUBLE_EQ(notice->y, 10.5);
}

struct UnitsCase {
    const char* name;
    quint8 flag;
    std::vector<const char*> texts;
};

class PersonalUnitsTest : public PersonalInfoTest, public ::testing::WithParamInterface<UnitsCase> {};

TEST_P(PersonalUnitsTest, FlagOneIsImperialAnyOtherMetric)
{
    const UnitsCase& c = GetParam();
    gv.UnitDepth = gv.UnitPressure = gv.UnitWeight = gv.UnitTemp = gv.UnitTime = gv.UnitDate = gv.UnitCylinder = c.flag;
    PrintPersonalInfo(printer);
    const char* labels[] = {"Depth:", "Pressure:", "Weight:", "Temperature:", "Time Format:", "Date Format:",
                            "Cylinder Size:"};
    for (size_t i = 0; i < c.texts.size(); ++i) {
        const RecordedText* value = ValueBeside(labels[i]);
        ASSERT_TRUE(value) << labels[i];
        EXPECT_EQ(value->text, c.texts[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Personal, PersonalUnitsTest, ::testing::Values(
    UnitsCase{"Imperial", 1, {"FEET", "PSI", "LBS", "FAHRENHEIT", "12", "mm/dd/yyyy", "CUBIC FEET"}},
    UnitsCase{"Metric", 0, {"METER", "BAR", "KGS", "CELSIUS", "24", "dd/mm/yyyy", "LITER"}},
    UnitsCase{"OtherValue", 2, {"METER", "BAR", "KGS", "CELSIUS", "24", "dd/mm/yyyy", "LITER"}}),
    [](const ::testing::TestParamInfo<UnitsCase>& row) { return std::string(row.param.name); });

TEST_F(PersonalInfoTest, WithoutADiverRowTheLabelsPrintAlone)
{
    gv.DiverName.clear();
    PrintPersonalInfo(printer);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_TRUE(printer.Find(" - Personal Information"));
    EXPECT_TRUE(printer.Find("Name:"));
    EXPECT_EQ(ValueBeside("Name:"), nullptr);
}

} // namespace
} // namespace kvl::test
