#include "dialer/frmdialer.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "dialer/portserialline.h"
#include "dialer/telephone.h"
#include "fakeserialdevice.h"
#include "scriptedprompts.h"
#include "screenaccess.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace dialer;

namespace {

QSettings programSettings()
{
    return QSettings(QStringLiteral("Pelmor"), QStringLiteral("PelmorInvoicer"));
}

// The speed numbers file's layout: a name line and a number line per pair, CR LF.
QByteArray pairs(const QList<std::pair<QByteArray, QByteArray>> &entries)
{
    QByteArray bytes;
    for (const auto &[name, number] : entries)
        bytes += name + "\r\n" + number + "\r\n";
    return bytes;
}

const QByteArray Dial5551234 = "ATDT555-1234;\r";
const QByteArray HangUp = "ATH\r";
constexpr int ModemPort = 3;

} // namespace

class TestFrmDialer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsCarryTheirTexts_data();
    void controlsCarryTheirTexts();
    void modemStatusFromDetection_data();
    void modemStatusFromDetection();
    void showingResetsTheCallAndLoadsSpeedNumbers();

    void dialSendsTheNumberAndWaitsForOk_data();
    void dialSendsTheNumberAndWaitsForOk();
    void talkButtonHangsUpAndClosesThePort();
    void cancelDuringTheWait_data();
    void cancelDuringTheWait();
    void dialCustomerReturnsWhenTheWindowCloses();
    void closeBoxEndsTheProgramAndTheWait();
    void prefixToggle_data();
    void prefixToggle();

    void freeSlotOpensTheEntryFrame();
    void saveAndCancelInTheEntryFrame();
    void loadCurrentPlayerStoresTheShownPerson();
    void usedSlotShowsItsPersonAndIsDialed();
    void restoreBringsBackWhoWasShownBeforeTheLastButton_data();
    void restoreBringsBackWhoWasShownBeforeTheLastButton();
    void deleteAsksAndMovesLaterSlotsUp_data();
    void deleteAsksAndMovesLaterSlotsUp();
    void nameWithAmpersandShownAsWritten();
    void helpButtonToggles();

private:
    FakeSerialDevice &attachModem(FakeSerialDevice::Kind kind = FakeSerialDevice::Kind::Silent,
                                  bool echo = false);
    frmDialer &dialer();
    void open(const QString &name = "Acme Farms", const QString &number = "555-1234");
    void writeSpeedNumbers(const QByteArray &bytes) const;
    QByteArray speedNumbersFile() const;
    QStringList captions();
    void click(const QString &objectName);

    template <typename T> T *child(const QString &objectName)
    {
        return screen::child<T>(&dialer(), objectName);
    }
    QString text(const QString &label) { return child<QLabel>(label)->text(); }
    bool shown(const QString &objectName) { return child<QWidget>(objectName)->isVisible(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    ApplicationState m_state;
    ScriptedPrompts m_prompts;
    std::unique_ptr<FakeSerialDevice> m_modem;
    std::unique_ptr<Telephone> m_telephone;
    std::unique_ptr<frmDialer> m_dialer;
};

void TestFrmDialer::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestFrmDialer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_state = ApplicationState();
    m_state.modemPort = ModemPort;
    m_prompts.clear();
    // No test may reach a real serial device: every port starts out absent.
    QSettings settings = programSettings();
    settings.remove("SerialPorts");
    for (int port = FirstSerialPort; port <= LastSerialPort; ++port)
        settings.setValue(SerialDeviceSettingsKey(port),
                          m_dir->path() + "/absent" + QString::number(port));
    m_telephone = std::make_unique<Telephone>(*m_data, m_state, PortSerialLine::factory());
}

void TestFrmDialer::cleanup()
{
    m_dialer.reset();
    m_telephone.reset();
    m_modem.reset();
    programSettings().remove("SerialPorts");
    m_data.reset();
    m_dir.reset();
}

FakeSerialDevice &TestFrmDialer::attachModem(FakeSerialDevice::Kind kind, bool echo)
{
    m_modem = std::make_unique<FakeSerialDevice>(kind, 0, echo);
    if (!m_modem->isValid())
        qFatal("no pseudo-terminal for the fake modem");
    SetSerialDeviceName(ModemPort, m_modem->device());
    return *m_modem;
}

frmDialer &TestFrmDialer::dialer()
{
    if (!m_dialer)
        m_dialer = std::make_unique<frmDialer>(*m_telephone, m_state, *m_data, m_prompts);
    return *m_dialer;
}

