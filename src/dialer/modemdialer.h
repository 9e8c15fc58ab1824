#pragma once

#include "dialer/serialline.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

namespace dialer {

// "ATDT" + number + ";" CR: tone dialing, and the semicolon sends the modem back to
// command mode after dialing instead of waiting for a carrier. Control characters
// are left out, so a stored number cannot slip a second command to the modem.
QByteArray DialCommand(const QString &number);
// "ATH" CR.
QByteArray HangUpCommand();
// The long-distance prefix: ticked puts "1-" in front; unticked takes a leading "1-"
// away and leaves any other number as it is.
QString WithLongDistancePrefix(const QString &number, bool ticked);

// Dials a number on the modem's line and waits, without blocking, for the modem's
// "OK". Everything received since the dial counts, so an "OK" that arrives in
// pieces is seen. The wait has no time-out; it ends with the answer, cancel() or
// hangUp().
class ModemDialer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModemDialer)
public:
    explicit ModemDialer(QObject *parent = nullptr);
    ~ModemDialer() override;

    // Drops what the modem sent before, sends the dial command and starts waiting.
    // Serial errors are ignored: a line that is closed or refuses the bytes simply
    // never answers.
    void dial(SerialLine &line, const QString &number);
    bool isWaiting() const { return m_waiting; }
    // What the modem sent since the last dial.
    const QByteArray &received() const { return m_received; }
    // Ends the wait; the modem is left as it is.
    void cancel();
    // Ends the wait, sends the hang-up command and closes the line.
    void hangUp(SerialLine &line);

signals:
    // The modem answered "OK" to the dial.
    void answered();

private:
    void take();

    QPointer<SerialLine> m_line;
    QMetaObject::Connection m_readyRead;
    QByteArray m_received;
    bool m_waiting = false;
};

} // namespace dialer
