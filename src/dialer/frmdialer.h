#pragma once

#include "ui/screen.h"

#include <QMap>
#include <QString>

#include <memory>

class DataFolder;
class Prompts;
class QCheckBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ApplicationState;

namespace dialer {
class ModemDialer;
class SpeedDial;
class Telephone;
} // namespace dialer

// The dialer: calls a customer through the modem, the operator then picks up the
// telephone chained behind it and the modem lets go of the line. Ten speed-dial
// buttons keep names and numbers of their own. Shown modally by the customer screen;
// hanging up closes it, and its close box ends the program.
class frmDialer final : public Screen
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmDialer)
public:
    frmDialer(dialer::Telephone &telephone, ApplicationState &state, DataFolder &data,
              Prompts &prompts, QWidget *parent = nullptr);
    ~frmDialer() override;

    // Shows the window modally for the customer's name and number and returns when
    // it closes (hang-up, or the program ending).
    void DialCustomer(const QString &name, const QString &number);
    // As DialCustomer, without waiting for the window to close.
    void openFor(const QString &name, const QString &number);

    void Form_Activate() override;
    void cmdNewDial_Click();
    void cmdCancel_Click();
    void cmdHangup_Click();
    void ckDial1_Click();
    void cmdDialer_Click(int index);
    void cmdSpeedDialer_Click(int index);
    void cmdHelp_Click();

    static constexpr int SpeedButtons = 10;
    static constexpr int SpeedDialerButtons = 5;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    QWidget *buildCallPanel();
    QWidget *buildSpeedDialPanel();
    QWidget *buildModemPanel();
    QGroupBox *buildHelpFrame();

    // What a fresh window shows before its activation.
    void Form_Load();
    // Step one of the activation, also the talk button's reset.
    void resetCall();
    void answered();
    void showCaptions();
    void showHelp(bool show);
    void SaveSpeedDial();
    void endCall();

    dialer::Telephone &m_telephone;
    ApplicationState &m_state;
    DataFolder &m_data;
    Prompts &m_prompts;
    std::unique_ptr<dialer::SpeedDial> m_speedDial;
    std::unique_ptr<dialer::ModemDialer> m_modem;
    // Set from the dial until the modem is told to hang up.
    bool m_callOpen = false;
    QEventLoop *m_modalLoop = nullptr;
    int m_heightWithoutHelp = 0;

    QLabel *lblName = nullptr;
    QLabel *lblNumber = nullptr;
    QLabel *lblStatus = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *cmdNewDial = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHangup = nullptr;
    QCheckBox *ckDial1 = nullptr;
    QPushButton *cmdDialer[SpeedButtons] = {};
    QGroupBox *fraSpeedDial = nullptr;
    QLineEdit *txtDialer[2] = {};
    QLabel *lblSpeedDial = nullptr;
    QPushButton *cmdSpeedDialer[SpeedDialerButtons] = {};
    QPushButton *cmdHelp = nullptr;
    QGroupBox *fraHelp = nullptr;
    // The picture "Pick up the Receiver!" and its caption.
    QWidget *imgReceiver = nullptr;
    QMap<int, QLabel *> Label2;
};