void TestFrmDialer::open(const QString &name, const QString &number)
{
    dialer().openFor(name, number);
}

void TestFrmDialer::writeSpeedNumbers(const QByteArray &bytes) const
{
    QFile file(m_dir->path() + "/SpeedNumbers.txt");
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TestFrmDialer::speedNumbersFile() const
{
    QFile file(m_dir->path() + "/SpeedNumbers.txt");
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

QStringList TestFrmDialer::captions()
{
    QStringList list;
    for (int i = 0; i < frmDialer::SpeedButtons; ++i)
        list << child<QPushButton>("cmdDialer_" + QString::number(i))->text();
    return list;
}

void TestFrmDialer::click(const QString &objectName)
{
    screen::click(&dialer(), objectName);
}

// Window and texts ---------------------------------------------------------------

void TestFrmDialer::controlsCarryTheirTexts_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("dial") << "cmdNewDial"
                          << "&Dial"
                          << "";
    QTest::newRow("talk") << "cmdCancel"
                          << "Pick up the receiver then &Click to Talk"
                          << "Disconnect the Call";
    QTest::newRow("hang up") << "cmdHangup"
                             << "D&isconnect/Cancel"
                             << "Return to previous Screen";
    QTest::newRow("prefix") << "ckDial1"
                            << "Dial a Prefix  1-"
                            << "Click for Long Distance Calls";
    QTest::newRow("save") << "cmdSpeedDialer_0"
                          << "&Save"
                          << "Saves this Data to the selected Speed dial";
    QTest::newRow("cancel") << "cmdSpeedDialer_1"
                            << "Ca&ncel"
                            << "";
    QTest::newRow("delete") << "cmdSpeedDialer_2"
                            << "Delete Selected Speed Dial &No"
                            << "";
    QTest::newRow("restore") << "cmdSpeedDialer_3"
                             << "&Restore Original Call Recipient"
                             << "";
    QTest::newRow("load current") << "cmdSpeedDialer_4"
                                  << "&Load Current Player"
                                  << "Load Current Player to Above";
    QTest::newRow("help") << "cmdHelp"
                          << "Show Help"
                          << "";
    QTest::newRow("entry frame") << "fraSpeedDial"
                                 << "Add Speed Dial Name and No."
                                 << "";
    QTest::newRow("help frame") << "fraHelp"
                                << "Help!"
                                << "";
    QTest::newRow("entry hint") << "lblSpeedDial"
                                << "Enter a Speed Dial Name and Number Click Save"
                                << "";
    QTest::newRow("modem label") << "Label2_4"
                                 << "Modem is connected to"
                                 << "";
    QTest::newRow("modem warning")
        << "Label2_5"
        << "Not all MODEMS can perform dialing operations. Some UPS Units may use the same port "
           "as your modem and a dialing error may occur."
        << "";
    QTest::newRow("speed dial note") << "Label2_33"
                                     << "(Used to auto-dial Players)"
                                     << "";
}

void TestFrmDialer::controlsCarryTheirTexts()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);

    QWidget *widget = child<QWidget>(objectName);
    QString shownCaption;
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        shownCaption = button->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        shownCaption = frame->title();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        shownCaption = label->text();
    QCOMPARE(shownCaption, caption);
    QCOMPARE(widget->toolTip(), toolTip);
    QCOMPARE(dialer().windowTitle(), QString("Call ..............."));
}

void TestFrmDialer::modemStatusFromDetection_data()
{
    QTest::addColumn<bool>("modemAnswers");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("port");

    QTest::newRow("modem on port 3") << true << "Your Modem Comm Port Is 3."
                                     << "COM Port # 3";
    QTest::newRow("no modem") << false << "Modem Not Detected Or In Use."
                              << "COM Port # 3";
}

void TestFrmDialer::modemStatusFromDetection()
{
    QFETCH(bool, modemAnswers);
    QFETCH(QString, status);
    QFETCH(QString, port);

    if (modemAnswers)
        attachModem(FakeSerialDevice::Kind::Modem);
    m_telephone->DetectModem();
    open();

    QCOMPARE(child<QLineEdit>("Text1")->text(), status);
    QCOMPARE(text("Label2_3"), port);
}

