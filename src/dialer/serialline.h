#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace dialer {

// Serial port numbers the program knows, as the operator counts them.
inline constexpr int FirstSerialPort = 1;
inline constexpr int LastSerialPort = 16;

// One serial line to a modem: what the probe and the dialer need of a port, so that
// tests can put a fake behind it.
class SerialLine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLine() override = default;

    // Opens port n (1 to 16); false when the device is absent, in use or refuses.
    virtual bool open(int port) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The port of the last open(), 0 before any.
    virtual int port() const = 0;
    // Queues the bytes and sends what the device takes without waiting.
    virtual bool write(const QByteArray &bytes) = 0;
    // Bytes received and not yet taken.
    virtual qint64 bytesAvailable() const = 0;
    // Takes every byte received so far.
    virtual QByteArray readAll() = 0;
    // Drops every byte received so far, including what the driver still holds.
    virtual void discardInput() = 0;

signals:
    // Bytes arrived; emitted from the event loop.
    void readyRead();
};

using SerialLineFactory = std::function<std::unique_ptr<SerialLine>()>;

// "/Phone.txt" stores only a port number, so the device behind each number is kept in
// the program's settings ("SerialPorts/port<n>"); without an entry port n is
// "/dev/ttyS<n-1>".
QString DefaultSerialDeviceName(int port);
QString SerialDeviceSettingsKey(int port);
QString SerialDeviceName(int port);
// An empty name removes the entry, so the port goes back to its default device.
void SetSerialDeviceName(int port, const QString &device);

// The terminals the system uses as its console ("ttyS0" on many servers and virtual
// machines), as Linux lists them; empty elsewhere.
QStringList SystemConsoles();
// Probing the console would write to it and change its line settings, so the serial
// line treats it as absent. Links are followed; "/dev/console" always counts.
bool IsSystemConsole(const QString &device, const QStringList &consoles);

} // namespace dialer
