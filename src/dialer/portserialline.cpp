#include "dialer/portserialline.h"

#include <QFileInfo>

namespace dialer {

PortSerialLine::PortSerialLine(DeviceNames deviceNames, QObject *parent)
    : SerialLine(parent), m_deviceNames(std::move(deviceNames))
{
    connect(&m_serial, &QSerialPort::readyRead, this, &SerialLine::readyRead);
    // A device that goes away while open (unplugged, hung up) reads as end of file
    // for ever; left open, the line would keep the event loop spinning. It is closed
    // once QSerialPort has finished its own handling, unless opened again meanwhile.
    connect(&m_serial, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) {
                if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
                    return;
                QMetaObject::invokeMethod(
                    this,
                    [this, opening = m_openings] {
                        if (opening == m_openings)
                            close();
                    },
                    Qt::QueuedConnection);
            });
}

PortSerialLine::~PortSerialLine() = default;

SerialLineFactory PortSerialLine::factory(DeviceNames deviceNames)
{
    return [deviceNames = std::move(deviceNames)]() -> std::unique_ptr<SerialLine> {
        return std::make_unique<PortSerialLine>(deviceNames);
    };
}

bool PortSerialLine::open(int port)
{
    if (m_serial.isOpen())
        m_serial.close();
    ++m_openings;
    m_portNumber = port;
    if (port < FirstSerialPort || port > LastSerialPort)
        return false;
    QString device = m_deviceNames(port);
    if (device.isEmpty())
        return false;
    // A bare name ("ttyUSB0") is a device in /dev, as QSerialPort reads it.
    if (!device.startsWith(u'/'))
        device.prepend(QStringLiteral("/dev/"));
    // Opening takes a lock file, which is synced to disk; an absent device need not
    // pay for that sixteen times at every start.
    if (!QFileInfo::exists(device))
        return false;
    static const QStringList consoles = SystemConsoles();
    if (IsSystemConsole(device, consoles))
        return false;
    m_serial.setPortName(device);
    if (!m_serial.open(QIODevice::ReadWrite))
        return false;
    // Some devices (a pseudo-terminal among them) refuse a setting they cannot have;
    // the line still works with what they keep.
    m_serial.setBaudRate(QSerialPort::Baud9600);
    m_serial.setDataBits(QSerialPort::Data8);
    m_serial.setParity(QSerialPort::NoParity);
    m_serial.setStopBits(QSerialPort::OneStop);
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    m_serial.clearError();
    return true;
}

void PortSerialLine::close()
{
    if (m_serial.isOpen())
        m_serial.close();
}

bool PortSerialLine::isOpen() const
{
    return m_serial.isOpen();
}

bool PortSerialLine::write(const QByteArray &bytes)
{
    if (!m_serial.isOpen())
        return false;
    if (m_serial.write(bytes) != bytes.size())
        return false;
    m_serial.flush();
    return true;
}

qint64 PortSerialLine::bytesAvailable() const
{
    return m_serial.isOpen() ? m_serial.bytesAvailable() : 0;
}

QByteArray PortSerialLine::readAll()
{
    return m_serial.isOpen() ? m_serial.readAll() : QByteArray();
}

void PortSerialLine::discardInput()
{
    if (!m_serial.isOpen())
        return;
    m_serial.clear(QSerialPort::Input);
    m_serial.readAll();
}

} // namespace dialer
