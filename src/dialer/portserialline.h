#pragma once

#include "dialer/serialline.h"

#include <QSerialPort>

#include <functional>

namespace dialer {

// A serial line on a real device through QSerialPort: 9600 baud, 8 data bits, no
// parity, one stop bit, no flow control, as modems expect by default.
class PortSerialLine final : public SerialLine
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PortSerialLine)
public:
    using DeviceNames = std::function<QString(int port)>;

    explicit PortSerialLine(DeviceNames deviceNames = SerialDeviceName, QObject *parent = nullptr);
    ~PortSerialLine() override;

    // Lines for the probe and the dialer; device names from the program's settings
    // unless given.
    static SerialLineFactory factory(DeviceNames deviceNames = SerialDeviceName);

    bool open(int port) override;
    void close() override;
    bool isOpen() const override;
    int port() const override { return m_portNumber; }
    bool write(const QByteArray &bytes) override;
    qint64 bytesAvailable() const override;
    QByteArray readAll() override;
    void discardInput() override;

private:
    DeviceNames m_deviceNames;
    QSerialPort m_serial;
    int m_portNumber = 0;
    // Counts open() calls, so a late close for a lost device spares a reopened line.
    quint64 m_openings = 0;
};

} // namespace dialer