void TestFrmDialer::showingResetsTheCallAndLoadsSpeedNumbers()
{
    attachModem();
    writeSpeedNumbers(pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}, {"Bob", "555-0142"}}));

    open("Acme Farms", "555-1234");

    QCOMPARE(dialer().isVisible(), true);
    QCOMPARE(dialer().windowModality(), Qt::ApplicationModal);
    QCOMPARE(text("lblName"), QString("Acme Farms"));
    QCOMPARE(text("lblNumber"), QString("555-1234"));
    QCOMPARE(text("lblStatus"), QString("Ready to Dial......"));
    QCOMPARE(shown("cmdNewDial"), true);
    QCOMPARE(shown("cmdCancel"), false);
    QCOMPARE(shown("fraSpeedDial"), false);
    QCOMPARE(shown("fraHelp"), false);
    QCOMPARE(child<QPushButton>("cmdSpeedDialer_2")->isEnabled(), false);
    QCOMPARE(captions(), (QStringList{"Mom", "Vet", "Bob", "", "", "", "", "", "", ""}));
    // The port the telephone settings name is opened when the window shows.
    QCOMPARE(m_telephone->modemLine().isOpen(), true);
    QCOMPARE(m_telephone->modemLine().port(), ModemPort);
    // Enter dials straight away.
    QApplication::setActiveWindow(&dialer());
    QCOMPARE(dialer().focusWidget(), child<QWidget>("cmdNewDial"));
}

// Calling ------------------------------------------------------------------------

void TestFrmDialer::dialSendsTheNumberAndWaitsForOk_data()
{
    QTest::addColumn<bool>("prefix");
    QTest::addColumn<QList<QByteArray>>("answer");
    QTest::addColumn<QByteArray>("command");

    QTest::newRow("OK at once") << false << QList<QByteArray>{"\r\nOK\r\n"} << Dial5551234;
    QTest::newRow("O then K CR LF") << false << QList<QByteArray>{"O", "K\r\n"} << Dial5551234;
    // Two characters and more in the first piece: read on its own before the rest.
    QTest::newRow("CR LF O then K CR LF")
        << false << QList<QByteArray>{"\r\nO", "K\r\n"} << Dial5551234;
    QTest::newRow("echo then OK") << false << QList<QByteArray>{"ATDT555-1234;\r", "\r\nO", "K\r\n"}
                                  << Dial5551234;
    QTest::newRow("long distance")
        << true << QList<QByteArray>{"\r\nOK\r\n"} << QByteArray("ATDT1-555-1234;\r");
}

void TestFrmDialer::dialSendsTheNumberAndWaitsForOk()
{
    QFETCH(bool, prefix);
    QFETCH(QList<QByteArray>, answer);
    QFETCH(QByteArray, command);

    FakeSerialDevice &modem = attachModem();
    open("Acme Farms", "555-1234");
    // Whatever the modem said before the dial does not count.
    modem.send("\r\nOK\r\n");
    QTest::qWait(30);
    if (prefix)
        click("ckDial1");

    click("cmdNewDial");

    QTRY_COMPARE(modem.received(), command);
    QCOMPARE(shown("cmdNewDial"), false);
    QCOMPARE(text("lblStatus"), "Dialing..... " + QString::fromLatin1(command.mid(4).chopped(2)));
    for (int i = 0; i + 1 < answer.size(); ++i) {
        modem.send(answer.at(i));
        QTest::qWait(40);
        QCOMPARE(shown("cmdCancel"), false);
    }
    modem.send(answer.last());

    QTRY_COMPARE(shown("cmdCancel"), true);
    QCOMPARE(text("lblStatus"), QString("Pickup Receiver - Then Click Hangup"));
    QCOMPARE(dialer().focusWidget(), child<QWidget>("cmdCancel"));
    QCOMPARE(modem.received(), command);
}

void TestFrmDialer::talkButtonHangsUpAndClosesThePort()
{
    FakeSerialDevice &modem = attachModem(FakeSerialDevice::Kind::Modem);
    open();
    click("cmdNewDial");
    QTRY_COMPARE(shown("cmdCancel"), true);

    // Enter presses the focused talk button.
    QTest::keyClick(child<QWidget>("cmdCancel"), Qt::Key_Return);

    QTRY_COMPARE(modem.received(), Dial5551234 + HangUp);
    QCOMPARE(m_telephone->modemLine().isOpen(), false);
    QCOMPARE(dialer().isVisible(), false);
    QCOMPARE(text("lblStatus"), QString("Ready to Dial......"));
}

