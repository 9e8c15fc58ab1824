#pragma once

#include "invoice/invoicedocument.h"

#include "customers/accountlists.h"
#include "customers/customerrecord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DataFolder;
class Prompts;

namespace customers {

inline const QString CustomerDataFile = QStringLiteral("/CustomerData.txt");
inline const QString DeleteTemporaryFile = QStringLiteral("\\CUSTOMER.TMP");
inline const QString ContractFile = QStringLiteral("/ContractInfo.txt");
inline const QString CycleFile = QStringLiteral("/CycleInfo.txt");
inline const QString HeadingsFile = QStringLiteral("/AuxHeadings.txt");
inline const QString StatesFile = QStringLiteral("/StatesList.txt");
constexpr int ContractLength = 386;
constexpr int CycleLength = 69;
// Other programs sharing the data folder count customers in 16 bits.
constexpr qint32 MaxCustomers = 32767;
constexpr int AuxBoxCount = 6;
constexpr int StateCount = 50;

// The receivable file of an account; empty when the account cannot name a file.
QString ReceivableFile(const QString &account);
// The file of auxiliary box j (0 to 5) of an account; empty when the account
// cannot name a folder.
QString AuxDataFile(const QString &account, int box);

// Hands the account of each customer to `visit`, trimmed of padding at the ends as
// the customer screens read it, one record at a time: the file may be far larger
// than any customer file should be. A missing or unreadable file has no accounts.
void ForEachAccount(const DataFolder &data, const std::function<void(const QString &)> &visit);
// Hands each stored customer to `visit` in file order, one record at a time; a
// missing or unreadable file has none. `Names` decodes only what
// CustomerRecord::namesFromRecord does, for passes over every customer.
enum class CustomerFields
{
    All,
    Names
};
void ForEachCustomer(const DataFolder &data,
                     const std::function<void(const CustomerRecord &)> &visit,
                     CustomerFields fields = CustomerFields::All);

// The e-mail address of the first customer whose trimmed account equals the trimmed
// one (ignoring case, as accounts share files), trimmed; empty when there is none.
QString EmailOf(const DataFolder &data, const QString &account);

// The sold-to block handed to the invoice being built.
using InvoiceCustomer = SoldTo;
InvoiceCustomer ForInvoice(const CustomerRecord &record, bool usaStyle);

// The search criteria, in the order of the search options.
enum class Criterion
{
    BusinessName = 0,
    Address1 = 1,
    Address2 = 2,
    City = 3,
    State = 4,
    PostalCode = 5,
    Telephone = 6,
    LastName = 7,
    AccountNumber = 8,
};
constexpr int CriterionCount = 9;

// The record a navigation button (index 0 to 6) moves to from `current` in a file of
// `count` customers; nullopt when it does not move.
std::optional<qint32> NavigationTarget(int index, qint32 current, qint32 count);

// Whether a box holding `text` is emptied when it gets the focus: only while it
// still holds the prompt the program itself put there (`placedPrompt`), never a
// name the operator typed that happens to contain "Must".
bool MustRuleEmpties(const QString &text, const QString &placedPrompt);

} // namespace customers

