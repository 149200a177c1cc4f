#pragma once
// A serial port joined to a device in the same process (the simulator's core).
// What the host writes goes to the device at once; the device's reply comes back
// in the chunks the device chose, each chunk delivered by its own turn of the
// event loop, so tests control exact chunk boundaries. Replies are held back
// while the event loop does not run.

#include "platform/serial/SerialPort.h"

#include <deque>
#include <optional>

namespace kvl {

// The device's answer to some bytes: the chunks to deliver in order, and whether
// the cable is pulled once they are delivered.
struct DeviceReply {
    std::vector<QByteArray> chunks;
    bool unplug = false;
};

class InProcessDevice {
public:
    virtual ~InProcessDevice() = default;
    virtual DeviceReply Receive(const QByteArray& bytes) = 0;
};

class InProcessPort : public SerialPort {
    Q_OBJECT
public:
    // The device is not owned and must outlive the port.
    explicit InProcessPort(InProcessDevice& device, QObject* parent = nullptr);

    bool Open(const QString& name) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    void Write(const QByteArray& bytes) override;
    void DiscardInput() override;
    void SetLineState(bool on) override;
    QString ErrorText() const override { return {}; }

    // Chunks waiting for delivery (an unplug counts as one).
    bool HasPending() const { return !queue_.empty(); }
    QString PortName() const { return name_; }
    // What the host wrote, one entry per Write.
    const std::vector<QByteArray>& Writes() const { return writes_; }
    // The line states set, in order.
    const std::vector<bool>& LineStates() const { return lineStates_; }

private:
    void ScheduleDelivery();
    void DeliverNext();

    InProcessDevice& device_;
    bool open_ = false;
    bool scheduled_ = false;
    QString name_;
    std::deque<std::optional<QByteArray>> queue_; // nullopt: the cable is pulled
    std::vector<QByteArray> writes_;
    std::vector<bool> lineStates_;
};

} // namespace kvl