void TestFrmDialer::cancelDuringTheWait_data()
{
    QTest::addColumn<bool>("escapeKey");

    QTest::newRow("D&isconnect/Cancel") << false;
    QTest::newRow("Escape") << true;
}

void TestFrmDialer::cancelDuringTheWait()
{
    QFETCH(bool, escapeKey);

    FakeSerialDevice &modem = attachModem();
    open();
    click("cmdNewDial");
    QTRY_COMPARE(modem.received(), Dial5551234);
    modem.send("\r\nO");
    QTest::qWait(30);

    if (escapeKey)
        QTest::keyClick(&dialer(), Qt::Key_Escape);
    else
        click("cmdHangup");

    QTRY_COMPARE(modem.received(), Dial5551234 + HangUp);
    QCOMPARE(m_telephone->modemLine().isOpen(), false);
    QCOMPARE(dialer().isVisible(), false);
    // The modem's late answer finds nobody waiting.
    modem.send("K\r\n");
    QTest::qWait(40);
    QCOMPARE(child<QWidget>("cmdCancel")->isHidden(), true);
    QCOMPARE(modem.received(), Dial5551234 + HangUp);
}

void TestFrmDialer::dialCustomerReturnsWhenTheWindowCloses()
{
    FakeSerialDevice &modem = attachModem();
    QStringList seen;
    QTimer::singleShot(0, this, [&] {
        seen << text("lblName") + " " + text("lblNumber");
        seen << (QApplication::activeModalWidget() == m_dialer.get() ? "modal" : "not modal");
        click("cmdNewDial");
    });
    // Plays the modem and the operator while the window runs its own event loop.
    QTimer operatorAndModem;
    bool answered = false;
    connect(&operatorAndModem, &QTimer::timeout, this, [&] {
        if (!answered && modem.received() == Dial5551234) {
            modem.send("\r\nOK\r\n");
            answered = true;
        } else if (answered && shown("cmdCancel")) {
            operatorAndModem.stop();
            seen << text("lblStatus");
            click("cmdCancel");
        }
    });
    operatorAndModem.start(10);

    dialer().DialCustomer("Jane Doe", "555-1234");

    QCOMPARE(seen,
             (QStringList{"Jane Doe 555-1234", "modal", "Pickup Receiver - Then Click Hangup"}));
    QTRY_COMPARE(modem.received(), Dial5551234 + HangUp);
    QCOMPARE(dialer().isVisible(), false);
}

void TestFrmDialer::closeBoxEndsTheProgramAndTheWait()
{
    FakeSerialDevice &modem = attachModem();
    QSignalSpy closeRequested(&dialer(), &Screen::closeRequested);
    bool stillShownAfterCloseBox = false;
    QTimer::singleShot(0, this, [&] { click("cmdNewDial"); });
    QTimer::singleShot(60, this, [&] {
        m_dialer->close();
        stillShownAfterCloseBox = m_dialer->isVisible();
        // What the program does when asked to end: it closes its screens.
        m_dialer->closeByProgram();
    });

    dialer().DialCustomer("Jane Doe", "555-1234");

    QCOMPARE(closeRequested.count(), 1);
    QCOMPARE(stillShownAfterCloseBox, true);
    QCOMPARE(dialer().isVisible(), false);
    // The modem lets go of the line when the program ends mid-call.
    QTRY_COMPARE(modem.received(), Dial5551234 + HangUp);
    QCOMPARE(m_telephone->modemLine().isOpen(), false);
    modem.send("\r\nOK\r\n");
    QTest::qWait(40);
    QCOMPARE(child<QWidget>("cmdCancel")->isHidden(), true);
}

void TestFrmDialer::prefixToggle_data()
{
    QTest::addColumn<QString>("number");
    // "tick" clicks the box, "slot 0" the first speed-dial button (number 555-0100).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shown");

    QTest::newRow("tick") << "555-1234" << QStringList{"tick"} << "1-555-1234";
    QTest::newRow("tick, untick, tick")
        << "555-1234" << QStringList{"tick", "tick", "tick"} << "1-555-1234";
    QTest::newRow("tick, untick") << "555-1234" << QStringList{"tick", "tick"} << "555-1234";
    QTest::newRow("untick a number without prefix")
        << "555-1234" << QStringList{"tick", "slot 0", "tick"} << "555-0100";
    QTest::newRow("untick keeps the rest of a long-distance number")
        << "1-800-555-0000" << QStringList{"tick", "tick"} << "1-800-555-0000";
}

