#include "setup/setuptelephone.h"

#include "dialer/telephone.h"

void DialerSetupTelephone::LoadPhoneSettings()
{
    m_telephone.LoadPhoneSettings();
}

bool DialerSetupTelephone::SavePhoneSettings(bool phoneTicked, bool usingCallerId)
{
    return m_telephone.SavePhoneSettings(phoneTicked, usingCallerId);
}

void DialerSetupTelephone::SetPhoneEnabled(bool enabled)
{
    m_telephone.SetPhoneEnabled(enabled);
}

void DialerSetupTelephone::SetCallerIdEnabled(bool enabled)
{
    m_telephone.SetCallerIdEnabled(enabled);
}
