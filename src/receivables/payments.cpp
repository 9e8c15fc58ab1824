#include "receivables/payments.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/names.h"
#include "core/regional.h"
#include "core/rollbackjournal.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"
#include "posting/ledgerwriter.h"
#include "posting/postedrecords.h"
#include "receivables/ledger.h"

namespace receivables {

namespace {

using posting::LedgerEntry;

std::optional<CustomerRecord> customerOf(const DataFolder &data, const QString &account)
{
    std::optional<CustomerRecord> found;
    const QString wanted = account.trimmed();
    customers::ForEachCustomer(data, [&](const CustomerRecord &customer) {
        if (!found && customer.account.trimmed() == wanted)
            found = customer;
    });
    return found;
}

} // namespace

Payments::Payments(DataFolder &data, const Clock &clock) : m_data(data), m_clock(clock)
{
}

QString Payments::RecordDescription(const PaymentEntry &entry)
{
    const QString reference = entry.reference.trimmed();
    if (reference.isEmpty())
        return entry.form;
    return entry.form.trimmed() + QStringLiteral(" for Invoice ") + reference;
}

PaymentCheck Payments::Check(const PaymentEntry &entry) const
{
    PaymentCheck check;
    const auto refuse = [&check](QString why) {
        check.refusal = std::move(why);
        return check;
    };
    const QString account = entry.account.trimmed();
    if (account.isEmpty() || !customerOf(m_data, account))
        return refuse(QStringLiteral("Choose the Account from the Customer file"));
    if (posting::LedgerFile(account).isEmpty())
        return refuse(names::unsafeNameMessage(QStringLiteral("Account Number"), entry.account));
    if (!entry.date.isValid())
        return refuse(QStringLiteral("Enter the Date the Payment was Received"));
    if (entry.date > m_clock.today())
        return refuse(QStringLiteral("The Payment Date cannot be after Today"));

    if (entry.amount.trimmed().isEmpty())
        return refuse(QStringLiteral("Enter the Amount Received"));
    const std::optional<Money> amount = regional::parseMoney(entry.amount);
    if (!amount)
        return refuse(QStringLiteral("The Amount Received \"%1\" is not an Amount").arg(entry.amount));
    if (*amount <= Money())
        return refuse(QStringLiteral("The Amount Received must be more than %1")
                          .arg(regional::zeroCurrency()));
    if (!LedgerEntry::amountText(*amount))
        return refuse(QStringLiteral("The Amount Received %1 is too large for the Account file")
                          .arg(regional::currencyText(*amount)));
    check.amount = *amount;

    if (entry.form.trimmed().isEmpty())
        return refuse(QStringLiteral("Choose how the Payment was made"));
    if (RecordDescription(entry).size() > LedgerEntry::DescriptionWidth)
        return refuse(QStringLiteral("The Payment form and Invoice Number are longer than %1 characters")
                          .arg(LedgerEntry::DescriptionWidth));

    const Ledger ledger = LedgerReader(m_data).Read(account);
    if (!ledger.takesEntries()) {
        return refuse(QStringLiteral("The Account file %1 cannot be read whole, so no Payment "
                                     "is entered on it:\n%2")
                          .arg(ledger.file, ledger.problems.value(0).text()));
    }
    const QString reference = entry.reference.trimmed();
    if (!reference.isEmpty()) {
        const bool onLedger = std::any_of(ledger.lines.cbegin(), ledger.lines.cend(), [&](const LedgerLine &line) {
            return line.kind == LedgerLine::Kind::Invoice && line.description == reference;
        });
        if (!onLedger)
            return refuse(QStringLiteral("Invoice %1 is not on Account %2").arg(reference, account));
    }
    check.balance = ledger.balance();
    return check;
}

std::optional<QString> Payments::Record(const PaymentEntry &entry)
{
    const PaymentCheck check = Check(entry);
    if (check.refusal)
        return check.refusal;
    const std::optional<CustomerRecord> customer = customerOf(m_data, entry.account);
    const QString amount = LedgerEntry::amountText(check.amount).value_or(QString());
    // The account as the customer file holds it goes in both fields, as posting does
    // with the account handed to the invoice.
    posting::PaymentWrite payment{customer->account, customer->account, amount,
                                  customer->name.trimmed(), amount, RecordDescription(entry),
                                  entry.date};
    const QString failed = QStringLiteral("The Payment could not be written to %1")
                               .arg(posting::LedgerFile(customer->account));
    // The entry, its backup and the payment record go in together or not at all.
    RollbackJournal journal(m_data, RollbackJournal::Kind::Payment, customer->account.trimmed());
    if (!posting::LedgerWriter::NoteWrites(journal, customer->account, true) || !journal.begin())
        return failed;
    if (!posting::LedgerWriter(m_data, m_clock).WritePayment(payment)) {
        journal.rollback();
        return failed;
    }
    if (!journal.commit())
        return failed;
    return std::nullopt;
}

QString OverpaymentQuestion(const PaymentCheck &check)
{
    return QStringLiteral("The Payment of %1 is more than the Balance of %2.\n"
                          "Record it and leave a Credit on the Account?")
        .arg(regional::currencyText(check.amount), regional::currencyText(check.balance));
}

} // namespace receivables
