// The settings commands of the tool bar's "Setting Options" menu.
#include "tests/shell/CommandsTest.h"

#include "device/CommFrm.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/SmartToolBar.h"
#include "settings/DCFrm.h"

namespace kvl::test {
namespace {

class SettingsCommandsTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        AddDives(1);
        gv.SelectedModelID = 6774;
        gv.ModelName = "QX07";   // the download window takes the model id from the name
        gv.SelectedSerialNo = 0;
        Side("DiveComputer");
    }
    qint64 SettingsRows(qint32 serial)
    {
        return gv.DB->Scalar("Select COUNT(*) from DC_SETTINGS where DCID = 6774 and DCSERIALNO = ?", {serial})
            .ToLong();
    }
};

TEST_F(SettingsCommandsTest, ReadingOpensTheDownloadWindowInModeOneAndShowsWhatItStored)
{
    comm = [this](CommFrm&) {
        gv.DB->Execute("Insert into DC_SETTINGS (DCID, DCSERIALNO) values (6774, 1234)");
    };
    Tool("ReadSettings");
    EXPECT_EQ(commModes, std::vector<int>{1});
    EXPECT_EQ(gv.CommMode, ReadSettingsMode);
    EXPECT_GE(DCFrm::Instance().Serial_Combo->findText("1234"), 0);
    EXPECT_EQ(gv.ActiveFormID, FormCode::DiveComputer);   // the settings form stays open
}

TEST_F(SettingsCommandsTest, WritingStoresTheWaitingSetBeforeTheDownloadWindowOpens)
{
    qint64 waiting = -1;
    comm = [&](CommFrm&) { waiting = SettingsRows(-1); };
    Tool("WriteSettings");
    EXPECT_EQ(commModes, std::vector<int>{2});
    EXPECT_EQ(gv.CommMode, WriteSettingsMode);
    EXPECT_EQ(waiting, 1);
    Tool("WriteSettings");
    EXPECT_EQ(SettingsRows(-1), 1);   // the waiting set is kept once
}

TEST_F(SettingsCommandsTest, AWriteThatDidNotCompleteLeavesTheEditsOnTheFormForTheNextWrite)
{
    DCFrm& form = DCFrm::Instance();
    form.MaxDepthOpt->SetListIndex(4);
    form.MaxDepthOpt_Click();
    form.Cmd->Items("Heading").SetText("300");
    form.Cmd->Items("CDT").SetText("0:02:05");
    form.Cmd_ItemClick("Add");
    const QString depth = form.MaxDepthOpt->Text();
    comm = [this](CommFrm&) {
        // The transfer read the unit, then its write stopped.
        gv.DB->Execute("Insert into DC_SETTINGS (DCID, DCSERIALNO, MAXDEPTH) values (6774, 1234, 130)");
        gv.SelectedSerialNo = 1234;
    };
    Tool("WriteSettings");
    EXPECT_EQ(gv.SelectedSerialNo, 0);
    EXPECT_EQ(form.MaxDepthOpt->Text(), depth);
    EXPECT_EQ(form.Grid->Rows(), 1);
    EXPECT_EQ(gv.DB->Scalar("Select HEADING from DC_NAV where DCID = 6774 and DCSERIALNO = -1").ToLong(), 300);
}

TEST_F(SettingsCommandsTest, ARefusedTimeOpensNoDownloadWindow)
{
    DCFrm::Instance().TimeTxt->SetText("25:00");
    DCFrm::Instance().Hour_Opt->SetBox0(false);   // 24-hour clock
    dialogs.ExpectMsg("Invalid time. Please enter value 00-23 for hour.");
    Tool("WriteSettings");
    EXPECT_TRUE(commModes.empty());
    EXPECT_EQ(SettingsRows(-1), 0);
    EXPECT_EQ(DCFrm::Instance().TimeTxt->Text(), "01:00");
}

TEST_F(SettingsCommandsTest, FactorySettingsOfAModelWithoutThemGiveAWarning)
{
    Tool("Manufacturing");
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
    gv.SelectedModelID = 17;
    dialogs.ExpectMsg("Manufacturer setting is not available for this PDC.");
    Tool("Manufacturing");
    dialogs.ExpectMsg("Manufacturer setting is not available for this PDC.");   // no unit row either
    Tool("LastSettings");
    EXPECT_EQ(gv.ActiveFormID, FormCode::DiveComputer);
}

} // namespace
} // namespace kvl::test
