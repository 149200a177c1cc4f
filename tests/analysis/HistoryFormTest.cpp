// The history form over a log: the statistics and records it shows, and the click
// on a record that brings up that dive.
#include "analysis/HistoryFrm.h"
#include "analysis/core/Extremes.h"
#include "platform/runtime/Clock.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/DiveRows.h"
#include "shell/core/FormCode.h"
#include "tests/shell/CommandsTest.h"

#include <QLabel>
#include <QLineEdit>

namespace kvl::test {
namespace {

size_t At(Extreme e) { return static_cast<size_t>(e); }

class HistoryFormTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        SetToday(QDate(2009, 6, 15));
    }
    void TearDown() override
    {
        SetToday(QDate());
        CommandsTest::TearDown();
    }
    HistoryFrm& Open()
    {
        Side("History");
        EXPECT_EQ(gv.ActiveFormID, FormCode::History);
        return HistoryFrm::Instance();
    }
    static QStringList Texts(const std::array<QLineEdit*, 3>& boxes)
    {
        return {boxes[0]->text(), boxes[1]->text(), boxes[2]->text()};
    }
};

TEST_F(HistoryFormTest, ShowsTotalsSpansAndRecordsInTheUsersUnits)
{
    AddDives(3);   // January 2009, 60 ft, in both spans
    gv.DB->Execute("Update DIVEDATA set BTIME = 59, SPSI = 3000, EPSI = 2000, TEMP = 78, VISIBILITY = 1");
    AddDive({{"LIFETIMEDIVENO", 4}, {"DIVEDATE", "2008/05/31"}, {"BTIME", 75}, {"MDEPTH", 100}, {"TEMP", 14}, {"VISIBILITY", 1}});
    gv.UnitDepth = gv.UnitTemp = gv.UnitPressure = 0;
    HistoryFrm& history = Open();
    EXPECT_EQ(history.Header->text(), "VURO DIVE HISTORY");
    EXPECT_EQ(Texts(history.TotalTxt), (QStringList{"4", "4:12", ""}));
    EXPECT_EQ(Texts(history.SixTxt), (QStringList{"3", "2:57", "210.0 BAR"}));
    EXPECT_EQ(Texts(history.TwelveTxt), (QStringList{"3", "2:57", "210.0 BAR"}));
    EXPECT_FALSE(history.TotalTxt[HistoryFrm::GasRow]->isVisibleTo(&history));
    EXPECT_FALSE(history.Label2(HistoryFrm::GasCaption).isVisibleTo(&history));
    QStringList records;
    for (QLineEdit* box : history.REcordTxt)
        records << box->text();
    EXPECT_EQ(records, (QStringList{"30.5 M", "01:15", "00:59", "26 C", "-10 C", ".3 M", ".3 M"}));
    EXPECT_EQ(history.XTremeLbl[At(Extreme::Longest)]->text(), "Longest (hr:min):");
    EXPECT_EQ(history.XTremeLbl[At(Extreme::WorstVisibility)]->toolTip(), "View This Dive Data");
    EXPECT_EQ(history.XTremeLbl[At(Extreme::Deepest)]->palette().color(QPalette::WindowText), QColor(0, 0, 192));
}

TEST_F(HistoryFormTest, AnOldLogLeavesTheSpansEmpty)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2001/01/01"}, {"BTIME", 5}});
    OpenLogOn();
    gv.UnitDepth = gv.UnitTemp = 1;
    HistoryFrm& history = Open();
    EXPECT_EQ(Texts(history.TotalTxt), (QStringList{"1", "0:05", ""}));
    EXPECT_EQ(Texts(history.SixTxt), (QStringList{"", "", ""}));
    EXPECT_EQ(Texts(history.TwelveTxt), (QStringList{"", "", ""}));
    EXPECT_EQ(history.REcordTxt[At(Extreme::Deepest)]->text(), "0 FT");
}

TEST_F(HistoryFormTest, AnEmptyLogShowsNoDivesAndTheUnitsAlone)
{
    gv.UnitDepth = gv.UnitTemp = 0;
    HistoryFrm history;
    history.LoadStatisticHistory();
    history.LoadExtremesHistory();
    EXPECT_EQ(Texts(history.TotalTxt), (QStringList{"0", "0:00", ""}));
    EXPECT_EQ(history.REcordTxt[At(Extreme::Deepest)]->text(), " M");
    EXPECT_EQ(history.REcordTxt[At(Extreme::Warmest)]->text(), " C");
    history.XTremeLbl_Click(static_cast<int>(Extreme::Deepest));   // no record: nothing happens
    EXPECT_EQ(gv.CurrentDiveID, -1);
}

TEST_F(HistoryFormTest, AMissingTableStopsNothing)
{
    gv.DB->Execute("Drop table DIVEDATA");
    HistoryFrm history;
    history.LoadStatisticHistory();
    history.LoadExtremesHistory();
    history.XTremeLbl_Click(static_cast<int>(Extreme::Deepest));
    EXPECT_EQ(history.TotalTxt[HistoryFrm::DivesRow]->text(), "");
}

TEST_F(HistoryFormTest, ARecordsClickMakesTheFirstOfTiedDivesCurrentAndShowsItsRecord)
{
    AddDives(4);
    gv.DB->Execute("Update DIVEDATA set MDEPTH = 120.5, DIVETIME = '14:30' where LIFETIMEDIVENO IN (3, 2)");
    Open().XTremeLbl_Click(static_cast<int>(Extreme::Deepest));
    EXPECT_EQ(gv.CurrentDiveID, IdOf(2));
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(2));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 2);
    // The record then shows the dive in the units it was recorded in, caption included.
    EXPECT_TRUE(gv.CurrentDiveCaption.startsWith("#2 ")) << gv.CurrentDiveCaption.toStdString();
    EXPECT_EQ(ToolItem("LTD").Text(), gv.CurrentDiveCaption);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_TRUE(Frm().SmartBar->Items("Dive").Selected());
}

TEST_F(HistoryFormTest, ARecordOutsideAFilteredListReopensTheWholeLog)
{
    AddDives(4);
    gv.DB->Execute("Update DIVEDATA set MDEPTH = 130 where LIFETIMEDIVENO = 4");
    gv.DiveListSQL = "Select * from DIVEDATA where LIFETIMEDIVENO <= 2 ORDER BY LIFETIMEDIVENO";
    OpenLogOn(static_cast<qint32>(IdOf(1)));
    Open().XTremeLbl_Click(static_cast<int>(Extreme::Deepest));
    EXPECT_EQ(gv.CurrentDiveID, IdOf(4));
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(4));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 4);
    EXPECT_EQ(gv.rsDiveData->RecordCount(), 4);
    EXPECT_EQ(gv.DiveListSQL, "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC");
    EXPECT_TRUE(gv.CurrentDiveCaption.startsWith("#4 "));
}

} // namespace
} // namespace kvl::test
