#include "platform/serial/SerialPort.h"

#include <QFileInfo>
#include <QtGlobal>

#include <algorithm>

namespace kvl {
namespace {

PortLister& Lister()
{
    static PortLister lister;
    return lister;
}

bool IsListed(const std::vector<SerialPortInfo>& ports, const QString& name)
{
    return std::any_of(ports.begin(), ports.end(), [&](const SerialPortInfo& p) {
        return p.portName == name || p.systemLocation == name;
    });
}

} // namespace

void InstallPortLister(PortLister lister)
{
    Lister() = std::move(lister);
}

std::vector<SerialPortInfo> ListSerialPorts()
{
    return Lister() ? Lister()() : std::vector<SerialPortInfo>{};
}

QString FindVavedaverPort()
{
    const auto ports = ListSerialPorts();
    const QString named = qEnvironmentVariable("KVL_PORT");
    if (!named.isEmpty())
        return QFileInfo::exists(named) || IsListed(ports, named) ? named : QString();

    std::vector<SerialPortInfo> found;
    std::copy_if(ports.begin(), ports.end(), std::back_inserter(found), [](const SerialPortInfo& p) {
        return p.hasIds && p.vendorId == VavedaverVendorId && p.productId == VavedaverProductId;
    });
    if (found.empty())
        return {};
    std::sort(found.begin(), found.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) {
        return a.systemLocation < b.systemLocation;
    });
    return found.front().systemLocation;
}

} // namespace kvl
