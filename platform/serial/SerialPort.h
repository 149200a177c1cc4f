#pragma once
// The serial port seam of the download window: a port opened by name at 9600 baud,
// 8N1, no flow control, DTR and RTS on. Received bytes arrive through DataReceived
// on the GUI thread, one chunk per signal. Backends: QtSerialPort (platform/serial/qt)
// and InProcessPort, which talks to a simulated device in the same process.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

namespace kvl {

class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Opens the named port; false (with ErrorText()) when it cannot be opened.
    virtual bool Open(const QString& name) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Writes the bytes and pushes them out at once.
    virtual void Write(const QByteArray& bytes) = 0;
    // Throws away bytes received and not yet delivered.
    virtual void DiscardInput() = 0;
    // The line-state pulse: drives DTR. RTS stays on. A port without modem lines
    // (a pseudo-terminal) ignores it.
    virtual void SetLineState(bool on) = 0;
    virtual QString ErrorText() const = 0;

signals:
    void DataReceived(const QByteArray& chunk);
    void PortOpened();
    void PortClosed();
};

// One serial port the system lists.
struct SerialPortInfo {
    QString portName;
    QString systemLocation;
    bool hasIds = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
};

// The ports the system lists; installed by the QSerialPort backend
// (InstallQtPortLister). Without a lister no port is listed.
using PortLister = std::function<std::vector<SerialPortInfo>()>;
void InstallPortLister(PortLister lister);
std::vector<SerialPortInfo> ListSerialPorts();

// The USB-serial interface of the dive computer.
inline constexpr quint16 VavedaverVendorId = 0x0403;
inline constexpr quint16 VavedaverProductId = 0xF460;

// The port of the dive computer's interface: the path in KVL_PORT when it is set
// (and exists or is listed), else the first listed port with the interface's USB
// ids, by system location. Empty when there is none.
QString FindVavedaverPort();

} // namespace kvl
