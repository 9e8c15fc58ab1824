#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

// A device on a pseudo-terminal, for the serial line to open as if it were a port.
// The master side plays the device and records every byte the program sends;
// commands may arrive in pieces. Point a port at device() with SetSerialDeviceName.
class FakeSerialDevice final : public QObject
{
public:
    enum class Kind
    {
        // Answers every command ending in CR: "OK" to "AT...", "ERROR" to the rest.
        Modem,
        // Records and never answers; the test sends what it wants with send().
        Silent,
        // Answers every command with something that is not "OK" (a UPS, say).
        Chatter
    };

    // `splitAnswer` sends a modem's answer in two pieces, the second starting at "K".
    explicit FakeSerialDevice(Kind kind, int answerDelayMs = 0, bool echo = false,
                              bool splitAnswer = false);
    ~FakeSerialDevice() override;

    bool isValid() const { return m_master >= 0 && m_slave >= 0 && !m_device.isEmpty(); }
    const QString &device() const { return m_device; }
    // Every byte the program sent, in order.
    const QByteArray &received() const { return m_received; }
    // Sends bytes to the program at once.
    void send(const QByteArray &bytes);

private:
    void readable();
    void answer(const QByteArray &command);

    Kind m_kind;
    int m_delayMs;
    bool m_echo;
    bool m_split;
    int m_master = -1;
    int m_slave = -1;
    QString m_device;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_received;
    QByteArray m_command;
};
