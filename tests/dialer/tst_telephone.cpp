#include "core/appstate.h"
#include "core/datafolder.h"
#include "dialer/telephone.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace dialer;

namespace {

// The ports of a machine: which exist, which hold a modem, who has them open, and
// every byte sent to each.
struct Machine
{
    QSet<int> present;
    QSet<int> modems;
    QSet<int> inUse;
    QMap<int, QByteArray> sent;
    // What a port answers instead of "OK", one read per piece.
    QMap<int, QList<QByteArray>> pieces;
};

class FakeLine final : public SerialLine
{
public:
    explicit FakeLine(Machine &machine) : m_machine(machine) {}
    ~FakeLine() override { close(); }

    bool open(int port) override
    {
        close();
        m_port = port;
        if (!m_machine.present.contains(port) || m_machine.inUse.contains(port))
            return false;
        m_machine.inUse.insert(port);
        m_open = true;
        return true;
    }
    void close() override
    {
        if (m_open)
            m_machine.inUse.remove(m_port);
        m_open = false;
    }
    bool isOpen() const override { return m_open; }
    int port() const override { return m_port; }
    bool write(const QByteArray &bytes) override
    {
        if (!m_open)
            return false;
        m_machine.sent[m_port] += bytes;
        if (m_machine.pieces.contains(m_port) && bytes.endsWith('\r')) {
            int delay = 5;
            for (const QByteArray &piece : m_machine.pieces.value(m_port)) {
                QTimer::singleShot(delay, this, [this, piece] {
                    m_input += piece;
                    emit readyRead();
                });
                delay += 5;
            }
            return true;
        }
        if (m_machine.modems.contains(m_port) && bytes.endsWith('\r')) {
            // A modem answers a little later, never within the same event pass.
            QTimer::singleShot(5, this, [this] {
                m_input += "\r\nOK\r\n";
                emit readyRead();
            });
        }
        return true;
    }
    qint64 bytesAvailable() const override { return m_input.size(); }
    QByteArray readAll() override { return std::exchange(m_input, {}); }
    void discardInput() override { m_input.clear(); }

private:
    Machine &m_machine;
    QByteArray m_input;
    int m_port = 0;
    bool m_open = false;
};

const QByteArray Probe = "AT\r";
const QByteArray CallerIdOn = "AT#CID=1\r";

} // namespace

class TestTelephone : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savedFilesHaveTheirLayout_data();
    void savedFilesHaveTheirLayout();
    void loadCombinesStoredAndDetectedPort_data();
    void loadCombinesStoredAndDetectedPort();
    void phoneFileComesBackFromBackup();
    void callerIdSetting_data();
    void callerIdSetting();
    void modemFoundSwitchesCallerIdOnAtItsPort();
    void answerSplitAfterNoiseIsFound_data();
    void answerSplitAfterNoiseIsFound();
    void noModemSwitchesPhoneFeaturesOff();
    void detectingAgainFindsTheModemItHoldsOpen();
    void systemConsoleIsNeverProbed_data();
    void systemConsoleIsNeverProbed();

private:
    Telephone &telephone();
    void writeFile(const QString &name, const QByteArray &bytes);
    QByteArray readFile(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    ApplicationState m_state;
    Machine m_machine;
    std::unique_ptr<Telephone> m_telephone;
};

void TestTelephone::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath("Backup"));
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_state = ApplicationState();
    m_machine = Machine();
}

void TestTelephone::cleanup()
{
    m_telephone.reset();
    m_data.reset();
    m_dir.reset();
}

Telephone &TestTelephone::telephone()
{
    if (!m_telephone) {
        m_telephone = std::make_unique<Telephone>(
            *m_data, m_state, [this] { return std::make_unique<FakeLine>(m_machine); });
    }
    return *m_telephone;
}

void TestTelephone::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->path() + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TestTelephone::readFile(const QString &name) const
{
    QFile file(m_dir->path() + name);
    if (!file.open(QIODevice::ReadOnly))
        return "<absent>";
    return file.readAll();
}

