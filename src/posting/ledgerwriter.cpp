#include "posting/ledgerwriter.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "core/regional.h"
#include "core/rollbackjournal.h"
#include "posting/postedrecords.h"

namespace posting {

namespace {

const QString AccountsFolder = QStringLiteral("/PIActiveAccounts");

QString dateText(const QDate &date)
{
    return date.isValid() ? regional::shortDate(date) : QString();
}

} // namespace

LedgerWriter::LedgerWriter(DataFolder &data, const Clock &clock) : m_data(data), m_clock(clock)
{
}

bool LedgerWriter::CreateAccountFile(const QString &account, const QString &customerText)
{
    const QString file = LedgerFile(account);
    if (file.isEmpty() || !m_data.EnsureFolder(AccountsFolder))
        return false;
    const LedgerEntry opening{customerText, account, dateText(m_clock.today()), PreviousBalance,
                              regional::currencyText(Money())};
    FixedRecordFile ledger(m_data.path(file), LedgerEntry::Length);
    return ledger.open() && ledger.write(1, opening.toRecord());
}

bool LedgerWriter::AddAccountEntry(const QString &account, const QString &customerText,
                                   const QString &amount, const QString &description,
                                   const QDate &date)
{
    const QString file = LedgerFile(account);
    if (file.isEmpty())
        return false;
    if (!m_data.FileIsPresent(file) && !CreateAccountFile(account, customerText))
        return false;
    const LedgerEntry entry{customerText, account, dateText(date), description, amount};
    return m_data.AppendRecord(file, entry.toRecord());
}

bool LedgerWriter::BackupAccountFile(const QString &account)
{
    const QString file = LedgerFile(account);
    if (file.isEmpty() || !m_data.EnsureFolder(DataFolder::backupOf(AccountsFolder)))
        return false;
    return m_data.CopyDataFile(file, DataFolder::backupOf(file));
}

bool LedgerWriter::AddPaymentRecord(const QString &account, const QString &customerText,
                                    const QString &amount, const QString &description,
                                    const QDate &date)
{
    const PaymentRecord record{customerText, account, dateText(date), description, amount};
    return m_data.AppendRecord(PaymentRecordsFile, record.toRecord());
}

bool LedgerWriter::WritePayment(const PaymentWrite &payment)
{
    return AddAccountEntry(payment.account, payment.customerText, payment.paidAmount,
                           PaymentReceived, payment.date) &&
           BackupAccountFile(payment.account) &&
           AddPaymentRecord(payment.account, payment.payerName, payment.recordAmount,
                            payment.form, payment.date);
}

bool LedgerWriter::NoteWrites(RollbackJournal &journal, const QString &account, bool payment)
{
    return journal.noteAppend(LedgerFile(account)) && journal.noteReplace(LedgerBackupFile(account)) &&
           (!payment || journal.noteAppend(PaymentRecordsFile));
}

} // namespace posting
