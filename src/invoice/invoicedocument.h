#pragma once

#include <QString>

// The invoice being built, shared by the screens that fill it: the customer
// screens hand over the sold-to customer here.
struct InvoiceDocument
{
    QString Customer;
    QString Street;
    QString Address2;
    QString Address3;
    QString State;
    QString Address4;
    QString Tel;
    QString AcctNo;
};