// The customer file while the customer screen runs: the record count, the current
// record and the working record, the rules a customer must meet before it is
// written, the account and city lists, searches, the auxiliary boxes and their
// headings. Files are opened, used and closed by each operation.
class CustomerFile final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CustomerFile)
public:
    // The box the cursor goes to after a refusal.
    enum class Box
    {
        None,
        Account,
        Name,
        FirstName,
        Telephone
    };

    struct SaveResult
    {
        bool saved = false;
        Box focus = Box::None;
        // The operator chose to leave without creating a customer.
        bool leaveScreen = false;
    };

    using AccountEntry = customers::AccountEntry;

    // A row of the search results: the displayed name, telephone and record number.
    struct FoundRow
    {
        QString name;
        QString telephone;
        qint32 record = 0;
        bool operator==(const FoundRow &) const = default;
    };

    CustomerFile(DataFolder &data, Prompts &prompts, QObject *parent = nullptr);
    ~CustomerFile() override;

    // Takes the count from the file (restored from "/Backup" when missing), shows
    // record 1 and rebuilds the lists. False when there is no customer: the file is
    // missing or empty.
    bool Open();

    // Customers counted by the screen: the stored ones, plus the one being added.
    qint32 count() const { return m_count; }
    qint32 storedCount() const { return m_adding ? m_count - 1 : m_count; }
    // 0 when there is no customer to show.
    qint32 current() const { return m_current; }
    bool adding() const { return m_adding; }
    const CustomerRecord &record() const { return m_record; }

    // Reads record n as stored; a number outside the file reads as an empty record.
    CustomerRecord ReadCustomer(qint32 n) const;
    // Writes the record at n, then the zero-filled records n of the two parallel
    // files (a new customer's always, another's only where the files are short). The
    // reason when the customer record cannot be written, or when the record would take
    // the file past its limit; nothing is written then.
    std::optional<QString> WriteCustomer(qint32 n, const CustomerRecord &customer,
                                         bool newCustomer = false);
    // True when a record other than the current one has this account number
    // (as stored, compared ignoring case: such accounts share their files).
    bool IsDuplicateAccount(const QString &text) const;

    // Reads record n into the working record, makes it current and loads its
    // auxiliary boxes. Outside 1 to the stored count it does nothing.
    void ShowRecord(qint32 n);
    // Moves as navigation button `index` does; false when it does not move.
    bool Navigate(int index);

    // Applies the saving rules to the record the screen shows and writes it at the
    // current record, with the flag and spare words of the working record. After a
    // save the lists take the record in and adding ends. Quiet, a check that fails tells
    // and asks nothing; a failed write is still told.
    SaveResult SaveCustomer(const CustomerRecord &shown, bool quiet = false);
    // Starts a new customer; refused with a message when the file is full.
    bool AddNew();
    // Drops the customer being added and shows record 1 (when there is one).
    void CancelAdd();

    // Asks "Delete this Customer"; on Yes deletes the current record. False when the
    // operator said No or the delete failed (the failure is told).
    bool DeleteCurrent();
    // Removes record n and compacts the file; the old or the new file exists at every
    // instant. The receivable file of the account goes with it unless another record
    // still uses the account (ignoring case). Nothing changes when it fails.
    std::optional<QString> DeleteCustomer(qint32 n);

    // Leaving the account box: on a duplicate, asks whether to replace it. True when
    // the box is to be emptied.
    bool AccountLeft(const QString &text);
    // Leaving the account-name box: warns about a name shorter than two characters.
    void NameLeft(const QString &text, bool beepOption);

    // Reads every record once: the account list sorted ignoring case with record
    // numbers, and the city list in the order met. A save or a delete through this
    // class keeps the lists in step without reading the file again.
    void RebuildLists();
    const customers::AccountList &accounts() const { return m_lists.accounts(); }
    const QStringList &cities() const { return m_lists.cities(); }
    // The first entry of the account list that begins with the text, ignoring case;
    // -1 when none does.
    int CompletionIndex(const QString &typed) const;
    // The record of the first entry whose trimmed text equals the text ignoring case.
    std::optional<qint32> RecordNamed(const QString &text) const;

    // Records whose field contains the text (both trimmed and upper-cased), in file
    // order. An empty text finds nothing.
    QList<qint32> FindRecords(customers::Criterion criterion, const QString &text) const;
    // The screen's search: an empty text and no match are told; one match is shown
    // at once (and nothing is returned); several are returned for the result list.
    QList<qint32> Search(customers::Criterion criterion, const QString &text);
    QList<FoundRow> Rows(const QList<qint32> &records) const;
    // Every record, for "Customer List".
    QList<FoundRow> AllRows() const;

    // The six shared headings.
    const QStringList &headings() const { return m_headings; }
    void LoadAuxHeadings();
    bool SaveAuxHeadings(const QStringList &headings);
    // The six boxes of the current customer, lines separated by "\n".
    const QStringList &auxTexts() const { return m_aux; }
    bool retainAux() const { return m_retainAux; }
    void setRetainAux(bool retain) { m_retainAux = retain; }
    // Unless the boxes are retained, reads the boxes of the current customer.
    void LoadAuxData();
    // Writes the six boxes for the current customer, making its folders when they
    // are missing. Nothing is written for an account that cannot name a folder.
    void SaveAuxData(const QStringList &boxes);

    // Saves the boxes, then shows the record `step` away, not past the first or the
    // last; false when it stays.
    bool StepAccount(int step, const QStringList &boxes);
    // "Editing Data Box # 2 - heading - for name", the large editor's label for box j.
    QString AuxEditorLabel(int box) const;

    // The number the dialer calls for the shown customer: the telephone or the cell,
    // whichever is set, the operator choosing when both are. Beeps when neither is.
    std::optional<QString> NumberToDial();

    // Every record in file order, for the printed list.
    QList<CustomerRecord> ReadAll() const;

    // Up to fifty state codes of "/StatesList.txt"; empty when it is missing.
    QStringList LoadStates() const;

    // A new first customer pre-filled from the business profile (city, state, postal
    // code, and the telephone's first seven characters and "-").
    static CustomerRecord FirstRunRecord(const QStringList &businessProfile, bool usaStyle);

    static const QString FileFullMessage;

signals:
    // The working record, the current record number or the count changed.
    void recordShown(qint32 number);
    // Around every rebuild of the account and city lists.
    void listsAboutToChange();
    void listsChanged();
    void auxChanged();
    void headingsChanged();
    // The last customer was deleted: the file holds none.
    void fileEmptied();

private:
    QByteArray readAll(qint32 &count) const;
    void clearRecord();
    void listsAfterWrite(qint32 n, const CustomerRecord &customer);
    void listsAfterDelete(qint32 n, const QByteArray &remaining, qint32 left);

    DataFolder &m_data;
    Prompts &m_prompts;
    qint32 m_count = 0;
    qint32 m_current = 0;
    bool m_adding = false;
    CustomerRecord m_record;
    customers::AccountLists m_lists;
    QStringList m_headings;
    QStringList m_aux;
    bool m_retainAux = false;
};