void TestFrmDialer::prefixToggle()
{
    QFETCH(QString, number);
    QFETCH(QStringList, steps);
    QFETCH(QString, shown);

    attachModem();
    writeSpeedNumbers(pairs({{"Mom", "555-0100"}}));
    open("Acme Farms", number);
    for (const QString &step : steps)
        click(step == "tick" ? QString("ckDial1") : QString("cmdDialer_0"));

    QCOMPARE(text("lblNumber"), shown);
}

// Speed dial ---------------------------------------------------------------------

void TestFrmDialer::freeSlotOpensTheEntryFrame()
{
    attachModem();
    writeSpeedNumbers(pairs({{"Mom", "555-0100"}}));
    open();

    click("cmdDialer_4");

    QCOMPARE(shown("fraSpeedDial"), true);
    QCOMPARE(dialer().focusWidget(), child<QWidget>("txtDialer_0"));
    QCOMPARE(child<QPushButton>("cmdSpeedDialer_2")->isEnabled(), false);
    // The person to call stays.
    QCOMPARE(text("lblName"), QString("Acme Farms"));
}

void TestFrmDialer::saveAndCancelInTheEntryFrame()
{
    attachModem();
    writeSpeedNumbers(pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}}));
    open();

    click("cmdDialer_5");
    QTest::keyClicks(child<QWidget>("txtDialer_0"), "Plumber");
    QTest::keyClick(child<QWidget>("txtDialer_0"), Qt::Key_Return);
    QTest::keyClicks(child<QWidget>("txtDialer_1"), "555-7777");
    QTest::keyClick(child<QWidget>("txtDialer_1"), Qt::Key_Return);

    QCOMPARE(speedNumbersFile(),
             pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}, {"Plumber", "555-7777"}}));
    QCOMPARE(captions().at(5), QString("Plumber"));
    QCOMPARE(shown("fraSpeedDial"), false);
    QCOMPARE(child<QLineEdit>("txtDialer_0")->text(), QString());
    QCOMPARE(child<QLineEdit>("txtDialer_1")->text(), QString());

    click("cmdDialer_6");
    QTest::keyClicks(child<QWidget>("txtDialer_0"), "Nobody");
    click("cmdSpeedDialer_1");

    QCOMPARE(shown("fraSpeedDial"), false);
    QCOMPARE(child<QLineEdit>("txtDialer_0")->text(), QString());
    QCOMPARE(captions().at(6), QString());
    QCOMPARE(speedNumbersFile(),
             pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}, {"Plumber", "555-7777"}}));

    // Shown again, the new entry has closed up behind the others.
    click("cmdHangup");
    open();
    QCOMPARE(captions(), (QStringList{"Mom", "Vet", "Plumber", "", "", "", "", "", "", ""}));
}

void TestFrmDialer::loadCurrentPlayerStoresTheShownPerson()
{
    attachModem();
    open("Acme Farms", "555-1234");
    click("ckDial1");

    click("cmdDialer_7");
    click("cmdSpeedDialer_4");

    QCOMPARE(speedNumbersFile(), pairs({{"Acme Farms", "1-555-1234"}}));
    QCOMPARE(captions().at(7), QString("Acme Farms"));
    QCOMPARE(shown("fraSpeedDial"), false);
}

void TestFrmDialer::usedSlotShowsItsPersonAndIsDialed()
{
    FakeSerialDevice &modem = attachModem();
    writeSpeedNumbers(pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}}));
    open("Acme Farms", "555-1234");

    click("cmdDialer_0");
    QCOMPARE(text("lblName"), QString("Mom"));
    QCOMPARE(text("lblNumber"), QString("555-0100"));
    QCOMPARE(child<QPushButton>("cmdSpeedDialer_2")->isEnabled(), true);
    QCOMPARE(shown("fraSpeedDial"), false);

    click("cmdDialer_1");
    click("cmdNewDial");
    QTRY_COMPARE(modem.received(), QByteArray("ATDT555-0199;\r"));
}

void TestFrmDialer::restoreBringsBackWhoWasShownBeforeTheLastButton_data()
{
    // "tick" clicks the prefix box, "slot n" speed-dial button n (0 Mom, 1 Vet, 5 free).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");

    QTest::newRow("no button pressed") << QStringList() << "Acme Farms"
                                       << "555-1234";
    QTest::newRow("one used slot") << QStringList{"slot 0"} << "Acme Farms"
                                   << "555-1234";
    QTest::newRow("two used slots") << QStringList{"slot 0", "slot 1"} << "Mom"
                                    << "555-0100";
    QTest::newRow("same slot twice") << QStringList{"slot 1", "slot 1"} << "Vet"
                                     << "555-0199";
    QTest::newRow("free slot after a used one") << QStringList{"slot 0", "slot 5"} << "Mom"
                                                << "555-0100";
    QTest::newRow("prefix ticked before the button")
        << QStringList{"tick", "slot 0"} << "Acme Farms"
        << "1-555-1234";
}

