#pragma once

#include "dialer/serialline.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class DataFolder;
struct ApplicationState;

namespace dialer {

inline const QString PhoneFileName = QStringLiteral("/Phone.txt");

// The stored values of "/Phone.txt": line 1 the phone flag, line 2 the modem port.
struct PhoneFile
{
    bool phoneEnabled = false;
    // nullopt when the line is missing or not a number.
    std::optional<qint64> modemPort;
};

QByteArray EncodePhoneFile(bool phoneEnabled, int modemPort);
PhoneFile DecodePhoneFile(const QByteArray &bytes);
QByteArray EncodeCallerIdFile(bool callerIdEnabled);
// nullopt when the file holds no boolean.
std::optional<bool> DecodeCallerIdFile(const QByteArray &bytes);

// The telephone settings and the modem: finds the modem, loads and saves "/Phone.txt"
// and "/CallID.txt" into the shared state, and keeps the modem's line open for the
// dialer. Serial errors never stop the program; nothing here shows a message.
class Telephone final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Telephone)
public:
    Telephone(DataFolder &data, ApplicationState &state, SerialLineFactory lines,
              QObject *parent = nullptr);
    ~Telephone() override;

    // DetectModem, then "/Phone.txt", then LoadCallerIdSetting. Afterwards the state
    // holds what the screens show: phoneEnabled (the phone box), modemPort (the port
    // box), callerIdEnabled (the caller ID box and its note), modemFound (the
    // telephone tab and the customer screen's dial picture).
    void LoadPhoneSettings();
    // Probes the ports while the event loop keeps running (at most the probe's
    // deadline when a port opens and stays silent), then switches caller
    // identification on at the modem's port, which stays open.
    void DetectModem();
    void DisablePhoneFeatures();
    void LoadCallerIdSetting();
    // From the setup screen's "phone" and "Using Caller ID" boxes. False when a file
    // could not be written.
    bool SavePhoneSettings(bool phoneTicked, bool usingCallerId);
    // The operator's choices on the setup screen, before they are saved.
    void SetPhoneEnabled(bool enabled);
    void SetCallerIdEnabled(bool enabled);
    bool SaveCallerIdSetting(bool usingCallerId);

    // The dialer's status text from the last DetectModem: "Your Modem Comm Port Is 3."
    // or "Modem Not Detected Or In Use.".
    const QString &modemStatus() const { return m_modemStatus; }
    // The dialer's port caption from the last DetectModem: "COM Port # 3".
    const QString &portCaption() const { return m_portCaption; }
    // The line to the modem: open on the modem's port after a successful
    // DetectModem, otherwise a closed line the dialer opens itself.
    SerialLine &modemLine();

signals:
    // No modem answered (phoneEnabled is now false, callerIdEnabled true): the setup
    // screen unticks the phone box, ticks "Using Caller ID" and disables the telephone
    // tab; the customer screen hides its dial picture.
    void phoneFeaturesDisabled();

private:
    DataFolder &m_data;
    ApplicationState &m_state;
    SerialLineFactory m_lines;
    std::unique_ptr<SerialLine> m_line;
    QString m_modemStatus;
    QString m_portCaption;
};

} // namespace dialer
