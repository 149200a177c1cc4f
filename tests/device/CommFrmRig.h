#pragma once
// The download window against the simulated device, in process: a fresh log,
// the simulator on a fixture behind the in-process port, and the window opened
// in a mode on the simulator's virtual clock.

#include "device/CommBar.h"
#include "device/CommFrm.h"
#include "platform/serial/InProcessPort.h"
#include "platform/widgets/CheckList.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MDI_Rules.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"
#include "tools/devsim/sim/Device.h"
#include "tools/devsim/sim/Fixture.h"
#include "tools/devsim/sim/InProcessSim.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>
#include <vector>

namespace kvl::test {

class CommFrmRig : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        LayOutHome();
        portEnv = std::make_unique<ScopedEnv>("KVL_PORT", Home().toUtf8());
        ASSERT_TRUE(MakeFreshLog(Home() + "/road.dlg"));
        gv.DB = db::Database::Open(Home() + "/road.dlg");
        gv.DBIsOpen = true;
        gv.ModelName = "QX07";
        gv.SelectedModel = "QX07";
        gv.NewDiveLTD = 1;
        gv.BaseLTD = 1;
        gv.AddDiveMode = kAddDownload + kAddAfterLast;
        LoadDevice("three_dives.json");
        clock.SetPending([this] { return port.HasPending(); });
    }

    void TearDown() override
    {
        frm.reset();
        gv = Global_Vars{};
        KvlTest::TearDown();
    }

    void LoadDevice(const QString& fixture)
    {
        device = devsim::Device();
        QString error;
        ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/" + fixture, device, &built, &error))
            << qPrintable(error);
    }

    void AddFault(const QString& text)
    {
        devsim::Fault fault;
        QString error;
        ASSERT_TRUE(devsim::ParseFault(text, fault, &error)) << qPrintable(error);
        device.AddFault(fault);
    }

    CommFrm& Open(quint8 mode)
    {
        gv.CommMode = mode;
        frm = std::make_unique<CommFrm>(port, clock);
        return *frm;
    }

    // Download mode, started: the device's dives are listed.
    CommFrm& Listed()
    {
        CommFrm& f = Open(DownloadMode);
        f.Cmd_ItemClick(CmdKey::Start);
        return f;
    }

    std::vector<QString> Keys() const
    {
        std::vector<QString> keys;
        for (const auto& item : frm->DivesList->AllItems())
            keys.push_back(item->Key());
        return keys;
    }

    qint64 Count(const QString& sql) { return gv.DB->Scalar(sql).ToLong(); }

    // Runs the close timer's tick and the deferred unload it queues.
    void Close()
    {
        frm->mnuClose_Click();
        frm->CloseTimer_Timer();
        QCoreApplication::processEvents();
    }

    devsim::Device device;
    devsim::BuiltFixture built;   // where the fixture put each dive
    VirtualClock clock;
    devsim::InProcessSim sim{device, [this] { return clock.Now(); }};
    InProcessPort port{sim};
    std::unique_ptr<ScopedEnv> portEnv;
    std::unique_ptr<CommFrm> frm;
};

} // namespace kvl::test
