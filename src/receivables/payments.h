#pragma once

#include "core/money.h"

#include <QDate>
#include <QString>

#include <optional>

class Clock;
class DataFolder;

namespace receivables {

// A payment received after the sale, as the operator entered it.
struct PaymentEntry
{
    QString account;
    QDate date;
    QString amount; // as the amount box shows it
    QString form;   // "Check # 1043", "Cash", ...
    QString reference; // the invoice number it pays; may be empty
};

struct PaymentCheck
{
    // Why the payment cannot be recorded; nothing is written then.
    std::optional<QString> refusal;
    Money amount;
    Money balance;
    // More than the balance: recorded only after the operator agrees (a credit).
    bool overpays() const { return amount > balance; }
};

// Records payments received later on the customer's account file, exactly as a
// payment taken with a pre-paid invoice is entered.
class Payments final
{
public:
    Payments(DataFolder &data, const Clock &clock);

    PaymentCheck Check(const PaymentEntry &entry) const;
    // Checks again and writes the entry, its backup and the payment record; the reason
    // when it did not.
    std::optional<QString> Record(const PaymentEntry &entry);

    // The payment record's description: the form, then the invoice it pays.
    static QString RecordDescription(const PaymentEntry &entry);

private:
    DataFolder &m_data;
    const Clock &m_clock;
};

// "The Payment of $300.00 is more than the Balance of $250.00 ..." question.
QString OverpaymentQuestion(const PaymentCheck &check);
inline const QString PaymentTitle = QStringLiteral("Payment Received");

} // namespace receivables
