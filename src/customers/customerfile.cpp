#include "customers/customerfile.h"

#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/datatree.h"
#include "core/diskio.h"
#include "core/fixedrecord.h"
#include "core/linefile.h"
#include "core/names.h"
#include "core/prompts.h"
#include "core/rollbackjournal.h"
#include "core/textrecord.h"
#include "setup/settingsfiles.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <limits>

using customers::Criterion;

const QString CustomerFile::FileFullMessage =
    QStringLiteral("The Customer File holds 32,767 Customers, the most it can.\r\n"
                   "Delete a Customer before adding another.");

namespace {

constexpr int L = CustomerRecord::Length;
const QString FileFullTitle = QStringLiteral("Customer File Full");
const QString AccountNumberName = QStringLiteral("Account Number");

// File length / record length, rounded ties to even, as the record count is
// everywhere; a count past 32 bits cannot occur in a real file but must not wrap.
qint32 roundedCount(qint64 size)
{
    if (size <= 0)
        return 0;
    qint64 whole = size / L;
    const qint64 twiceRest = 2 * (size % L);
    if (twiceRest > L || (twiceRest == L && whole % 2 != 0))
        ++whole;
    return qint32(std::min<qint64>(whole, std::numeric_limits<qint32>::max()));
}

// The trimmed text of a field of record n, straight from the file's bytes.
QString fieldText(const QByteArray &bytes, qint32 n, int offset, int width)
{
    const QByteArrayView field = customers::FieldBytes(bytes, n, offset, width);
    return codepage::decode(field.data(), field.size());
}

FixedRecord recordAt(const QByteArray &bytes, qint32 n)
{
    return FixedRecord(L, bytes.mid(qint64(n - 1) * L, L));
}

struct FieldPlace
{
    int offset;
    int width;
};

FieldPlace searchedField(Criterion criterion)
{
    using R = CustomerRecord;
    switch (criterion) {
    case Criterion::BusinessName:
        return {R::NameOffset, R::NameWidth};
    case Criterion::Address1:
        return {R::Address1Offset, R::Address1Width};
    case Criterion::Address2:
        return {R::Address2Offset, R::Address2Width};
    case Criterion::City:
        return {R::Address3Offset, R::Address3Width};
    case Criterion::State:
        return {R::StateOffset, R::StateWidth};
    case Criterion::PostalCode:
        return {R::Address4Offset, R::Address4Width};
    case Criterion::Telephone:
        return {R::TelephoneOffset, R::TelephoneWidth};
    case Criterion::LastName:
        return {R::LastNameOffset, R::LastNameWidth};
    case Criterion::AccountNumber:
        return {R::AccountOffset, R::AccountWidth};
    }
    return {R::AccountOffset, 0};
}

// The lines of a multi-line box, whatever line ends it holds.
QStringList boxLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

QStringList sixOf(const QStringList &values)
{
    QStringList six = values.mid(0, customers::AuxBoxCount);
    while (six.size() < customers::AuxBoxCount)
        six.append(QString());
    return six;
}

bool writeWhole(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !diskio::write(file, bytes) || !diskio::commit(file)) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

namespace customers {

QString ReceivableFile(const QString &account)
{
    const QString trimmed = account.trimmed();
    if (!names::isSafeFileName(trimmed))
        return {};
    return QStringLiteral("/PIActiveAccounts/") + trimmed + QStringLiteral(".txt");
}

QString AuxDataFile(const QString &account, int box)
{
    const QStringList folders = AuxFolders(account);
    if (folders.isEmpty() || box < 0 || box >= AuxBoxCount)
        return {};
    return folders.at(box + 1) + QStringLiteral("/Data.txt");
}

InvoiceCustomer ForInvoice(const CustomerRecord &record, bool usaStyle)
{
    InvoiceCustomer out;
    out.Customer = record.isBusiness() ? record.name
                                       : QStringList{record.title, record.firstName,
                                                     record.middleInitial, record.lastName}
                                             .join(u' ');
    out.Street = record.address1;
    out.Address2 = record.address2;
    // In the USA style address 3 holds the city.
    out.Address3 = record.address3;
    out.State = usaStyle ? record.state : QString();
    out.Address4 = usaStyle ? record.postal : record.address4;
    out.Tel = record.telephone;
    out.AcctNo = record.account;
    return out;
}

std::optional<qint32> NavigationTarget(int index, qint32 current, qint32 count)
{
    if (count < 1)
        return std::nullopt;
    const qint32 quarter = count / 4;
    switch (index) {
    case 0:
        return 1;
    case 1:
        return std::max(current - 1, 1);
    case 2:
        return current >= count ? 1 : current + 1;
    case 3:
        return count;
    case 4:
        return count < 4 ? std::nullopt : std::optional<qint32>(quarter);
    case 5:
        return count < 4 ? std::nullopt : std::optional<qint32>(quarter * 3);
    case 6:
        return count < 4 ? std::nullopt : std::optional<qint32>(quarter * 2);
    default:
        return std::nullopt;
    }
}

bool MustRuleEmpties(const QString &text, const QString &placedPrompt)
{
    return !placedPrompt.isEmpty() && placedPrompt.contains(QStringLiteral("Must")) &&
           text == placedPrompt;
}

namespace {

// Each record in turn, read a block at a time, up to the count the file's size gives
// (a record cut short by the end of the file as far as it goes).
void forEachRecord(const DataFolder &data, const std::function<void(QByteArrayView)> &visit)
{
    const qint64 count = data.RecordCount(CustomerDataFile, L);
    if (count <= 0)
        return;
    data.ReadRecordBlocks(CustomerDataFile, L, [&](QByteArrayView block, qint64 n) {
        for (qsizetype at = 0; at < block.size() && n <= count; at += L, ++n)
            visit(block.sliced(at, std::min<qsizetype>(L, block.size() - at)));
        return n <= count;
    });
}

} // namespace

void ForEachAccount(const DataFolder &data, const std::function<void(const QString &)> &visit)
{
    forEachRecord(data, [&visit](QByteArrayView record) {
        const QByteArrayView account = FieldBytes(record, 1, CustomerRecord::AccountOffset,
                                                  CustomerRecord::AccountWidth);
        visit(codepage::decode(account.data(), account.size()));
    });
}

void ForEachCustomer(const DataFolder &data,
                     const std::function<void(const CustomerRecord &)> &visit, CustomerFields fields)
{
    forEachRecord(data, [&](QByteArrayView record) {
        const FixedRecord stored(L, record.toByteArray());
        visit(fields == CustomerFields::Names ? CustomerRecord::namesFromRecord(stored)
                                              : CustomerRecord::fromRecord(stored));
    });
}

QString EmailOf(const DataFolder &data, const QString &account)
{
    const QString wanted = account.trimmed();
    QString email;
    bool found = false;
    if (!wanted.isEmpty())
        ForEachCustomer(data, [&](const CustomerRecord &record) {
            if (!found && record.account.trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
                email = record.email.trimmed();
                found = true;
            }
        });
    return email;
}

} // namespace customers

using namespace customers;

CustomerFile::CustomerFile(DataFolder &data, Prompts &prompts, QObject *parent)
    : QObject(parent), m_data(data), m_prompts(prompts), m_headings(AuxBoxCount), m_aux(AuxBoxCount)
{
}

CustomerFile::~CustomerFile() = default;

QByteArray CustomerFile::readAll(qint32 &count) const
{
    QByteArray bytes = m_data.ReadFile(CustomerDataFile);
    count = roundedCount(bytes.size());
    return bytes;
}

void CustomerFile::clearRecord()
{
    const QString type =
        m_record.isBusiness() ? CustomerRecord::Business : CustomerRecord::Individual;
    m_record = CustomerRecord();
    // The type label stays as it was shown.
    m_record.type = type;
}

bool CustomerFile::Open()
{
    m_adding = false;
    m_count = 0;
    m_current = 0;
    if (m_data.FileIsPresent(CustomerDataFile))
        m_count = qint32(std::min<qint64>(m_data.RecordCount(CustomerDataFile, L),
                                          std::numeric_limits<qint32>::max()));
    RebuildLists();
    if (m_count < 1) {
        clearRecord();
        emit recordShown(0);
        return false;
    }
    ShowRecord(1);
    return true;
}

CustomerRecord CustomerFile::ReadCustomer(qint32 n) const
{
    if (n < 1 || !m_data.FileIsPresent(CustomerDataFile))
        return CustomerRecord::fromRecord(FixedRecord(L));
    FixedRecordFile file(m_data.path(CustomerDataFile), L);
    return CustomerRecord::fromRecord(file.read(n));
}

std::optional<QString> CustomerFile::WriteCustomer(qint32 n, const CustomerRecord &customer,
                                                   bool newCustomer)
{
    if (n < 1)
        return QStringLiteral("There is no Customer No %1").arg(n);
    m_data.FileIsPresent(CustomerDataFile);
    const qint64 stored = m_data.RecordCount(CustomerDataFile, L);
    if (n > stored && n > MaxCustomers)
        return FileFullMessage;
    const std::pair<QString, int> parallels[] = {{ContractFile, ContractLength},
                                                 {CycleFile, CycleLength}};
    // A customer added with its two parallel records goes in whole or not at all, so a
    // kill between the files cannot leave the files' records out of step.
    RollbackJournal journal(m_data, RollbackJournal::Kind::CustomerAdd, customer.account.trimmed());
    if (newCustomer) {
        const auto noteRecord = [&journal](const QString &name, qint64 count, qint32 number,
                                           int length) {
            return number > count ? journal.noteAppend(name)
                                  : journal.noteOverwrite(name, qint64(number - 1) * length, length);
        };
        bool noted = noteRecord(CustomerDataFile, stored, n, L);
        for (const auto &[name, length] : parallels) {
            m_data.FileIsPresent(name);
            noted = noted && noteRecord(name, m_data.RecordCount(name, length), n, length);
        }
        if (!noted || !journal.begin())
            return QStringLiteral("The Customer could not be saved:\r\n") +
                   QStringLiteral("The file \"%1\" could not be written.")
                       .arg(RollbackJournal::IntentFile.mid(1));
    }
    {
        FixedRecordFile file(m_data.path(CustomerDataFile), L);
        if (!file.open() || !file.write(n, customer.toRecord()))
            return QStringLiteral("The Customer could not be saved:\r\n") + file.errorString();
    }
    // The parallel files only need to reach record n to stay aligned. A record that is
    // already there belongs to the programs that fill these files; zeroing it at every
    // save (and the screen saves on every move) would wipe their data. A new customer's
    // record is zeroed, though: what is there was left by a deleted customer.
    for (const auto &[name, length] : parallels) {
        m_data.FileIsPresent(name);
        FixedRecordFile parallel(m_data.path(name), length);
        if (!parallel.open() ||
            ((newCustomer || parallel.count() < n) && !parallel.write(n, FixedRecord(length))))
            m_prompts.tell(QStringLiteral("The Customer was saved, but \"%1\" could not be "
                                          "written:\r\n%2")
                               .arg(name, parallel.errorString()));
    }
    if (newCustomer && !journal.commit())
        return QStringLiteral("The Customer could not be saved:\r\n") +
               QStringLiteral("The file \"%1\" could not be written.")
                   .arg(RollbackJournal::IntentFile.mid(1));
    return std::nullopt;
}

bool CustomerFile::IsDuplicateAccount(const QString &text) const
{
    const QString key = storedText(text, CustomerRecord::AccountWidth);
    if (key.isEmpty())
        return false;
    qint32 count = 0;
    const QByteArray bytes = readAll(count);
    for (qint32 n = 1; n <= count; ++n) {
        // Names differing only in case share one aux folder and one ledger.
        if (n != m_current &&
            fieldText(bytes, n, CustomerRecord::AccountOffset, CustomerRecord::AccountWidth)
                    .compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void CustomerFile::ShowRecord(qint32 n)
{
    if (n < 1 || n > storedCount())
        return;
    // Showing another record drops a customer that was being added and not saved.
    if (m_adding) {
        m_adding = false;
        --m_count;
    }
    m_current = n;
    m_record = ReadCustomer(n);
    LoadAuxData();
    emit recordShown(n);
}

bool CustomerFile::Navigate(int index)
{
    const auto target = NavigationTarget(index, m_current, storedCount());
    if (!target)
        return false;
    ShowRecord(*target);
    return true;
}

CustomerFile::SaveResult CustomerFile::SaveCustomer(const CustomerRecord &shown, bool quiet)
{
    // Quiet, a customer that fails a check is simply not saved.
    const auto say = [this, quiet](const QString &text, const QString &title = {}) {
        if (!quiet)
            m_prompts.tell(text, title);
    };
    if (m_current < 1)
        return {true, Box::None, false};
    CustomerRecord customer = shown;
    if (customer.isBusiness() && customer.name.trimmed().isEmpty()) {
        say(QStringLiteral("The Account Name Cannot be Blank"));
        return {false, Box::Name, false};
    }
    if (!customer.isBusiness() &&
        (customer.firstName.trimmed().isEmpty() || customer.lastName.trimmed().isEmpty())) {
        say(QStringLiteral("Enter Account Data or\r\n Click Cancel AddNew if Visible"));
        return {false, Box::FirstName, false};
    }
    // The account names the receivable file and the auxiliary folders, so it is
    // checked as it will be stored.
    QString account = storedText(customer.account, CustomerRecord::AccountWidth);
    if (account.isEmpty()) {
        const QString telephone = storedText(customer.telephone, CustomerRecord::TelephoneWidth);
        if (telephone.isEmpty()) {
            if (quiet)
                return {false, Box::Telephone, false};
            say(QStringLiteral("The Telephone Number cannot be blank"),
                QStringLiteral("No number"));
            if (m_prompts.askToDestroy(
                    QStringLiteral("Would you like to exit\r\nwithout creating a "
                                   "Customer?"),
                    QStringLiteral("No Customer")))
                return {false, Box::None, true};
            return {false, Box::Telephone, false};
        }
        if (!names::isSafeFileName(telephone)) {
            say(names::unsafeNameMessage(AccountNumberName, telephone));
            return {false, Box::Account, false};
        }
        say(QStringLiteral("Telephone Number will be used as Acct No."),
            QStringLiteral("Account not Entered"));
        account = telephone;
    } else if ((m_adding || account != storedText(m_record.account, CustomerRecord::AccountWidth))
               && !names::isSafeFileName(account)) {
        // Checked where the account is typed or changed: an unchanged stored account
        // that fails the check must not lock the screen, whose every move saves first.
        // Its folders and ledger are refused where their paths are built.
        say(names::unsafeNameMessage(AccountNumberName, account));
        return {false, Box::Account, false};
    }
    customer.account = account;
    // The two words are not on the screen: they keep what the working record holds.
    customer.flag = m_record.flag;
    customer.spare = m_record.spare;

    if (const auto error = WriteCustomer(m_current, customer, m_adding)) {
        m_prompts.tell(*error, *error == FileFullMessage ? FileFullTitle : QString());
        return {false, Box::None, false};
    }
    m_record = customer.stored();
    m_adding = false;
    listsAfterWrite(m_current, customer);
    emit recordShown(m_current);
    return {true, Box::None, false};
}

bool CustomerFile::AddNew()
{
    if (m_adding)
        return false;
    if (m_count >= MaxCustomers) {
        m_prompts.tell(FileFullMessage, FileFullTitle);
        return false;
    }
    m_adding = true;
    ++m_count;
    m_current = m_count;
    clearRecord();
    // The notes of the customer shown before are not the new customer's: unless they
    // are retained on purpose, a save would otherwise file them under the new account.
    LoadAuxData();
    emit recordShown(m_current);
    return true;
}

void CustomerFile::CancelAdd()
{
    if (!m_adding)
        return;
    m_adding = false;
    --m_count;
    if (m_count >= 1) {
        ShowRecord(1);
        return;
    }
    m_current = 0;
    clearRecord();
    emit recordShown(0);
}

bool CustomerFile::DeleteCurrent()
{
    if (m_adding || m_current < 1)
        return false;
    if (!m_prompts.askToDestroy(QStringLiteral("Delete this Customer")))
        return false;
    if (const auto error = DeleteCustomer(m_current)) {
        m_prompts.tell(*error);
        return false;
    }
    return true;
}

std::optional<QString> CustomerFile::DeleteCustomer(qint32 n)
{
    if (m_adding)
        return QStringLiteral("Save or cancel the new Customer first");
    qint32 count = 0;
    QByteArray bytes = readAll(count);
    if (n < 1 || n > count)
        return QStringLiteral("There is no Customer No %1").arg(n);
    const QString account =
        fieldText(bytes, n, CustomerRecord::AccountOffset, CustomerRecord::AccountWidth);

    // The records as counted, the last one padded when the file ends inside it.
    bytes.resize(qint64(count) * L, '\0');
    bytes.remove(qint64(n - 1) * L, L);

    // A file left over by a crash is replaced whole, never appended to.
    m_data.DeleteIfPresent(DeleteTemporaryFile);
    QString error;
    if (!writeWhole(m_data.path(DeleteTemporaryFile), bytes, error)) {
        m_data.DeleteIfPresent(DeleteTemporaryFile);
        return QStringLiteral("The Customer could not be deleted:\r\n") + error;
    }
    // One rename puts the new file in place of the old.
    diskio::remove(m_data.path(DataFolder::backupOf(CustomerDataFile)));
    if (!m_data.ReplaceWithTemporary(DeleteTemporaryFile, CustomerDataFile))
        return QStringLiteral("The Customer could not be deleted");

    // The receivable file goes only once the customer is gone, and only when no
    // other customer still keeps its account there (names differing in case share
    // one file where the data came from).
    const qint32 left = count - 1;
    const QString receivable = ReceivableFile(account);
    bool shared = false;
    for (qint32 k = 1; k <= left && !shared; ++k) {
        shared = fieldText(bytes, k, CustomerRecord::AccountOffset, CustomerRecord::AccountWidth)
                     .compare(account, Qt::CaseInsensitive) == 0;
    }
    if (!receivable.isEmpty() && !shared)
        m_data.DeleteWithBackup(receivable);

    m_count = left;
    if (left < 1) {
        m_current = 0;
        clearRecord();
        listsAfterDelete(n, bytes, left);
        emit recordShown(0);
        emit fileEmptied();
        return std::nullopt;
    }
    const qint32 show = std::min(std::max(m_current, 1), left);
    m_current = 0;
    ShowRecord(show);
    listsAfterDelete(n, bytes, left);
    return std::nullopt;
}

bool CustomerFile::AccountLeft(const QString &text)
{
    if (text.trimmed().isEmpty() || !IsDuplicateAccount(text))
        return false;
    return m_prompts.askToDestroy(
        QStringLiteral("The Account Number is a duplicate\r\nClick Yes to "
                       "Replace it\r\nEnter a different Number"),
        QStringLiteral("Duplicate Account Number"));
}

void CustomerFile::NameLeft(const QString &text, bool beepOption)
{
    if (text.trimmed().size() >= 2)
        return;
    if (beepOption)
        m_prompts.beep();
    m_prompts.tell(QStringLiteral("The Name Field Must be at least 2 Characters\r\nThis is okay "
                                  "if Cancelling a New Entry\r\nClick Cancel AddNew Again"),
                   QStringLiteral("No Name Entered"));
}

void CustomerFile::RebuildLists()
{
    emit listsAboutToChange();
    // Built block by block as the file is read, while each block is in the cache.
    m_lists.begin();
    qint64 size = 0;
    m_data.ReadRecordBlocks(CustomerDataFile, L, [this, &size](QByteArrayView block, qint64 first) {
        size += block.size();
        m_lists.add(block, qint32(first));
        return true;
    });
    if (!m_lists.finish(roundedCount(size))) {
        qint32 count = 0;
        const QByteArray bytes = readAll(count);
        m_lists.build(bytes, count);
    }
    emit listsChanged();
}

void CustomerFile::listsAfterWrite(qint32 n, const CustomerRecord &customer)
{
    // Lists that no longer match the file's size were outdated by another program:
    // they are read again.
    emit listsAboutToChange();
    if (!m_lists.recordWritten(n, customer.toRecord().bytes()) ||
        m_lists.size() != m_data.RecordCount(CustomerDataFile, L)) {
        qint32 count = 0;
        const QByteArray bytes = readAll(count);
        m_lists.build(bytes, count);
    }
    emit listsChanged();
}

void CustomerFile::listsAfterDelete(qint32 n, const QByteArray &remaining, qint32 left)
{
    emit listsAboutToChange();
    if (m_lists.size() != left + 1 || !m_lists.recordRemoved(n))
        m_lists.build(remaining, left);
    emit listsChanged();
}

int CustomerFile::CompletionIndex(const QString &typed) const
{
    if (typed.isEmpty())
        return -1;
    for (int i = 0; i < accounts().size(); ++i) {
        if (accounts().text(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

std::optional<qint32> CustomerFile::RecordNamed(const QString &text) const
{
    for (qsizetype i = 0; i < accounts().size(); ++i) {
        if (accounts().text(i).trimmed().compare(text, Qt::CaseInsensitive) == 0)
            return accounts().record(i);
    }
    return std::nullopt;
}

QList<qint32> CustomerFile::FindRecords(Criterion criterion, const QString &text) const
{
    const QString needle = text.trimmed().toUpper();
    if (needle.isEmpty())
        return {};
    const FieldPlace place = searchedField(criterion);
    QList<qint32> found;
    qint64 size = 0;
    m_data.ReadRecordBlocks(CustomerDataFile, L, [&](QByteArrayView block, qint64 first) {
        size += block.size();
        const qint32 records = qint32((block.size() + L - 1) / L);
        for (qint32 n = 1; n <= records; ++n) {
            if (UpperCaseContains(FieldBytes(block, n, place.offset, place.width), needle))
                found.append(qint32(first) + n - 1);
        }
        return true;
    });
    // A part of a record at the end counts as the record count rounds it.
    const qint32 count = roundedCount(size);
    while (!found.isEmpty() && found.last() > count)
        found.removeLast();
    return found;
}

QList<qint32> CustomerFile::Search(Criterion criterion, const QString &text)
{
    if (text.trimmed().isEmpty()) {
        m_prompts.tell(QStringLiteral("You must enter some criteria data for the Search"));
        return {};
    }
    const QList<qint32> found = FindRecords(criterion, text);
    if (found.isEmpty()) {
        m_prompts.tell(QStringLiteral("No Customer Record meets this Criteria"),
                       QStringLiteral("Customer not Found"));
        return {};
    }
    if (found.size() == 1) {
        ShowRecord(found.first());
        return {};
    }
    return found;
}

QList<CustomerFile::FoundRow> CustomerFile::Rows(const QList<qint32> &records) const
{
    // The screen asks after every delete, mostly with no rows to show.
    if (records.isEmpty())
        return {};
    qint32 count = 0;
    const QByteArray bytes = readAll(count);
    QList<FoundRow> rows;
    rows.reserve(records.size());
    for (qint32 n : records) {
        if (n < 1 || n > count)
            continue;
        const CustomerRecord customer = CustomerRecord::fromRecord(recordAt(bytes, n));
        rows.append({customer.displayName(), customer.telephone, n});
    }
    return rows;
}

QList<CustomerFile::FoundRow> CustomerFile::AllRows() const
{
    qint32 count = 0;
    const QByteArray bytes = readAll(count);
    QList<FoundRow> rows;
    rows.reserve(count);
    for (qint32 n = 1; n <= count; ++n) {
        const CustomerRecord customer = CustomerRecord::fromRecord(recordAt(bytes, n));
        rows.append({customer.displayName(), customer.telephone, n});
    }
    return rows;
}

void CustomerFile::LoadAuxHeadings()
{
    m_headings = sixOf(linefile::decode(m_data.ReadFile(HeadingsFile)));
    emit headingsChanged();
}

bool CustomerFile::SaveAuxHeadings(const QStringList &headings)
{
    QStringList lines = sixOf(headings);
    // A line break inside a heading would shift the headings after it.
    for (QString &line : lines)
        line = boxLines(line).join(u' ');
    if (!m_data.RewriteFile(HeadingsFile, linefile::encode(lines))) {
        m_prompts.tell(QStringLiteral("The Headings could not be saved"));
        return false;
    }
    m_headings = lines;
    emit headingsChanged();
    return true;
}

void CustomerFile::LoadAuxData()
{
    if (m_retainAux)
        return;
    m_aux = QStringList(AuxBoxCount);
    for (int j = 0; j < AuxBoxCount; ++j) {
        const QString file = AuxDataFile(m_record.account, j);
        if (file.isEmpty() || !m_data.FileIsPresent(file))
            continue;
        // Lines joined without a line end after the last, so a save and a reload
        // give back the same text.
        m_aux[j] = linefile::decode(m_data.ReadFile(file)).join(u'\n');
    }
    emit auxChanged();
}

void CustomerFile::SaveAuxData(const QStringList &boxes)
{
    m_aux = sixOf(boxes);
    emit auxChanged();
    // A customer added during this run has no folders yet: they are made here.
    const QStringList folders = AuxFolders(m_record.account);
    if (m_adding)
        return;
    if (folders.isEmpty()) {
        const bool written = std::any_of(m_aux.cbegin(), m_aux.cend(), [](const QString &box) {
            return !box.trimmed().isEmpty();
        });
        if (written && !m_record.account.trimmed().isEmpty())
            m_prompts.tell(names::unsafeNameMessage(AccountNumberName, m_record.account.trimmed()));
        return;
    }
    for (const QString &folder : folders)
        m_data.EnsureFolder(folder);
    QStringList failed;
    for (int j = 0; j < AuxBoxCount; ++j) {
        QString error;
        if (!writeWhole(m_data.path(AuxDataFile(m_record.account, j)),
                        linefile::encode(boxLines(m_aux.at(j))), error))
            failed.append(QString::number(j + 1));
    }
    if (!failed.isEmpty())
        m_prompts.tell(QStringLiteral("Data Box # %1 of Account %2 could not be saved")
                           .arg(failed.join(QStringLiteral(", ")), m_record.account));
}

bool CustomerFile::StepAccount(int step, const QStringList &boxes)
{
    SaveAuxData(boxes);
    if (m_adding || m_current < 1 || storedCount() < 1)
        return false;
    const auto target =
        qint32(std::clamp<qint64>(qint64(m_current) + step, 1, qint64(storedCount())));
    if (target == m_current)
        return false;
    ShowRecord(target);
    return true;
}

QString CustomerFile::AuxEditorLabel(int box) const
{
    return QStringLiteral("Editing Data Box # ") + QString::number(box + 1) +
           QStringLiteral(" - ") + m_headings.value(box) + QStringLiteral(" - for ") +
           m_record.displayName();
}

std::optional<QString> CustomerFile::NumberToDial()
{
    const QString telephone = m_record.telephone.trimmed();
    const QString cell = m_record.cell.trimmed();
    if (telephone.isEmpty() && cell.isEmpty()) {
        m_prompts.beep();
        return std::nullopt;
    }
    if (cell.isEmpty())
        return telephone;
    if (telephone.isEmpty())
        return cell;
    return m_prompts.ask(QStringLiteral("Click YES to dial Phone,\r\nClick NO to dial Cell"),
                         QStringLiteral("Select Phone or Cell"))
               ? telephone
               : cell;
}

QList<CustomerRecord> CustomerFile::ReadAll() const
{
    qint32 count = 0;
    const QByteArray bytes = readAll(count);
    QList<CustomerRecord> all;
    all.reserve(count);
    for (qint32 n = 1; n <= count; ++n)
        all.append(CustomerRecord::fromRecord(recordAt(bytes, n)));
    return all;
}

QStringList CustomerFile::LoadStates() const
{
    // A new folder has no list: it starts with the fifty states, which the operator
    // may edit in the file.
    if (!m_data.FileIsPresent(StatesFile) && !m_data.Exists(StatesFile)) {
        static constexpr const char16_t *UsStates[StateCount] = {
            u"AL", u"AK", u"AZ", u"AR", u"CA", u"CO", u"CT", u"DE", u"FL", u"GA", u"HI", u"ID", u"IL", u"IN", u"IA", u"KS", u"KY", u"LA", u"ME", u"MD", u"MA", u"MI", u"MN", u"MS", u"MO", u"MT", u"NE", u"NV", u"NH", u"NJ", u"NM", u"NY", u"NC", u"ND", u"OH", u"OK", u"OR", u"PA", u"RI", u"SC", u"SD", u"TN", u"TX", u"UT", u"VT", u"VA", u"WA", u"WV", u"WI", u"WY"};
        TextRecordWriter writer;
        for (const char16_t *state : UsStates)
            writer.text(QString::fromUtf16(state)).endRecord();
        m_data.RewriteFile(StatesFile, writer.bytes());
    }
    QStringList states;
    TextRecordReader reader(m_data.ReadFile(StatesFile));
    while (states.size() < StateCount && !reader.atEnd()) {
        const auto value = reader.field();
        if (!value)
            break;
        states.append(*value);
    }
    return states;
}

CustomerRecord CustomerFile::FirstRunRecord(const QStringList &businessProfile, bool usaStyle)
{
    using namespace settingsfiles;
    CustomerRecord record;
    record.setAddress(usaStyle, businessProfile.value(City), businessProfile.value(State),
                      businessProfile.value(PostalCode), QString(), QString());
    record.telephone = businessProfile.value(Telephone).left(7) + u'-';
    return record;
}
