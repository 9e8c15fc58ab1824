#include "dialer/modemdialer.h"

#include "core/codepage.h"

namespace dialer {

namespace {

const QString LongDistancePrefix = QStringLiteral("1-");
constexpr qsizetype MaxKept = 4096;

} // namespace

QByteArray DialCommand(const QString &number)
{
    QString digits;
    digits.reserve(number.size());
    for (const QChar c : number) {
        if (c.category() != QChar::Other_Control)
            digits.append(c);
    }
    return QByteArrayLiteral("ATDT") + codepage::encode(digits) + QByteArrayLiteral(";\r");
}

QByteArray HangUpCommand()
{
    return QByteArrayLiteral("ATH\r");
}

QString WithLongDistancePrefix(const QString &number, bool ticked)
{
    if (ticked)
        return LongDistancePrefix + number;
    if (number.startsWith(LongDistancePrefix))
        return number.mid(LongDistancePrefix.size());
    return number;
}

ModemDialer::ModemDialer(QObject *parent) : QObject(parent) {}

ModemDialer::~ModemDialer() = default;

void ModemDialer::dial(SerialLine &line, const QString &number)
{
    cancel();
    m_line = &line;
    line.discardInput();
    m_received.clear();
    m_waiting = true;
    m_readyRead = connect(&line, &SerialLine::readyRead, this, &ModemDialer::take);
    line.write(DialCommand(number));
}

void ModemDialer::cancel()
{
    disconnect(m_readyRead);
    m_waiting = false;
}

void ModemDialer::hangUp(SerialLine &line)
{
    cancel();
    line.write(HangUpCommand());
    line.close();
}

void ModemDialer::take()
{
    if (!m_waiting || !m_line)
        return;
    m_received += m_line->readAll();
    if (!m_received.contains("OK")) {
        // A modem that chatters without answering must not fill the memory; the last
        // byte may be the first half of the answer.
        if (m_received.size() > MaxKept)
            m_received.remove(0, m_received.size() - 1);
        return;
    }
    cancel();
    emit answered();
}

} // namespace dialer