void TestFrmDialer::restoreBringsBackWhoWasShownBeforeTheLastButton()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, name);
    QFETCH(QString, number);

    attachModem();
    writeSpeedNumbers(pairs({{"Mom", "555-0100"}, {"Vet", "555-0199"}}));
    open("Acme Farms", "555-1234");
    for (const QString &step : steps)
        click(step == "tick" ? QString("ckDial1") : "cmdDialer_" + step.mid(5));

    click("cmdSpeedDialer_3");

    QCOMPARE(text("lblName"), name);
    QCOMPARE(text("lblNumber"), number);
}

void TestFrmDialer::deleteAsksAndMovesLaterSlotsUp_data()
{
    QTest::addColumn<bool>("yes");

    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestFrmDialer::deleteAsksAndMovesLaterSlotsUp()
{
    QFETCH(bool, yes);

    attachModem();
    const QByteArray five = pairs({{"Ann", "555-0000"},
                                   {"Ben", "555-0001"},
                                   {"Cal", "555-0002"},
                                   {"Dee", "555-0003"},
                                   {"Eve", "555-0004"}});
    writeSpeedNumbers(five);
    open();

    click("cmdDialer_2");
    m_prompts.answerNext(yes);
    click("cmdSpeedDialer_2");

    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).kind, QString("ask"));
    QCOMPARE(m_prompts.shown.at(0).text,
             QString("This will delete SpeedDial entry  Cal\r\nAre you Sure"));
    QCOMPARE(m_prompts.shown.at(0).title, QString("Delete Speed Dial"));
    QCOMPARE(child<QPushButton>("cmdSpeedDialer_2")->isEnabled(), false);
    const QStringList after =
        yes ? QStringList{"Ann", "Ben", "Dee", "Eve", "", "", "", "", "", ""}
            : QStringList{"Ann", "Ben", "Cal", "Dee", "Eve", "", "", "", "", ""};
    QCOMPARE(captions(), after);
    QCOMPARE(speedNumbersFile(), yes ? pairs({{"Ann", "555-0000"},
                                              {"Ben", "555-0001"},
                                              {"Dee", "555-0003"},
                                              {"Eve", "555-0004"}})
                                     : five);

    click("cmdHangup");
    open();
    QCOMPARE(captions(), after);
}

void TestFrmDialer::nameWithAmpersandShownAsWritten()
{
    attachModem();
    writeSpeedNumbers(pairs({{"Smith & Sons", "555-0100"}}));
    open();

    auto *first = child<QPushButton>("cmdDialer_0");
    // "&&" is how a button shows one "&" instead of a mnemonic.
    QCOMPARE(first->text(), QString("Smith && Sons"));
    click("cmdDialer_0");
    m_prompts.answerNext(false);
    click("cmdSpeedDialer_2");
    QCOMPARE(m_prompts.shown.at(0).text,
             QString("This will delete SpeedDial entry  Smith & Sons\r\nAre you Sure"));
    QCOMPARE(text("lblName"), QString("Smith & Sons"));
}

void TestFrmDialer::helpButtonToggles()
{
    attachModem();
    open();

    click("cmdHelp");
    QCOMPARE(shown("fraHelp"), true);
    QCOMPARE(child<QPushButton>("cmdHelp")->text(), QString("Hide Help"));
    click("cmdHelp");
    QCOMPARE(shown("fraHelp"), false);
    QCOMPARE(child<QPushButton>("cmdHelp")->text(), QString("Show Help"));

    // A new call starts with the help hidden and the prefix off.
    click("cmdHelp");
    click("ckDial1");
    click("cmdHangup");
    open("Acme Farms", "555-1234");
    QCOMPARE(shown("fraHelp"), false);
    QCOMPARE(child<QCheckBox>("ckDial1")->isChecked(), false);
    QCOMPARE(text("lblNumber"), QString("555-1234"));
}

QTEST_MAIN(TestFrmDialer)
#include "tst_frmdialer.moc"
