// The settings form and the simulated device: what the form saves is what the
// device holds after a write, and a read afterwards shows the same choices.
#include "device/CommBar.h"
#include "device/CommFrm.h"
#include "platform/serial/InProcessPort.h"
#include "platform/widgets/SmartToolBar.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "settings/DCFrm.h"
#include "settings/core/SettingsImage.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"
#include "tools/devsim/sim/Device.h"
#include "tools/devsim/sim/Fixture.h"
#include "tools/devsim/sim/InProcessSim.h"

#include <QLineEdit>

namespace kvl {
namespace {

using settings::OptionPair;

constexpr int SettingsPage = 5;
constexpr int FirstLegPage = 48;

class SettingsRoundTripTest : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        LayOutHome();
        portEnv = std::make_unique<test::ScopedEnv>("KVL_PORT", Home().toUtf8());
        ASSERT_TRUE(test::MakeFreshLog(Home() + "/trip.dlg"));
        gv.DB = db::Database::Open(Home() + "/trip.dlg");
        gv.DBIsOpen = true;
        gv.RegLastModel = "QX07";
        QString error;
        ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/three_dives.json", device, nullptr, &error))
            << qPrintable(error);
        clock.SetPending([this] { return port.HasPending(); });
        Frm().DC_InitDC();
    }
    void TearDown() override
    {
        delete &DCFrm::Instance();
        gv = Global_Vars{};
        test::KvlTest::TearDown();
    }
    DCFrm& Frm() { return DCFrm::Instance(); }
    // One transfer in the given mode, then the form shows what it stored.
    void Transfer(quint8 mode)
    {
        gv.CommMode = mode;
        {
            CommFrm comm(port, clock);
            comm.Cmd_ItemClick(CmdKey::Start);
        }
        Frm().DC_InitAll();
    }
    int Byte(int page, int at) { return device.PageAt(page)[size_t(at)]; }
    // The legs the unit holds.
    std::vector<settings::DCNavLeg> DeviceLegs()
    {
        QByteArray pages;
        for (int page = settings::FirstLegPage; page <= settings::LastLegPage; ++page)
            pages.append(reinterpret_cast<const char*>(device.PageAt(page).data()), settings::PageBytes);
        return settings::DecodeLegs(pages);
    }
    // The leg listing, row by row.
    QStringList Listing()
    {
        QStringList rows;
        for (int row = 0; row < Frm().Grid->Rows(); ++row) {
            QStringList cells;
            for (int column = 0; column < settings::LegColumnCount; ++column)
                cells << Frm().Grid->Cell(row, settings::LegGridColumnOf(settings::LegGridColumn(column)).name);
            rows << cells.join(' ');
        }
        return rows;
    }

    std::unique_ptr<test::ScopedEnv> portEnv;
    devsim::Device device;
    VirtualClock clock;
    devsim::InProcessSim sim{device, [this] { return clock.Now(); }};
    InProcessPort port{sim};
};

