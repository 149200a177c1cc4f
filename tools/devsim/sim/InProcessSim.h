#pragma once
// The simulator joined to the host's in-process serial port: what the port
// writes goes to the device, stamped with the clock the host's link uses.

#include "platform/serial/InProcessPort.h"
#include "tools/devsim/sim/Device.h"

#include <functional>

namespace devsim {

class InProcessSim : public kvl::InProcessDevice {
public:
    InProcessSim(Device& device, std::function<double()> now) : device_(device), now_(std::move(now)) {}

    kvl::DeviceReply Receive(const QByteArray& bytes) override
    {
        Reply reply = device_.Receive(bytes, now_ ? now_() : 0.0);
        return {std::move(reply.chunks), reply.unplug};
    }

private:
    Device& device_;
    std::function<double()> now_;
};

} // namespace devsim
