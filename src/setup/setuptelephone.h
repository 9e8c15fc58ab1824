#pragma once

namespace dialer {
class Telephone;
}

// The telephone settings as the setup screen needs them: loaded (with the modem
// probe) when the screen loads, saved when the operator leaves it. What they hold
// lives in the application state.
class SetupTelephone
{
public:
    virtual ~SetupTelephone() = default;
    // Probes the modem and reads "/Phone.txt" and "/CallID.txt" into the state.
    virtual void LoadPhoneSettings() = 0;
    // From the phone box and the "Using Caller ID" box; false when a file could not
    // be written.
    virtual bool SavePhoneSettings(bool phoneTicked, bool usingCallerId) = 0;
    // The boxes as ticked, before they are saved: the telephone settings alone
    // write what the state holds of them.
    virtual void SetPhoneEnabled(bool enabled) = 0;
    virtual void SetCallerIdEnabled(bool enabled) = 0;
};

// The dialer's telephone settings and modem.
class DialerSetupTelephone final : public SetupTelephone
{
public:
    explicit DialerSetupTelephone(dialer::Telephone &telephone) : m_telephone(telephone) {}
    void LoadPhoneSettings() override;
    bool SavePhoneSettings(bool phoneTicked, bool usingCallerId) override;
    void SetPhoneEnabled(bool enabled) override;
    void SetCallerIdEnabled(bool enabled) override;

private:
    dialer::Telephone &m_telephone;
};