void TestTelephone::savedFilesHaveTheirLayout_data()
{
    QTest::addColumn<int>("modemPort");
    QTest::addColumn<bool>("callerIdBefore");
    QTest::addColumn<bool>("phoneTicked");
    QTest::addColumn<bool>("usingCallerId");
    QTest::addColumn<QByteArray>("phoneFile");
    QTest::addColumn<QByteArray>("callerIdFile");

    QTest::newRow("phone on, port 3")
        << 3 << true << true << true << QByteArray("#TRUE#\r\n3\r\n") << QByteArray("#TRUE#\r\n");
    QTest::newRow("caller ID unticked is saved off")
        << 16 << true << false << false << QByteArray("#FALSE#\r\n16\r\n")
        << QByteArray("#FALSE#\r\n");
    QTest::newRow("caller ID ticked is saved on")
        << 1 << false << true << true << QByteArray("#TRUE#\r\n1\r\n") << QByteArray("#TRUE#\r\n");
    QTest::newRow("no modem ever found")
        << 0 << false << false << true << QByteArray("#FALSE#\r\n0\r\n")
        << QByteArray("#TRUE#\r\n");
}

void TestTelephone::savedFilesHaveTheirLayout()
{
    QFETCH(int, modemPort);
    QFETCH(bool, callerIdBefore);
    QFETCH(bool, phoneTicked);
    QFETCH(bool, usingCallerId);
    QFETCH(QByteArray, phoneFile);
    QFETCH(QByteArray, callerIdFile);

    m_state.modemPort = modemPort;
    m_state.callerIdEnabled = callerIdBefore;
    m_state.phoneEnabled = !phoneTicked;
    // A stale backup copy must not come back in place of what is saved now.
    writeFile("/Backup/Phone.txt", "#TRUE#\r\n9\r\n");
    writeFile("/Backup/CallID.txt", "#TRUE#\r\n");

    QVERIFY(telephone().SavePhoneSettings(phoneTicked, usingCallerId));

    QCOMPARE(readFile("/Phone.txt"), phoneFile);
    QCOMPARE(readFile("/CallID.txt"), callerIdFile);
    QCOMPARE(readFile("/Backup/Phone.txt"), QByteArray("<absent>"));
    QCOMPARE(readFile("/Backup/CallID.txt"), QByteArray("<absent>"));
    QCOMPARE(m_state.phoneEnabled, phoneTicked);
    QCOMPARE(m_state.callerIdEnabled, usingCallerId);
}

void TestTelephone::loadCombinesStoredAndDetectedPort_data()
{
    QTest::addColumn<int>("modemOn");
    QTest::addColumn<QByteArray>("phoneFile");
    QTest::addColumn<bool>("phoneEnabled");
    QTest::addColumn<int>("modemPort");

    const QByteArray absent;
    QTest::newRow("stored port wins") << 3 << QByteArray("#TRUE#\r\n4\r\n") << true << 4;
    QTest::newRow("stored 16") << 3 << QByteArray("#FALSE#\r\n16\r\n") << false << 16;
    QTest::newRow("stored 0 keeps the detected port")
        << 3 << QByteArray("#TRUE#\r\n0\r\n") << true << 3;
    QTest::newRow("stored 17 keeps the detected port")
        << 3 << QByteArray("#TRUE#\r\n17\r\n") << true << 3;
    QTest::newRow("stored -1 keeps the detected port")
        << 3 << QByteArray("#TRUE#\r\n-1\r\n") << true << 3;
    QTest::newRow("huge number keeps the detected port")
        << 3 << QByteArray("#TRUE#\r\n99999999999999999999999\r\n") << true << 3;
    QTest::newRow("text port keeps the detected port")
        << 3 << QByteArray("#TRUE#\r\nCOM4\r\n") << true << 3;
    QTest::newRow("missing port line") << 3 << QByteArray("#TRUE#\r\n") << true << 3;
    QTest::newRow("half a port rounds to even")
        << 3 << QByteArray("#TRUE#\r\n4.5\r\n") << true << 4;
    QTest::newRow("LF line ends") << 3 << QByteArray("#TRUE#\n5\n") << true << 5;
    QTest::newRow("no last line end") << 3 << QByteArray("#TRUE#\r\n6") << true << 6;
    QTest::newRow("quoted values") << 3 << QByteArray("\"#TRUE#\"\r\n\"7\"\r\n") << true << 7;
    QTest::newRow("text where the flag belongs")
        << 3 << QByteArray("\"Yes please\"\r\n2\r\n") << false << 2;
    QTest::newRow("truncated flag") << 3 << QByteArray("#TR") << false << 3;
    QTest::newRow("empty file") << 3 << QByteArray("") << false << 3;
    QTest::newRow("binary bytes") << 3 << QByteArray("\xff\x00\",\x01\r\n,,\"", 9) << false << 3;
    QTest::newRow("file absent") << 3 << absent << false << 3;
    QTest::newRow("no modem, stored port still read")
        << 0 << QByteArray("#TRUE#\r\n4\r\n") << true << 4;
    QTest::newRow("no modem, stored 0") << 0 << QByteArray("#FALSE#\r\n0\r\n") << false << 0;
    QTest::newRow("no modem, file absent") << 0 << absent << false << 0;
}

