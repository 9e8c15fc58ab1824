#include "dialer/telephone.h"

#include "core/appstate.h"
#include "core/datafolder.h"
#include "core/textrecord.h"
#include "dialer/modemprobe.h"

#include <QEventLoop>

namespace dialer {

namespace {

const QString CallerIdFileName = QStringLiteral("/CallID.txt");
const QByteArray CallerIdOn = QByteArrayLiteral("AT#CID=1\r");

bool isPortNumber(qint64 port)
{
    return port >= FirstSerialPort && port <= LastSerialPort;
}

} // namespace

QByteArray EncodePhoneFile(bool phoneEnabled, int modemPort)
{
    TextRecordWriter writer;
    writer.boolean(phoneEnabled).endRecord().number(modemPort).endRecord();
    return writer.bytes();
}

PhoneFile DecodePhoneFile(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    PhoneFile file;
    file.phoneEnabled = reader.boolean().value_or(false);
    file.modemPort = reader.number();
    return file;
}

QByteArray EncodeCallerIdFile(bool callerIdEnabled)
{
    TextRecordWriter writer;
    writer.boolean(callerIdEnabled).endRecord();
    return writer.bytes();
}

std::optional<bool> DecodeCallerIdFile(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    return reader.boolean();
}

Telephone::Telephone(DataFolder &data, ApplicationState &state, SerialLineFactory lines,
                     QObject *parent)
    : QObject(parent), m_data(data), m_state(state), m_lines(std::move(lines))
{
}

Telephone::~Telephone() = default;

void Telephone::LoadPhoneSettings()
{
    DetectModem();
    if (m_data.FileIsPresent(PhoneFileName)) {
        const PhoneFile file = DecodePhoneFile(m_data.ReadFile(PhoneFileName));
        m_state.phoneEnabled = file.phoneEnabled;
        // A run that never found a modem stores port 0; only a real port number may
        // replace the one just detected.
        if (file.modemPort && isPortNumber(*file.modemPort))
            m_state.modemPort = int(*file.modemPort);
    } else {
        m_state.phoneEnabled = false;
    }
    LoadCallerIdSetting();
}

void Telephone::DetectModem()
{
    // Our own open line would make its port look busy to the probe.
    if (m_line)
        m_line->close();

    ModemProbe probe(m_lines);
    QEventLoop wait;
    connect(&probe, &ModemProbe::finished, &wait, &QEventLoop::quit);
    probe.start();
    if (probe.isRunning())
        wait.exec(QEventLoop::ExcludeUserInputEvents);

    if (probe.port() == 0) {
        m_modemStatus = QStringLiteral("Modem Not Detected Or In Use.");
        m_state.modemFound = false;
        DisablePhoneFeatures();
    } else {
        m_state.modemPort = probe.port();
        m_state.modemFound = true;
        m_modemStatus = QStringLiteral("Your Modem Comm Port Is ") + QString::number(probe.port()) +
                        QStringLiteral(".");
    }
    m_portCaption = QStringLiteral("COM Port # ") + QString::number(m_state.modemPort);

    // Only a port that answered as a modem is sent the caller ID command; writing to
    // whatever else sits on a stored port could upset another device.
    if (std::unique_ptr<SerialLine> line = probe.takeLine()) {
        m_line = std::move(line);
        m_line->discardInput();
        m_line->write(CallerIdOn);
    }
}

void Telephone::DisablePhoneFeatures()
{
    m_state.phoneEnabled = false;
    // The "Using Caller ID" box is ticked here; the state follows the box.
    m_state.callerIdEnabled = true;
    emit phoneFeaturesDisabled();
}

void Telephone::LoadCallerIdSetting()
{
    // The box is ticked unless the operator switched caller ID off and saved that.
    std::optional<bool> stored;
    if (m_data.FileIsPresent(CallerIdFileName))
        stored = DecodeCallerIdFile(m_data.ReadFile(CallerIdFileName));
    m_state.callerIdEnabled = stored.value_or(true);
}

bool Telephone::SavePhoneSettings(bool phoneTicked, bool usingCallerId)
{
    SetPhoneEnabled(phoneTicked);
    const bool phoneWritten =
        m_data.RewriteFile(PhoneFileName, EncodePhoneFile(m_state.phoneEnabled, m_state.modemPort));
    const bool callerIdWritten = SaveCallerIdSetting(usingCallerId);
    return phoneWritten && callerIdWritten;
}

void Telephone::SetPhoneEnabled(bool enabled)
{
    m_state.phoneEnabled = enabled;
}

void Telephone::SetCallerIdEnabled(bool enabled)
{
    m_state.callerIdEnabled = enabled;
}

bool Telephone::SaveCallerIdSetting(bool usingCallerId)
{
    SetCallerIdEnabled(usingCallerId);
    return m_data.RewriteFile(CallerIdFileName, EncodeCallerIdFile(m_state.callerIdEnabled));
}

SerialLine &Telephone::modemLine()
{
    if (!m_line)
        m_line = m_lines();
    return *m_line;
}

} // namespace dialer
