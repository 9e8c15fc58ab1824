#include "fakeserialdevice.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

FakeSerialDevice::FakeSerialDevice(Kind kind, int answerDelayMs, bool echo, bool splitAnswer)
    : m_kind(kind), m_delayMs(answerDelayMs), m_echo(echo), m_split(splitAnswer)
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        return;
    m_device = QString::fromLocal8Bit(ptsname(m_master));
    // Held open so that the master never reads end-of-file between the program's
    // closing and reopening the line.
    m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY | O_NONBLOCK);
    // A terminal echoes by default: bytes sent while the program has the line closed
    // would come straight back as if the program had sent them.
    termios raw = {};
    if (m_slave >= 0 && tcgetattr(m_slave, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(m_slave, TCSANOW, &raw);
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { readable(); });
}

FakeSerialDevice::~FakeSerialDevice()
{
    m_notifier.reset();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

void FakeSerialDevice::readable()
{
    char buffer[256];
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count <= 0)
        return;
    m_received.append(buffer, count);
    m_command.append(buffer, count);
    qsizetype end;
    while ((end = m_command.indexOf('\r')) >= 0) {
        const QByteArray command = m_command.left(end).trimmed();
        m_command.remove(0, end + 1);
        answer(command);
    }
}

void FakeSerialDevice::answer(const QByteArray &command)
{
    QByteArray reply;
    switch (m_kind) {
    case Kind::Silent:
        return;
    case Kind::Chatter:
        reply = "#I1 230V 50Hz\r\n";
        break;
    case Kind::Modem:
        if (m_echo)
            reply = command + "\r";
        reply += command.startsWith("AT") ? "\r\nOK\r\n" : "\r\nERROR\r\n";
        break;
    }
    QTimer::singleShot(m_delayMs, this, [this, reply] {
        if (!m_split) {
            send(reply);
            return;
        }
        const qsizetype half = reply.indexOf('K');
        send(reply.left(half));
        QTimer::singleShot(15, this, [this, rest = reply.mid(half)] { send(rest); });
    });
}

void FakeSerialDevice::send(const QByteArray &bytes)
{
    if (::write(m_master, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qWarning("fake device could not send its answer");
}
