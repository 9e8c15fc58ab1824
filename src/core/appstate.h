#pragma once

#include <QString>
#include <QStringList>

// State several screens read while the program runs; owned by the program object.
struct ApplicationState
{
    // The nine values of the business profile.
    QStringList businessProfile = QStringList(9);
    // True while the invoice screen holds a partial invoice recalled from the list.
    bool resumedPartial = false;
    // The invoice's customer was taken from a proposal of the proposal program.
    bool FromProposal = false;
    bool phoneEnabled = false;
    bool callerIdEnabled = false;
    int modemPort = 0;
    // A modem answered the probe: the telephone tab and the dial picture are offered.
    bool modemFound = false;
};
