#include "platform/serial/InProcessPort.h"

#include <QTimer>

namespace kvl {

InProcessPort::InProcessPort(InProcessDevice& device, QObject* parent) : SerialPort(parent), device_(device) {}

bool InProcessPort::Open(const QString& name)
{
    if (open_)
        return false;
    name_ = name;
    open_ = true;
    emit PortOpened();
    return true;
}

void InProcessPort::Close()
{
    queue_.clear();
    if (!open_)
        return;
    open_ = false;
    emit PortClosed();
}

void InProcessPort::Write(const QByteArray& bytes)
{
    if (!open_)
        return;
    writes_.push_back(bytes);
    DeviceReply reply = device_.Receive(bytes);
    for (auto& chunk : reply.chunks)
        if (!chunk.isEmpty())
            queue_.emplace_back(std::move(chunk));
    if (reply.unplug)
        queue_.emplace_back(std::nullopt);
    ScheduleDelivery();
}

void InProcessPort::DiscardInput()
{
    // A pulled cable is not input: it stays queued.
    std::erase_if(queue_, [](const std::optional<QByteArray>& c) { return c.has_value(); });
}

void InProcessPort::SetLineState(bool on)
{
    lineStates_.push_back(on);
}

void InProcessPort::ScheduleDelivery()
{
    if (scheduled_ || queue_.empty())
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] { DeliverNext(); });
}

void InProcessPort::DeliverNext()
{
    scheduled_ = false;
    if (queue_.empty())
        return;
    auto next = std::move(queue_.front());
    queue_.pop_front();
    if (!next) {
        Close();
        return;
    }
    if (open_)
        emit DataReceived(*next);
    ScheduleDelivery();
}

} // namespace kvl
