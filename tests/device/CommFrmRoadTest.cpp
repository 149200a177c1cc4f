// The download window against the simulated device, in process: listing the
// device's dives, ticking them, saving them into the log, and closing.
#include "tests/device/CommFrmRig.h"

#include <QDir>
#include <QFile>

namespace kvl {
namespace {

class CommFrmRoadTest : public test::CommFrmRig {};

TEST_F(CommFrmRoadTest, StartListsTheDevicesDivesAndStoresTheUnitsSettings)
{
    CommFrm& f = Listed();
    EXPECT_EQ(Keys(), (std::vector<QString>{"1", "2", "3"}));
    EXPECT_EQ(f.DivesList->Items("1").Caption(), "Dive Date: 04/06/09, Dive Time: 09:15, Dive No.: 01");
    EXPECT_EQ(f.M.UnitSerialNo, 10203);
    EXPECT_EQ(Count("Select count(*) from DC_SETTINGS where DCSERIALNO = 10203"), 1);
    EXPECT_EQ(Count("Select count(*) from DC_NAV where DCSERIALNO = 10203"), 4);
    EXPECT_TRUE(f.SetAwakeTimer->isActive());
}

TEST_F(CommFrmRoadTest, TickingADiveAddsOneStatusLineAndUntickingRemovesIt)
{
    CommFrm& f = Listed();
    f.DivesList->ClickItem("2");
    f.DivesList->ClickItem("2");
    f.DivesList->ClickItem("2");
    EXPECT_EQ(Keys(), (std::vector<QString>{"1", "2", "3", "1002"}));
    EXPECT_EQ(f.DivesList->Items("1002").Caption(), "Status: In queue.");
    EXPECT_EQ(f.DivesList->Items("1002").Color(), QColor(0, 128, 0));
    f.DivesList->ClickItem("2");
    EXPECT_EQ(Keys(), (std::vector<QString>{"1", "2", "3"}));
}

TEST_F(CommFrmRoadTest, SavingStoresTheTickedDivesLockedWithTheirRowsAndKeepsTheUnitAwake)
{
    CommFrm& f = Listed();
    f.Cmd_ItemClick(CmdKey::SelectNew);
    f.Cmd_ItemClick(CmdKey::SaveDives);
    EXPECT_EQ(f.Cmd->Items(CmdKey::Message).Text(), "Saving dives...completed.");
    EXPECT_EQ(Count("Select count(*) from DIVEDATA where MODELSERNO = 10203"), 3);
    EXPECT_EQ(Count("Select DATATYPE from DIVEDATA where DIVENO = 2"), 17);
    EXPECT_EQ(Count("Select STIME = '01:25' from DIVEDATA where DIVENO = 2"), 1);
    EXPECT_EQ(Count("Select count(*) from DIVEDETAILS where DIVEID = (select DIVEID from DIVEDATA where DIVENO = 1)"), 9);
    EXPECT_EQ(Count("Select count(*) from DIVE_DC_SETTINGS"), 3);
    EXPECT_EQ(gv.DB->Scalar("Select group_concat(LIFETIMEDIVENO) from (select LIFETIMEDIVENO from DIVEDATA order by 1)")
                  .ToString(),
              "1,2,3");
    EXPECT_TRUE(gv.DivesAdded);
    for (const devsim::PlacedDive& dive : built.dives)   // the next dive's first page is read ahead, once
        EXPECT_EQ(device.FramesOf(0x20, dive.startPage).size(), 1u) << dive.number;
    EXPECT_TRUE(QFile::exists(f.DownloadFilePath));
    EXPECT_TRUE(f.SetAwakeTimer->isActive());

    // The window opened again on the same device lists them disabled, and "SelectNew" ticks none.
    frm.reset();
    CommFrm& again = Listed();
    again.Cmd_ItemClick(CmdKey::SelectNew);
    for (const QString key : {"1", "2", "3"}) {
        EXPECT_FALSE(again.DivesList->Items(key).Enabled()) << qPrintable(key);
        EXPECT_FALSE(again.DivesList->Items(key).Ticked()) << qPrintable(key);
    }
}

TEST_F(CommFrmRoadTest, CloseSendsTwoSleepFramesAndRemovesTheArchive)
{
    CommFrm& f = Listed();
    f.Cmd_ItemClick(CmdKey::SelectAll);
    f.Cmd_ItemClick(CmdKey::SaveDives);
    const QString archive = f.DownloadFilePath;
    ASSERT_TRUE(QFile::exists(archive));
    const auto sleepsBefore = device.FramesOf(0x98).size();
    Close();
    EXPECT_EQ(device.FramesOf(0x98).size() - sleepsBefore, 2u);
    EXPECT_FALSE(QFile::exists(archive));
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(CommFrmRoadTest, ReadSettingsStoresTheUnitAndAsksToClose)
{
    CommFrm& f = Open(ReadSettingsMode);
    f.Cmd_ItemClick(CmdKey::Start);
    EXPECT_EQ(Count("Select MAXDEPTH from DC_SETTINGS where DCSERIALNO = 10203"), 130);
    EXPECT_EQ(gv.SelectedSerialNo, 10203);
    EXPECT_TRUE(f.M.CloseRequested);
    EXPECT_TRUE(f.CloseTimer->isActive());
}

TEST_F(CommFrmRoadTest, StartWithoutTheInterfaceSaysSo)
{
    portEnv.reset();   // the old value comes back before the new one is set
    portEnv = std::make_unique<test::ScopedEnv>("KVL_PORT", QByteArray("/nonexistent/port"));
    CommFrm& f = Open(DownloadMode);
    dialogs.ExpectMsg("USB Vavedaver NOT FOUND. Process is terminated.");
    f.Cmd_ItemClick(CmdKey::Start);
    EXPECT_TRUE(Keys().empty());
}

} // namespace
} // namespace kvl