void TestTelephone::loadCombinesStoredAndDetectedPort()
{
    QFETCH(int, modemOn);
    QFETCH(QByteArray, phoneFile);
    QFETCH(bool, phoneEnabled);
    QFETCH(int, modemPort);

    m_machine.present = {3, 5};
    if (modemOn != 0)
        m_machine.modems = {modemOn};
    if (!phoneFile.isNull())
        writeFile("/Phone.txt", phoneFile);
    m_state.phoneEnabled = !phoneEnabled;

    telephone().LoadPhoneSettings();

    QCOMPARE(m_state.phoneEnabled, phoneEnabled);
    QCOMPARE(m_state.modemPort, modemPort);
    QCOMPARE(m_state.modemFound, modemOn != 0);
}

void TestTelephone::phoneFileComesBackFromBackup()
{
    m_machine.present = {2};
    m_machine.modems = {2};
    writeFile("/Backup/Phone.txt", "#TRUE#\r\n5\r\n");

    telephone().LoadPhoneSettings();

    QCOMPARE(m_state.phoneEnabled, true);
    QCOMPARE(m_state.modemPort, 5);
    QCOMPARE(readFile("/Phone.txt"), QByteArray("#TRUE#\r\n5\r\n"));
}

void TestTelephone::callerIdSetting_data()
{
    QTest::addColumn<QByteArray>("callerIdFile");
    QTest::addColumn<bool>("callerIdEnabled");

    QTest::newRow("absent: ticked") << QByteArray() << true;
    QTest::newRow("stored off") << QByteArray("#FALSE#\r\n") << false;
    QTest::newRow("stored on") << QByteArray("#TRUE#\r\n") << true;
    QTest::newRow("stored off, LF") << QByteArray("#FALSE#\n") << false;
    QTest::newRow("stored as number 0") << QByteArray("0\r\n") << false;
    QTest::newRow("empty file: ticked") << QByteArray("") << true;
    QTest::newRow("text: ticked") << QByteArray("\"maybe\"\r\n") << true;
}

void TestTelephone::callerIdSetting()
{
    QFETCH(QByteArray, callerIdFile);
    QFETCH(bool, callerIdEnabled);

    if (!callerIdFile.isNull())
        writeFile("/CallID.txt", callerIdFile);
    m_state.callerIdEnabled = !callerIdEnabled;

    telephone().LoadPhoneSettings();

    QCOMPARE(m_state.callerIdEnabled, callerIdEnabled);
}

void TestTelephone::modemFoundSwitchesCallerIdOnAtItsPort()
{
    m_machine.present = {1, 3, 6, 9};
    m_machine.modems = {6, 9};
    QSignalSpy disabled(&telephone(), &Telephone::phoneFeaturesDisabled);
    m_state.phoneEnabled = true;

    telephone().DetectModem();

    QCOMPARE(m_state.modemPort, 6);
    QCOMPARE(m_state.modemFound, true);
    QCOMPARE(m_state.phoneEnabled, true);
    QCOMPARE(telephone().modemStatus(), QString("Your Modem Comm Port Is 6."));
    QCOMPARE(telephone().portCaption(), QString("COM Port # 6"));
    QCOMPARE(disabled.count(), 0);
    QCOMPARE(m_machine.sent.value(1), Probe);
    QCOMPARE(m_machine.sent.value(3), Probe);
    QCOMPARE(m_machine.sent.value(6), Probe + CallerIdOn);
    QCOMPARE(m_machine.sent.value(9), Probe);
    // Only the modem's port stays open, for the dialer.
    QCOMPARE(m_machine.inUse, QSet<int>({6}));
    QCOMPARE(telephone().modemLine().isOpen(), true);
    QCOMPARE(telephone().modemLine().port(), 6);
}

