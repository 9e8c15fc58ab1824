#include "core/appstate.h"
#include "core/datafolder.h"
#include "dialer/modemprobe.h"
#include "dialer/portserialline.h"
#include "dialer/telephone.h"
#include "fakeserialdevice.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace dialer;

namespace {

using FakeDevice = FakeSerialDevice;

QSettings programSettings()
{
    return QSettings(QStringLiteral("Pelmor"), QStringLiteral("PelmorInvoicer"));
}

const QByteArray Probe = "AT\r";
const QByteArray CallerIdOn = "AT#CID=1\r";
constexpr qint64 Deadline = ModemProbe::DefaultDeadline.count();

} // namespace

class TestModemProbe : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void deviceNames_data();
    void deviceNames();
    void modemOnThirdPortWithFirstTwoAbsent_data();
    void modemOnThirdPortWithFirstTwoAbsent();
    void storedPortThenWins();
    void noModem_data();
    void noModem();
    void lowestAnsweringPortWins();
    void probeReportsTheLineItFound();
    void unpluggedModemClosesItsLine();

private:
    // Points port n at the fake.
    FakeDevice &attach(int port, std::unique_ptr<FakeDevice> device, bool bareName = false);
    Telephone &telephone();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    ApplicationState m_state;
    std::vector<std::unique_ptr<FakeDevice>> m_devices;
    std::unique_ptr<Telephone> m_telephone;
};

void TestModemProbe::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_state = ApplicationState();
    // No test may reach a real serial device: every port starts out absent.
    QSettings settings = programSettings();
    settings.remove("SerialPorts");
    for (int port = FirstSerialPort; port <= LastSerialPort; ++port)
        settings.setValue(SerialDeviceSettingsKey(port),
                          m_dir->path() + "/absent" + QString::number(port));
}

void TestModemProbe::cleanup()
{
    m_telephone.reset();
    m_devices.clear();
    programSettings().remove("SerialPorts");
    m_data.reset();
    m_dir.reset();
}

FakeDevice &TestModemProbe::attach(int port, std::unique_ptr<FakeDevice> device, bool bareName)
{
    if (!device->isValid())
        qFatal("no pseudo-terminal for the fake device");
    QString name = device->device();
    if (bareName)
        name.remove(QRegularExpression("^/dev/"));
    programSettings().setValue(SerialDeviceSettingsKey(port), name);
    m_devices.push_back(std::move(device));
    return *m_devices.back();
}

Telephone &TestModemProbe::telephone()
{
    if (!m_telephone)
        m_telephone = std::make_unique<Telephone>(*m_data, m_state, PortSerialLine::factory());
    return *m_telephone;
}

void TestModemProbe::deviceNames_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("device");

    QTest::newRow("port 1 by default") << 1 << QString() << "/dev/ttyS0";
    QTest::newRow("port 16 by default") << 16 << QString() << "/dev/ttyS15";
    QTest::newRow("named device") << 3 << "/dev/ttyUSB0"
                                  << "/dev/ttyUSB0";
    QTest::newRow("blank entry") << 5 << "   "
                                 << "/dev/ttyS4";
}

void TestModemProbe::deviceNames()
{
    QFETCH(int, port);
    QFETCH(QString, stored);
    QFETCH(QString, device);

    QSettings settings = programSettings();
    const QString key = "SerialPorts/port" + QString::number(port);
    if (stored.isNull())
        settings.remove(key);
    else
        settings.setValue(key, stored);
    settings.sync();

    QCOMPARE(SerialDeviceName(port), device);
}

void TestModemProbe::modemOnThirdPortWithFirstTwoAbsent_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<bool>("echo");
    QTest::addColumn<bool>("split");
    // Every lower port is absent, so an answer ends the wait at once.
    QTest::addColumn<qint64>("withinMs");
    QTest::addColumn<bool>("bareName");

    QTest::newRow("answers at once") << 0 << false << false << Deadline - 20 << false;
    QTest::newRow("echoes the command") << 0 << true << false << Deadline - 20 << false;
    QTest::newRow("answer in two pieces") << 0 << true << true << Deadline - 20 << false;
    QTest::newRow("answers after 60 ms") << 60 << true << false << Deadline << false;
    QTest::newRow("device named without /dev/") << 0 << false << false << Deadline - 20 << true;
}

void TestModemProbe::modemOnThirdPortWithFirstTwoAbsent()
{
    QFETCH(int, delayMs);
    QFETCH(bool, echo);
    QFETCH(bool, split);
    QFETCH(qint64, withinMs);
    QFETCH(bool, bareName);

    FakeDevice &modem = attach(
        3, std::make_unique<FakeDevice>(FakeDevice::Kind::Modem, delayMs, echo, split), bareName);

    QElapsedTimer clock;
    clock.start();
    telephone().DetectModem();
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(m_state.modemPort, 3);
    QCOMPARE(m_state.modemFound, true);
    QCOMPARE(telephone().modemStatus(), QString("Your Modem Comm Port Is 3."));
    QVERIFY2(elapsed < withinMs, qPrintable(QString::number(elapsed) + " ms"));
    QTRY_COMPARE(modem.received(), Probe + CallerIdOn);
    QCOMPARE(telephone().modemLine().isOpen(), true);
    QCOMPARE(telephone().modemLine().port(), 3);
}

