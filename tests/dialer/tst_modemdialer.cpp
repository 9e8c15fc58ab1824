#include "dialer/modemdialer.h"

#include <QSignalSpy>
#include <QTest>

using namespace dialer;

namespace {

// A line in memory: what the program writes is kept, what the modem says is queued
// by arrive() and announced like a real port does.
class MemoryLine final : public SerialLine
{
public:
    bool open(int port) override
    {
        m_port = port;
        m_open = true;
        return true;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    int port() const override { return m_port; }
    bool write(const QByteArray &bytes) override
    {
        if (!m_open)
            return false;
        written += bytes;
        return true;
    }
    qint64 bytesAvailable() const override { return m_pending.size(); }
    QByteArray readAll() override { return std::exchange(m_pending, {}); }
    void discardInput() override { m_pending.clear(); }

    void arrive(const QByteArray &bytes)
    {
        m_pending += bytes;
        emit readyRead();
    }

    QByteArray written;

private:
    QByteArray m_pending;
    bool m_open = false;
    int m_port = 0;
};

} // namespace

class TestModemDialer : public QObject
{
    Q_OBJECT

private slots:
    void dialCommand_data();
    void dialCommand();
    void longDistancePrefix_data();
    void longDistancePrefix();
    void waitsForOk_data();
    void waitsForOk();
    void answerFromBeforeTheDialDoesNotCount();
    void cancelledWaitIgnoresLaterAnswer();
    void hangUpSendsAthAndClosesTheLine();
};

void TestModemDialer::dialCommand_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QByteArray>("command");

    QTest::newRow("local number") << "555-1234" << QByteArray("ATDT555-1234;\r");
    QTest::newRow("long distance") << "1-800-555-1234" << QByteArray("ATDT1-800-555-1234;\r");
    QTest::newRow("blanks and parentheses kept")
        << "(603) 555-1234" << QByteArray("ATDT(603) 555-1234;\r");
    QTest::newRow("empty number") << "" << QByteArray("ATDT;\r");
    QTest::newRow("line end cannot start a second command") << "555\rATZ\n"
                                                            << QByteArray("ATDT555ATZ;\r");
}

void TestModemDialer::dialCommand()
{
    QFETCH(QString, number);
    QFETCH(QByteArray, command);

    QCOMPARE(DialCommand(number), command);
}

void TestModemDialer::longDistancePrefix_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<bool>>("ticks");
    QTest::addColumn<QString>("shown");

    QTest::newRow("ticked") << "555-1234" << QList<bool>{true} << "1-555-1234";
    QTest::newRow("ticked and unticked") << "555-1234" << QList<bool>{true, false} << "555-1234";
    QTest::newRow("tick, untick, tick")
        << "555-1234" << QList<bool>{true, false, true} << "1-555-1234";
    QTest::newRow("unticked without prefix") << "555-1234" << QList<bool>{false} << "555-1234";
    QTest::newRow("unticked with 1 but no dash")
        << "1555-1234" << QList<bool>{false} << "1555-1234";
    QTest::newRow("unticked takes one prefix only") << "1-1-555" << QList<bool>{false} << "1-555";
}

void TestModemDialer::longDistancePrefix()
{
    QFETCH(QString, number);
    QFETCH(QList<bool>, ticks);
    QFETCH(QString, shown);

    for (bool ticked : ticks)
        number = WithLongDistancePrefix(number, ticked);
    QCOMPARE(number, shown);
}

void TestModemDialer::waitsForOk_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<int>("answeredAfter"); // pieces needed, 0: never

    QTest::newRow("answer at once") << QList<QByteArray>{"\r\nOK\r\n"} << 1;
    QTest::newRow("O then K") << QList<QByteArray>{"\r\nO", "K\r\n"} << 2;
    QTest::newRow("one byte at a time") << QList<QByteArray>{"\r", "\n", "O", "K"} << 4;
    QTest::newRow("echo first") << QList<QByteArray>{"ATDT555-1234;\r", "\r\nOK\r\n"} << 2;
    QTest::newRow("no carrier is no answer")
        << QList<QByteArray>{"\r\nNO CARRIER\r\n", "\r\nBUSY\r\n"} << 0;
}

void TestModemDialer::waitsForOk()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(int, answeredAfter);

    MemoryLine line;
    line.open(3);
    ModemDialer dialer;
    QSignalSpy answered(&dialer, &ModemDialer::answered);

    dialer.dial(line, "555-1234");
    QCOMPARE(line.written, QByteArray("ATDT555-1234;\r"));
    for (int i = 0; i < pieces.size(); ++i) {
        line.arrive(pieces.at(i));
        const bool expected = answeredAfter != 0 && i + 1 >= answeredAfter;
        QCOMPARE(answered.count(), expected ? 1 : 0);
        QCOMPARE(dialer.isWaiting(), !expected);
    }
    // Only the dial command went out: waiting writes nothing.
    QCOMPARE(line.written, QByteArray("ATDT555-1234;\r"));
}

void TestModemDialer::answerFromBeforeTheDialDoesNotCount()
{
    MemoryLine line;
    line.open(3);
    line.arrive("\r\nOK\r\n"); // the caller ID command's answer, never read
    ModemDialer dialer;
    QSignalSpy answered(&dialer, &ModemDialer::answered);

    dialer.dial(line, "555-1234");
    line.arrive("\r\n");

    QCOMPARE(answered.count(), 0);
    QCOMPARE(dialer.isWaiting(), true);
}

void TestModemDialer::cancelledWaitIgnoresLaterAnswer()
{
    MemoryLine line;
    line.open(3);
    ModemDialer dialer;
    QSignalSpy answered(&dialer, &ModemDialer::answered);

    dialer.dial(line, "555-1234");
    line.arrive("\r\nO");
    dialer.cancel();
    line.arrive("K\r\n");

    QCOMPARE(answered.count(), 0);
    QCOMPARE(dialer.isWaiting(), false);
}

void TestModemDialer::hangUpSendsAthAndClosesTheLine()
{
    MemoryLine line;
    line.open(3);
    ModemDialer dialer;
    QSignalSpy answered(&dialer, &ModemDialer::answered);

    dialer.dial(line, "555-1234");
    dialer.hangUp(line);
    line.arrive("\r\nOK\r\n");

    QCOMPARE(line.written, QByteArray("ATDT555-1234;\rATH\r"));
    QCOMPARE(line.isOpen(), false);
    QCOMPARE(answered.count(), 0);
}

QTEST_GUILESS_MAIN(TestModemDialer)
#include "tst_modemdialer.moc"
