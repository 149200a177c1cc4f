// The dives listing under the tool bar's "LTD" item.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "dive/DivesListingFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/DiveRows.h"
#include "shell/MDI_MainFrm.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTableWidget>

namespace kvl::test {
namespace {

class DivesListingTest : public CommandsTest {
protected:
    DivesListingFrm& DropDown()
    {
        QWidget* window = Frm().SmartUI1_ItemDropDown("LTD");
        EXPECT_EQ(window, &DivesListingFrm::Instance());
        return DivesListingFrm::Instance();
    }
    QStringList Row(int row)
    {
        QStringList texts;
        const QTableWidget& grid = *DivesListingFrm::Instance().Grid;
        for (int c = 0; c < grid.columnCount(); ++c)
            texts << grid.item(row, c)->text();
        return texts;
    }
    // The row of the grid that lists the dive with this lifetime number.
    int RowOf(qint64 ltd)
    {
        const QTableWidget& grid = *DivesListingFrm::Instance().Grid;
        for (int r = 0; r < grid.rowCount(); ++r)
            if (grid.item(r, 0)->text() == QString::number(ltd))
                return r;
        return -1;
    }
};

TEST_F(DivesListingTest, ListsEveryDiveOfTheBrowsedSetInItsOrder)
{
    AddDives(3);
    gv.DB->Execute("Update DIVEDATA set MODELID = 42, DIVETIME = '14:05' where LIFETIMEDIVENO = 2");
    gv.UnitDate = 0;
    gv.UnitTime = 0;
    DivesListingFrm& listing = DropDown();
    ASSERT_EQ(listing.Grid->rowCount(), 3);
    EXPECT_EQ(Row(0), (QStringList{"1", "01/01/2009", "10:00", "1", "QX07", "", ""}));
    EXPECT_EQ(Row(1), (QStringList{"2", "02/01/2009", "14:05", "2", "N/A", "", ""}));
    EXPECT_EQ(Row(2)[0], "3");
    EXPECT_EQ(Frm().SmartUI1_ItemDropDown("Help"), nullptr);
}

TEST_F(DivesListingTest, IsFilledAfreshAtEachDropDownAndFollowsAFilter)
{
    AddDives(4);
    EXPECT_EQ(DropDown().Grid->rowCount(), 4);
    gv.DB->Execute("Delete from DIVEDATA where LIFETIMEDIVENO = 2");
    EXPECT_EQ(DropDown().Grid->rowCount(), 3);
    gv.DiveListSQL = "Select * from DIVEDATA where LIFETIMEDIVENO > 2 ORDER BY DIVEDATE DESC";
    DropDown();
    EXPECT_EQ(Row(0)[0], "4");
    EXPECT_EQ(Row(1)[0], "3");
}

TEST_F(DivesListingTest, APickMakesThatDiveCurrentInTheOpenForm)
{
    AddDives(4);
    Side("Dive");
    // The dive record shows the picked dive in its stored units: metric, 24-hour.
    gv.DB->Execute("Update DIVE_DC_SETTINGS set UNITS = 1, HOUR = 1");
    DivesListingFrm& listing = DropDown();
    listing.Grid_Click(RowOf(3));
    EXPECT_EQ(gv.CurrentDiveID, IdOf(3));
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(3));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 3);
    EXPECT_EQ(gv.CurrentDiveCaption, "#3 03/01/2009 10:00");
    EXPECT_EQ(ToolItem("LTD").Text(), gv.CurrentDiveCaption);
    EXPECT_FALSE(listing.isVisible());
    EXPECT_EQ(gv.ActiveFormID, 3);
}

TEST_F(DivesListingTest, AnEditedDiveIsSavedToItsOwnRowBeforeThePick)
{
    AddDives(3);
    Side("Dive");
    EditMemo("Night dive");
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::Yes);
    DropDown().Grid_Click(RowOf(3));
    EXPECT_EQ(Stored(IdOf(1), "MEMO").ToString(), "Night dive");
    EXPECT_EQ(Stored(IdOf(3), "MEMO").ToString(), "");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(3));
}

TEST_F(DivesListingTest, ARefusedRecordKeepsTheListOnItsDive)
{
    AddDives(3);
    Side("Dive");
    MaskedEdit& date = DiveFrm::Instance().Masked1(DiveMasked::Date);
    emit date.KeyDown(0);
    date.setText("13/45/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    DropDown().Grid_Click(RowOf(3));
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(1));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 1);
}

TEST_F(DivesListingTest, NoToANewDiveDiscardsItBeforeThePick)
{
    AddDives(3);
    AnswerAddDive(LtdPlace::End);
    Tool("AddDive");
    const qint64 added = gv.CurrentDiveID;
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No);
    DropDown().Grid_Click(RowOf(2));
    EXPECT_EQ(Count("DIVEDATA", added), 0);
    EXPECT_FALSE(gv.IsNewDive);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(2));
}

TEST_F(DivesListingTest, ADiveThatNoLongerExistsIsIgnored)
{
    AddDives(3);
    Side("Location");
    DivesListingFrm& listing = DropDown();
    const int row = RowOf(3);
    gv.DB->Execute("Delete from DIVEDATA where LIFETIMEDIVENO = 3");
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    gv.rsDiveData->MoveFirst();
    listing.Grid_Click(row);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(1));
    EXPECT_EQ(gv.ActiveFormID, 5);
}

TEST_F(DivesListingTest, PickingTheNewDiveThatNoDiscardsShowsTheDiveNowCurrent)
{
    AddDives(3);
    AnswerAddDive(LtdPlace::End);
    Tool("AddDive");
    const qint64 added = gv.CurrentDiveID;
    DivesListingFrm& listing = DropDown();
    const int row = RowOf(4);
    dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No);
    listing.Grid_Click(row);
    EXPECT_EQ(Count("DIVEDATA", added), 0);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    EXPECT_EQ(DiveFrm::Instance().Text3(DiveText::LifeTimeDiveNo).text(), "1");   // the record shows it, not the dive gone
}

TEST_F(DivesListingTest, AnAddedDiveDropsTheQueryFilterFromTheListing)
{
    AddDives(3);
    gv.DiveListSQL = "Select * from DIVEDATA where DIVENO = 2";
    ShowCurrentLTD();
    AnswerAddDive(LtdPlace::End);
    Tool("AddDive");
    EXPECT_EQ(DropDown().Grid->rowCount(), 4);
    EXPECT_EQ(gv.rsDiveData->RecordCount(), 4);
    ShowCurrentLTD();   // as the next re-reading of the browsed list does
    EXPECT_EQ(gv.rsDiveData->RecordCount(), 4);
}

TEST_F(DivesListingTest, OpensOnTheDiveShownAndEnterPicksTheRowChosenByKeys)
{
    AddDives(4);
    OpenLogOn(IdOf(2));
    Side("Location");
    Frm().SmartUI1->DropDown("LTD");   // as the user's click does
    DivesListingFrm& listing = DivesListingFrm::Instance();
    EXPECT_TRUE(listing.isVisible());
    EXPECT_TRUE(listing.Grid->hasFocus());
    EXPECT_EQ(listing.Grid->currentRow(), RowOf(2));
    listing.Grid->setCurrentCell(RowOf(4), 0);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(listing.Grid, &enter);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(4));
    EXPECT_EQ(gv.ActiveFormID, 5);
}

} // namespace
} // namespace kvl::test
