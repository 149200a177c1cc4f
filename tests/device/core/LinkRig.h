#pragma once
// The host's link joined in-process to the simulated device, on a virtual clock:
// replies arrive chunk by chunk through the event loop, and time moves only by
// the link's pauses and the windows it waits out.
//
//   LinkRig rig;
//   rig.Load("three_dives.json");
//   ASSERT_TRUE(rig.Open());
//   rig.comm.Qor_WakeUpRead();

#include "device/core/CommLink.h"
#include "platform/serial/InProcessPort.h"
#include "tests/device/core/RecordingSurface.h"
#include "tools/devsim/sim/Device.h"
#include "tools/devsim/sim/Fixture.h"
#include "tools/devsim/sim/InProcessSim.h"

#include <gtest/gtest.h>

namespace kvl::test {

struct LinkRig {
    devsim::Device device;
    devsim::BuiltFixture built;
    VirtualClock clock;
    devsim::InProcessSim sim{device, [this] { return clock.Now(); }};
    InProcessPort port{sim};
    CommMembers members;
    RecordingSurface surface{members};
    CommLink comm{members, surface, clock};

    LinkRig()
    {
        clock.SetPending([this] { return port.HasPending(); });
        comm.SetPort(&port);
    }

    void Load(const QString& fixture)
    {
        QString error;
        ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/" + fixture, device, &built, &error)) << qPrintable(error);
    }
    bool Open() { return port.Open(QStringLiteral("sim")); }
    // Opens the port and wakes the device as a transfer does.
    void Wake()
    {
        ASSERT_TRUE(Open());
        ASSERT_TRUE(comm.Qor_WakeUpRead()) << qPrintable(surface.message);
    }
    int Count(int command, int page = -1) const { return int(device.FramesOf(command, page).size()); }
    std::vector<int> PagesRead() const
    {
        std::vector<int> pages;
        for (const auto& f : device.FramesOf(0x20))
            pages.push_back(f.page());
        return pages;
    }
    // Whether the image's slot of a page equals the device's page.
    bool SlotMatches(int page) const
    {
        const auto data = PageData(comm.Link.RxBuffer, page);
        return std::equal(data.begin(), data.end(), device.PageAt(page).begin());
    }
};

} // namespace kvl::test
