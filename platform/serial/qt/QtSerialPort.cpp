#include "platform/serial/qt/QtSerialPort.h"

#include <QLoggingCategory>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace kvl {

Q_LOGGING_CATEGORY(lcSerial, "kvl.serial")

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent), port_(new QSerialPort(this))
{
    connect(port_, &QSerialPort::readyRead, this, &QtSerialPort::OnReadyRead);
    connect(port_, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { OnError(static_cast<int>(e)); });
}

QtSerialPort::~QtSerialPort() = default;

bool QtSerialPort::Open(const QString& name)
{
    if (port_->isOpen())
        return false;
    port_->setPortName(name);
    if (!port_->open(QIODevice::ReadWrite)) {
        error_ = port_->errorString();
        qCWarning(lcSerial) << "cannot open" << name << error_;
        return false;
    }
    // A pseudo-terminal takes these settings but has no modem lines: their
    // failures are not errors.
    port_->setBaudRate(QSerialPort::Baud9600);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    port_->setDataTerminalReady(true);
    port_->setRequestToSend(true);
    port_->clearError();
    error_.clear();
    emit PortOpened();
    return true;
}

void QtSerialPort::Close()
{
    if (!port_->isOpen())
        return;
    port_->close();
    emit PortClosed();
}

bool QtSerialPort::IsOpen() const
{
    return port_->isOpen();
}

void QtSerialPort::Write(const QByteArray& bytes)
{
    if (!port_->isOpen())
        return;
    port_->write(bytes);
    port_->flush();
}

void QtSerialPort::DiscardInput()
{
    if (!port_->isOpen())
        return;
    port_->clear(QSerialPort::Input);
    port_->readAll();
}

void QtSerialPort::SetLineState(bool on)
{
    if (port_->isOpen())
        port_->setDataTerminalReady(on);
    port_->clearError();
}

void QtSerialPort::OnReadyRead()
{
    const QByteArray chunk = port_->readAll();
    if (!chunk.isEmpty())
        emit DataReceived(chunk);
}

void QtSerialPort::OnError(int error)
{
    const auto e = static_cast<QSerialPort::SerialPortError>(error);
    // Modem-line calls on a port without modem lines (a pseudo-terminal) are not errors.
    if (e == QSerialPort::NoError || e == QSerialPort::UnsupportedOperationError)
        return;
    qCDebug(lcSerial) << "port error" << e << port_->errorString();
    // A vanished device (the cable pulled, the pseudo-terminal closed) closes the port.
    if (e == QSerialPort::ResourceError || e == QSerialPort::PermissionError) {
        error_ = port_->errorString();
        QMetaObject::invokeMethod(this, [this] { Close(); }, Qt::QueuedConnection);
    }
}

void InstallQtPortLister()
{
    InstallPortLister([] {
        std::vector<SerialPortInfo> ports;
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            ports.push_back({info.portName(), info.systemLocation(),
                             info.hasVendorIdentifier() && info.hasProductIdentifier(),
                             info.vendorIdentifier(), info.productIdentifier()});
        return ports;
    });
}

} // namespace kvl