TEST_F(SettingsRoundTripTest, WrittenChoicesReachTheDeviceAndReadBackTheSame)
{
    Transfer(ReadSettingsMode);
    ASSERT_EQ(Frm().Serial_Combo->Text(), "10203");
    const int legs = Frm().Grid->Rows();
    ASSERT_GT(legs, 0);

    Frm().Unit_Opt->box[1]->click();                 // metric
    Frm().MaxDepthOpt->SetListIndex(4);               // 40 ft
    Frm().MaxDepthOpt_Click();
    Frm().MaxPO2Opt->SetText("1.50");
    Frm().EDTOpt[0]->SetText("2");
    Frm().EDTOpt[1]->SetText("45");
    Frm().BackLiteOpt->SetListIndex(2);
    Frm().SampleRateOpt->SetListIndex(5);
    Frm().CHRONO_Opt->SetBox0(!Frm().CHRONO_Opt->Box0Ticked());
    Frm().NAVBL_Opt->SetBox0(!Frm().NAVBL_Opt->Box0Ticked());
    Frm().DTROpt->SetText("07");                     // the device keeps its own: 15
    Frm().Cmd->Items("Heading").SetText("300");
    Frm().Cmd->Items("CDT").SetText("0:02:05");
    Frm().Cmd_ItemClick("Add");
    Frm().Grid->SetCell(legs, "Light Alarm", "-1");
    const bool chrono = Frm().CHRONO_Opt->Box0Ticked();
    ASSERT_TRUE(Frm().SaveSettings());
    ASSERT_EQ(gv.DB->Scalar("Select DTR from DC_SETTINGS where DCSERIALNO = -1").ToLong(), 7);

    Transfer(WriteSettingsMode);
    EXPECT_EQ(Frm().DTROpt->Text(), "15") << "after the write the form shows what the unit holds";
    EXPECT_EQ(Frm().MaxPO2Opt->Text(), "1.50");
    EXPECT_EQ(Byte(SettingsPage, 0), 8);              // 40 ft: index 4
    EXPECT_EQ(Byte(SettingsPage, 2), 45);
    EXPECT_EQ(Byte(SettingsPage, 3), 2);
    EXPECT_EQ(Byte(SettingsPage, 8) & 0x80, 0x80);    // metric
    EXPECT_EQ(Byte(SettingsPage, 11), 150);
    EXPECT_EQ(Byte(SettingsPage, 15), 5);
    EXPECT_EQ((Byte(SettingsPage, 14) >> 5) & 1, chrono ? 1 : 0);
    const int page = FirstLegPage + legs / 4, slot = legs % 4 * 4;
    EXPECT_EQ(Byte(page, slot), 300 % 256);
    EXPECT_EQ(Byte(page, slot + 1), 300 / 256 | 0x08);   // light alarm, no hours
    EXPECT_EQ(Byte(page, slot + 2), 2);
    EXPECT_EQ(Byte(page, slot + 3), 5);

    Transfer(ReadSettingsMode);
    EXPECT_FALSE(Frm().Unit_Opt->Box0Ticked());
    EXPECT_EQ(Frm().MaxDepthOpt->Text(), "12 M");
    EXPECT_EQ(Frm().MaxPO2Opt->Text(), "1.50");
    EXPECT_EQ(Frm().EDTOpt[0]->Text(), "2");
    EXPECT_EQ(Frm().EDTOpt[1]->Text(), "45");
    EXPECT_EQ(Frm().SampleRateOpt->Text(), "1.5 M");
    EXPECT_EQ(Frm().CHRONO_Opt->Box0Ticked(), chrono);
    ASSERT_EQ(Frm().Grid->Rows(), legs + 1);
    EXPECT_EQ(Frm().Grid->Cell(legs, "Light Alarm"), "-1");
    EXPECT_EQ(Frm().Grid->Cell(legs, "Count Down Time"), "00:02:05");
}

// A leg added while the factory settings are shown is still listed after the form
// is left and opened again, and the write sends exactly the listed legs.
TEST_F(SettingsRoundTripTest, TheLegsListedAfterReturningAreTheLegsWritten)
{
    ASSERT_EQ(gv.SelectedSerialNo, 0) << "no unit read yet: the factory settings are shown";
    Frm().Cmd->Items("Leg").SetText("1");
    Frm().Cmd->Items("Heading").SetText("90");
    Frm().Cmd->Items("CDT").SetText("0:10:00");
    Frm().Cmd_ItemClick("Add");
    ASSERT_EQ(Frm().Grid->Rows(), 1);

    delete &DCFrm::Instance();   // to another form and back
    Frm().DC_InitDC();
    ASSERT_EQ(Frm().Grid->Rows(), 1);
    EXPECT_EQ(Frm().Grid->Cell(0, "HEADING"), QString("90\u00B0"));
    EXPECT_EQ(Frm().Grid->Cell(0, "Count Down Time"), "00:10:00");
    Frm().Grid->SetCell(0, "Light Alarm", "-1");
    const bool audible = Frm().Grid->Cell(0, "Audible Alarm") != "0";
    const QStringList listed = Listing();

    ASSERT_TRUE(Frm().SaveSettings());
    Transfer(WriteSettingsMode);
    EXPECT_EQ(DeviceLegs(), (std::vector<settings::DCNavLeg>{{90, audible, true, 600}}));
    EXPECT_EQ(Listing(), listed) << "the form shows what the unit took";
}

} // namespace
} // namespace kvl
