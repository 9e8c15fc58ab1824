#pragma once

#include <QDate>
#include <QString>

class Clock;
class DataFolder;
class RollbackJournal;

namespace posting {

// A payment as it is entered: the "Payment Received" entry of the account file and
// the record of "/CAPaymentRecords.txt".
struct PaymentWrite
{
    QString account;      // as it goes into the account field, blanks and all
    QString customerText; // the ledger entry's customer text
    QString paidAmount;   // currency text of the ledger entry
    QString payerName;    // the payment record's customer text
    QString recordAmount; // currency text of the payment record
    QString form;         // the payment record's description
    QDate date;
};

// Appends to the receivable account files and the payment records, and keeps the
// "/Backup" copy of an account file equal to it after every entry.
class LedgerWriter final
{
public:
    LedgerWriter(DataFolder &data, const Clock &clock);

    bool AddAccountEntry(const QString &account, const QString &customerText,
                         const QString &amount, const QString &description, const QDate &date);
    bool CreateAccountFile(const QString &account, const QString &customerText);
    bool BackupAccountFile(const QString &account);
    bool AddPaymentRecord(const QString &account, const QString &customerText,
                          const QString &amount, const QString &description, const QDate &date);

    // The payment write: the ledger entry, its backup copy, then the payment record.
    // Every payment, pre-paid at the sale or received later, goes through here.
    bool WritePayment(const PaymentWrite &payment);

    // Records in the journal the files an entry on the account changes (the account
    // file and its backup copy), and the payment records when a payment is written.
    static bool NoteWrites(RollbackJournal &journal, const QString &account, bool payment);

private:
    DataFolder &m_data;
    const Clock &m_clock;
};

} // namespace posting