void TestModemProbe::storedPortThenWins()
{
    FakeDevice &modem = attach(3, std::make_unique<FakeDevice>(FakeDevice::Kind::Modem));
    QFile phone(m_dir->path() + "/Phone.txt");
    QVERIFY(phone.open(QIODevice::WriteOnly));
    phone.write("#TRUE#\r\n4\r\n");
    phone.close();

    telephone().LoadPhoneSettings();

    QCOMPARE(m_state.modemPort, 4);
    QCOMPARE(m_state.phoneEnabled, true);
    QCOMPARE(m_state.modemFound, true);
    QCOMPARE(telephone().modemStatus(), QString("Your Modem Comm Port Is 3."));
    QTRY_COMPARE(modem.received(), Probe + CallerIdOn);
}

void TestModemProbe::noModem_data()
{
    QTest::addColumn<QList<int>>("silentPorts");
    QTest::addColumn<QList<int>>("chatterPorts");
    QTest::addColumn<bool>("waitsForAnswers");

    QTest::newRow("every port absent") << QList<int>() << QList<int>() << false;
    QList<int> all;
    for (int port = FirstSerialPort; port <= LastSerialPort; ++port)
        all << port;
    QTest::newRow("sixteen silent devices") << all << QList<int>() << true;
    QTest::newRow("devices that never say OK") << QList<int>{2} << QList<int>{1, 5} << true;
}

void TestModemProbe::noModem()
{
    QFETCH(QList<int>, silentPorts);
    QFETCH(QList<int>, chatterPorts);
    QFETCH(bool, waitsForAnswers);

    QList<FakeDevice *> devices;
    for (int port : silentPorts)
        devices << &attach(port, std::make_unique<FakeDevice>(FakeDevice::Kind::Silent));
    for (int port : chatterPorts)
        devices << &attach(port, std::make_unique<FakeDevice>(FakeDevice::Kind::Chatter));
    m_state.modemPort = 2;
    m_state.phoneEnabled = true;

    QElapsedTimer clock;
    clock.start();
    telephone().DetectModem();
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(m_state.modemFound, false);
    QCOMPARE(m_state.modemPort, 2);
    QCOMPARE(m_state.phoneEnabled, false);
    QCOMPARE(telephone().modemStatus(), QString("Modem Not Detected Or In Use."));
    // Sixteen silent ports share one deadline; absent ports cost nothing.
    QVERIFY2(elapsed < 450, qPrintable(QString::number(elapsed) + " ms"));
    if (waitsForAnswers)
        QVERIFY2(elapsed >= Deadline - 5, qPrintable(QString::number(elapsed) + " ms"));
    else
        QVERIFY2(elapsed < Deadline / 2, qPrintable(QString::number(elapsed) + " ms"));
    QTest::qWait(30);
    for (FakeDevice *device : devices)
        QCOMPARE(device->received(), Probe);
    QCOMPARE(telephone().modemLine().isOpen(), false);
}

void TestModemProbe::lowestAnsweringPortWins()
{
    FakeDevice &silent = attach(1, std::make_unique<FakeDevice>(FakeDevice::Kind::Silent));
    FakeDevice &slow = attach(4, std::make_unique<FakeDevice>(FakeDevice::Kind::Modem, 80));
    FakeDevice &fast = attach(7, std::make_unique<FakeDevice>(FakeDevice::Kind::Modem));

    telephone().DetectModem();

    QCOMPARE(m_state.modemPort, 4);
    QCOMPARE(telephone().modemStatus(), QString("Your Modem Comm Port Is 4."));
    QTRY_COMPARE(slow.received(), Probe + CallerIdOn);
    QCOMPARE(silent.received(), Probe);
    QCOMPARE(fast.received(), Probe);
}

void TestModemProbe::probeReportsTheLineItFound()
{
    FakeDevice &modem = attach(9, std::make_unique<FakeDevice>(FakeDevice::Kind::Modem, 20));
    ModemProbe probe(PortSerialLine::factory());
    int reported = -1;
    connect(&probe, &ModemProbe::finished, this, [&reported](int port) { reported = port; });

    probe.start();
    QCOMPARE(probe.isRunning(), true);
    QTRY_COMPARE(reported, 9);
    QCOMPARE(probe.port(), 9);
    std::unique_ptr<SerialLine> line = probe.takeLine();
    QVERIFY(line);
    QCOMPARE(line->isOpen(), true);
    QVERIFY(line->write("ATDT555-1234;\r"));
    QTRY_COMPARE(modem.received(), Probe + "ATDT555-1234;\r");
    QTRY_VERIFY(line->bytesAvailable() >= 6);
    QVERIFY(line->readAll().contains("OK"));
}

void TestModemProbe::unpluggedModemClosesItsLine()
{
    attach(2, std::make_unique<FakeDevice>(FakeDevice::Kind::Modem));
    telephone().DetectModem();
    QCOMPARE(telephone().modemLine().isOpen(), true);

    m_devices.clear();

    QTRY_COMPARE(telephone().modemLine().isOpen(), false);
}

QTEST_GUILESS_MAIN(TestModemProbe)
#include "tst_modemprobe.moc"