void TestTelephone::answerSplitAfterNoiseIsFound_data()
{
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<bool>("found");
    const QByteArray noise(300, '~');
    QTest::newRow("O ends a long burst, K CR LF follows")
        << QList<QByteArray>{noise + "O", "K\r\n"} << true;
    QTest::newRow("O ends a short burst") << QList<QByteArray>{"~~O", "K\r\n"} << true;
    QTest::newRow("long burst, no answer") << QList<QByteArray>{noise + "O", "X\r\n"} << false;
}

void TestTelephone::answerSplitAfterNoiseIsFound()
{
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(bool, found);
    m_machine.present = {2};
    m_machine.pieces[2] = pieces;
    telephone().DetectModem();
    QCOMPARE(m_state.modemFound, found);
}

void TestTelephone::noModemSwitchesPhoneFeaturesOff()
{
    m_machine.present = {2, 4};
    m_state.phoneEnabled = true;
    m_state.modemPort = 7;
    m_state.modemFound = true;
    m_state.callerIdEnabled = false;
    QSignalSpy disabled(&telephone(), &Telephone::phoneFeaturesDisabled);

    telephone().DetectModem();

    QCOMPARE(disabled.count(), 1);
    QCOMPARE(m_state.modemFound, false);
    QCOMPARE(m_state.phoneEnabled, false);
    QCOMPARE(m_state.callerIdEnabled, true);
    QCOMPARE(m_state.modemPort, 7);
    QCOMPARE(telephone().modemStatus(), QString("Modem Not Detected Or In Use."));
    QCOMPARE(telephone().portCaption(), QString("COM Port # 7"));
    // Nothing but the probe is sent to devices that did not answer as a modem.
    QCOMPARE(m_machine.sent.value(2), Probe);
    QCOMPARE(m_machine.sent.value(4), Probe);
    QCOMPARE(m_machine.sent.value(7), QByteArray());
    QCOMPARE(m_machine.inUse, QSet<int>());
    QCOMPARE(telephone().modemLine().isOpen(), false);
}

void TestTelephone::detectingAgainFindsTheModemItHoldsOpen()
{
    m_machine.present = {4};
    m_machine.modems = {4};

    telephone().DetectModem();
    telephone().DetectModem();

    QCOMPARE(m_state.modemPort, 4);
    QCOMPARE(m_state.modemFound, true);
    QCOMPARE(m_machine.sent.value(4), Probe + CallerIdOn + Probe + CallerIdOn);
    QCOMPARE(m_machine.inUse, QSet<int>({4}));
}

void TestTelephone::systemConsoleIsNeverProbed_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("consoles");
    QTest::addColumn<bool>("console");

    QTest::newRow("serial console") << "/dev/ttyS0" << QStringList{"ttyS0"} << true;
    QTest::newRow("one of two consoles") << "/dev/ttyS0" << QStringList{"tty0", "ttyS0"} << true;
    QTest::newRow("another port") << "/dev/ttyS1" << QStringList{"ttyS0"} << false;
    QTest::newRow("longer name") << "/dev/ttyS01" << QStringList{"ttyS0"} << false;
    QTest::newRow("no console listed") << "/dev/ttyS0" << QStringList() << false;
    QTest::newRow("the console device") << "/dev/console" << QStringList() << true;
    QTest::newRow("link to the console") << "<link>" << QStringList() << true;
    QTest::newRow("USB modem") << "/dev/ttyUSB0" << QStringList{"ttyS0"} << false;
}

void TestTelephone::systemConsoleIsNeverProbed()
{
    QFETCH(QString, device);
    QFETCH(QStringList, consoles);
    QFETCH(bool, console);

    if (device == "<link>") {
        device = m_dir->path() + "/modem";
        QVERIFY(QFile::link("/dev/console", device));
    }

    QCOMPARE(IsSystemConsole(device, consoles), console);
}

QTEST_GUILESS_MAIN(TestTelephone)
#include "tst_telephone.moc"
