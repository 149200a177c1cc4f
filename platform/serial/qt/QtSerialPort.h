#pragma once
// The serial port on a real device or a pseudo-terminal, through QSerialPort.

#include "platform/serial/SerialPort.h"

class QSerialPort;

namespace kvl {

class QtSerialPort : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool Open(const QString& name) override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const QByteArray& bytes) override;
    void DiscardInput() override;
    void SetLineState(bool on) override;
    QString ErrorText() const override { return error_; }

private:
    void OnReadyRead();
    void OnError(int error);

    QSerialPort* port_;
    QString error_;
};

// Makes ListSerialPorts() list the system's ports through QSerialPortInfo.
void InstallQtPortLister();

} // namespace kvl
