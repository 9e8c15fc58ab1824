#include "core/datafolder.h"
#include "core/fixedrecord.h"
#include "customerbytes.h"
#include "interruptions.h"
#include "customers/customerfile.h"
#include "core/names.h"
#include "scriptedprompts.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(CustomerRecord)

using fixture::business;
using fixture::person;
using Criterion = customers::Criterion;

namespace {

const QString DefaultTitle = QStringLiteral("Pelmor Invoicer");

QByteArray records(const QList<fixture::Customer> &customers)
{
    QByteArray all;
    for (const auto &c : customers)
        all += fixture::bytes(c);
    return all;
}

QStringList prompts(const ScriptedPrompts &p)
{
    QStringList out;
    for (const auto &s : p.shown)
        out << s.kind + u'|' + s.text + u'|' + s.title;
    return out;
}

QString tell(const QString &text, const QString &title = DefaultTitle)
{
    return QStringLiteral("tell|") + text + u'|' + title;
}

QString ask(const QString &text, const QString &title = DefaultTitle)
{
    return QStringLiteral("ask|") + text + u'|' + title;
}

QList<qint32> numbers(std::initializer_list<qint32> list)
{
    return QList<qint32>(list);
}

// Every file below the folder, relative, sorted.
QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size());
    files.sort();
    return files;
}

} // namespace

class TestCustomerFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    ScriptedPrompts m_prompts;
    std::unique_ptr<CustomerFile> m_file;

    QString path(const QString &relative) const { return m_dir->path() + relative; }
    void writeCustomers(const QList<fixture::Customer> &customers)
    {
        fixture::writeFile(path("/CustomerData.txt"), records(customers));
    }
    QByteArray customerBytes() const { return fixture::readFile(path("/CustomerData.txt")); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        for (const char *folder :
             {"/Backup", "/PIActiveAccounts", "/Backup/PIActiveAccounts", "/AuxFiles"})
            QDir().mkpath(path(folder));
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_prompts.clear();
        m_file = std::make_unique<CustomerFile>(*m_data, m_prompts);
    }

    void cleanup()
    {
        m_file.reset();
        m_data.reset();
        m_dir.reset();
    }

    // --- opening and reading ---------------------------------------------------------

    void openWithoutFileHasNoCustomer()
    {
        QSignalSpy shown(m_file.get(), &CustomerFile::recordShown);
        QVERIFY(!m_file->Open());
        QCOMPARE(m_file->count(), 0);
        QCOMPARE(m_file->current(), 0);
        QCOMPARE(shown.count(), 1);
        QVERIFY(m_file->accounts().isEmpty());
        QVERIFY(!QFileInfo::exists(path("/CustomerData.txt")));
    }

    void openShowsRecordOne()
    {
        writeCustomers({person("P1", "Ann", "Lee"), business("B2", "Acme")});
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->count(), 2);
        QCOMPARE(m_file->current(), 1);
        QCOMPARE(m_file->record().account, QString("P1"));
        QCOMPARE(m_file->ReadCustomer(2).name, QString("Acme"));
    }

    void openRestoresTheFileFromBackup()
    {
        fixture::writeFile(path("/Backup/CustomerData.txt"), records({person("P1", "Ann", "Lee")}));
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->record().lastName, QString("Lee"));
        QCOMPARE(customerBytes(), records({person("P1", "Ann", "Lee")}));
    }

    void damagedFilesNeverCrash_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        const QByteArray one = fixture::bytes(person("P1", "Ann", "Lee"));
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("half a record more: ties to even") << one + one.left(164) << 2;
        QTest::newRow("a short tail") << one + QByteArray(100, 'x') << 1;
        QTest::newRow("one short record") << one.left(200) << 1;
        QTest::newRow("blanks") << QByteArray(3 * 328, ' ') << 3;
        QByteArray garbage(1000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919 + 13) % 256);
        QTest::newRow("garbage") << garbage << 3;
    }
    void damagedFilesNeverCrash()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        fixture::writeFile(path("/CustomerData.txt"), bytes);
        QCOMPARE(m_file->Open(), count > 0);
        QCOMPARE(m_file->count(), count);
        QCOMPARE(int(m_file->accounts().size()), count);
        QCOMPARE(int(m_file->AllRows().size()), count);
        for (int c = 0; c < customers::CriterionCount; ++c)
            m_file->FindRecords(Criterion(c), "A");
        m_file->IsDuplicateAccount("P1");
        m_file->Navigate(3);
        QCOMPARE(m_file->current(), count > 0 ? count : 0);
        if (count > 0) {
            QVERIFY(!m_file->DeleteCustomer(count));
            QCOMPARE(customerBytes().size(), qsizetype(count - 1) * 328);
            QCOMPARE(customerBytes(), (bytes + QByteArray(328, '\0')).left((count - 1) * 328));
        }
    }

    // --- writing -----------------------------------------------------------------------

    void writeKeepsTheParallelFilesAligned()
    {
        writeCustomers({person("P1", "Ann", "Lee"), person("P2", "Bo", "Kim")});
        // Other programs' data in record 2 survives; the short file is extended.
        const QByteArray contract = QByteArray(386, 'c') + QByteArray(386, 'd');
        fixture::writeFile(path("/ContractInfo.txt"), contract);
        QVERIFY(m_file->Open());

        CustomerRecord changed = m_file->ReadCustomer(2);
        changed.email = "bo@kim.example";
        QVERIFY(!m_file->WriteCustomer(2, changed));

        fixture::Customer expected = person("P2", "Bo", "Kim");
        expected.email = "bo@kim.example";
        QCOMPARE(customerBytes(), records({person("P1", "Ann", "Lee"), expected}));
        QCOMPARE(fixture::readFile(path("/ContractInfo.txt")), contract);
        QCOMPARE(fixture::readFile(path("/CycleInfo.txt")), QByteArray(2 * 69, '\0'));

        // A customer past the end of the parallel files extends them with zeros.
        QVERIFY(!m_file->WriteCustomer(
            3, CustomerRecord::fromRecord(FixedRecord(328, fixture::bytes(person("P3", "Cy", "Ray"))))));
        QCOMPARE(fixture::readFile(path("/ContractInfo.txt")), contract + QByteArray(386, '\0'));
        QCOMPARE(fixture::readFile(path("/CycleInfo.txt")), QByteArray(3 * 69, '\0'));
    }

    void aNewCustomerDoesNotInheritParallelRecords()
    {
        // Record 2 of each parallel file was left by a customer since deleted.
        writeCustomers({person("P1", "Ann", "Lee")});
        const QByteArray contract = QByteArray(386, 'c') + QByteArray(386, 'd');
        const QByteArray cycle = QByteArray(69, 'e') + QByteArray(69, 'f');
        fixture::writeFile(path("/ContractInfo.txt"), contract);
        fixture::writeFile(path("/CycleInfo.txt"), cycle);
        QVERIFY(m_file->Open());
        QVERIFY(m_file->AddNew());
        CustomerRecord added;
        added.account = "P2";
        added.firstName = "Bo";
        added.lastName = "Kim";
        QVERIFY(m_file->SaveCustomer(added).saved);
        QCOMPARE(fixture::readFile(path("/ContractInfo.txt")),
                 QByteArray(386, 'c') + QByteArray(386, '\0'));
        QCOMPARE(fixture::readFile(path("/CycleInfo.txt")), QByteArray(69, 'e') + QByteArray(69, '\0'));

        // Once stored, its records belong to the programs that fill them.
        fixture::writeFile(path("/ContractInfo.txt"), contract);
        QVERIFY(m_file->SaveCustomer(m_file->record()).saved);
        QCOMPARE(fixture::readFile(path("/ContractInfo.txt")), contract);
    }

    void anUnsafeAccountIsRefusedOnlyWhereItIsTyped_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("saved");
        QTest::newRow("stored, unchanged") << false << "12/34" << true;
        QTest::newRow("stored, changed") << false << "12/35" << false;
        QTest::newRow("stored, changed to a safe one") << false << "1234" << true;
        QTest::newRow("new customer") << true << "12/34" << false;
    }

    void anUnsafeAccountIsRefusedOnlyWhereItIsTyped()
    {
        QFETCH(bool, adding);
        QFETCH(QString, account);
        QFETCH(bool, saved);
        writeCustomers({person("12/34", "Ann", "Lee")});
        QVERIFY(m_file->Open());
        if (adding)
            QVERIFY(m_file->AddNew());
        CustomerRecord shown = m_file->record();
        shown.account = account;
        shown.firstName = "Ann";
        shown.lastName = "Lee";
        const CustomerFile::SaveResult result = m_file->SaveCustomer(shown);
        QCOMPARE(result.saved, saved);
        QCOMPARE(prompts(m_prompts),
                 saved ? QStringList()
                       : QStringList{tell(names::unsafeNameMessage("Account Number", account))});
        if (!saved)
            QCOMPARE(int(result.focus), int(CustomerFile::Box::Account));
    }

    void anUnsafeStoredAccountGetsNoNotes()
    {
        writeCustomers({person("12/34", "Ann", "Lee")});
        QVERIFY(m_file->Open());
        m_file->SaveAuxData({"a note"});
        QCOMPARE(prompts(m_prompts),
                 QStringList{tell(names::unsafeNameMessage("Account Number", "12/34"))});
        QCOMPARE(filesUnder(path("/AuxFiles")), QStringList());
        m_prompts.clear();
        m_file->SaveAuxData({});
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void saveRules_data()
    {
        QTest::addColumn<CustomerRecord>("shown");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QStringList>("expectedPrompts");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("focus");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<QString>("storedAccount");

        const auto individual = [](const QString &account, const QString &first,
                                   const QString &last, const QString &telephone) {
            CustomerRecord r;
            r.account = account;
            r.firstName = first;
            r.lastName = last;
            r.telephone = telephone;
            return r;
        };
        using Box = CustomerFile::Box;

        CustomerRecord noName;
        noName.type = "Business";
        noName.account = "B1";
        noName.firstName = "Ann";
        noName.lastName = "Lee";
        QTest::newRow("business without name")
            << noName << QList<bool>() << QStringList{tell("The Account Name Cannot be Blank")}
            << false << int(Box::Name) << false << QString();

        QTest::newRow("person without last name")
            << individual("P9", "Ann", " ", "") << QList<bool>()
            << QStringList{tell("Enter Account Data or\r\n Click Cancel AddNew if Visible")}
            << false << int(Box::FirstName) << false << QString();

        const QStringList noNumber{
            tell("The Telephone Number cannot be blank", "No number"),
            ask("Would you like to exit\r\nwithout creating a Customer?", "No Customer")};
        QTest::newRow("no account, no telephone, stay")
            << individual("", "Ann", "Lee", "  ") << QList<bool>{false} << noNumber << false
            << int(Box::Telephone) << false << QString();
        QTest::newRow("no account, no telephone, leave")
            << individual(" ", "Ann", "Lee", "") << QList<bool>{true} << noNumber << false
            << int(Box::None) << true << QString();

        QTest::newRow("telephone becomes the account")
            << individual("", "Ann", "Lee", "  217-555-0100 ") << QList<bool>()
            << QStringList{tell("Telephone Number will be used as Acct No.", "Account not Entered")}
            << true << int(Box::None) << false << "217-555-0100";

        QTest::newRow("person without account name")
            << individual("P9", "Ann", "Lee", "") << QList<bool>() << QStringList() << true
            << int(Box::None) << false << "P9";

        QTest::newRow("account trimmed")
            << individual("  P9  ", "Ann", "Lee", "") << QList<bool>() << QStringList() << true
            << int(Box::None) << false << "P9";

        for (const QString &bad : {QString("../CustomerData"), QString("A\\B"), QString(".hidden"),
                                   QString("Ko\u0142o")}) {
            const QString stored = bad == QString("Ko\u0142o") ? QString("Ko?o") : bad;
            QTest::newRow(qPrintable("unsafe account " + bad))
                << individual(bad, "Ann", "Lee", "555") << QList<bool>()
                << QStringList{tell(QString("The Account Number \"%1\" cannot be used: it may not "
                                            "be empty, start or end with a period, end with a "
                                            "blank, or contain / \\ : * ? \" < > | or control "
                                            "characters")
                                        .arg(stored))}
                << false << int(Box::Account) << false << QString();
        }

        QTest::newRow("unsafe telephone as account")
            << individual("", "Ann", "Lee", "555/0100") << QList<bool>()
            << QStringList{tell("The Account Number \"555/0100\" cannot be used: it may not be "
                                "empty, start or end with a period, end with a blank, or "
                                "contain / \\ : * ? \" < > | or control characters")}
            << false << int(Box::Account) << false << QString();
    }
    void saveRules()
    {
        QFETCH(CustomerRecord, shown);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, expectedPrompts);
        QFETCH(bool, saved);
        QFETCH(int, focus);
        QFETCH(bool, leave);
        QFETCH(QString, storedAccount);

        writeCustomers({person("P1", "Ann", "Lee")});
        QVERIFY(m_file->Open());
        const QByteArray before = customerBytes();
        QVERIFY(m_file->AddNew());
        for (bool a : answers)
            m_prompts.answerNext(a);

        const auto result = m_file->SaveCustomer(shown);
        QCOMPARE(prompts(m_prompts), expectedPrompts);
        QCOMPARE(result.saved, saved);
        QCOMPARE(int(result.focus), focus);
        QCOMPARE(result.leaveScreen, leave);
        if (!saved) {
            QCOMPARE(customerBytes(), before);
            QVERIFY(m_file->adding());
            QCOMPARE(m_file->count(), 2);
            QVERIFY(!QFileInfo::exists(path("/ContractInfo.txt")));
            return;
        }
        QVERIFY(!m_file->adding());
        QCOMPARE(m_file->count(), 2);
        QCOMPARE(m_file->current(), 2);
        QCOMPARE(customerBytes().size(), 2 * 328);
        QCOMPARE(customerBytes().mid(328, 20), storedAccount.toLatin1().leftJustified(20, ' '));
        QCOMPARE(m_file->record().account, storedAccount);
        QCOMPARE(m_file->accounts().size(), 2);
    }

    void savingKeepsTheStoredWords()
    {
        fixture::Customer stored = person("P1", "Ann", "Lee");
        stored.flag = -2;
        stored.spare = 0x1234;
        writeCustomers({stored});
        QVERIFY(m_file->Open());
        CustomerRecord shown;
        shown.account = "P1";
        shown.firstName = "Ann";
        shown.lastName = "Leigh";
        QVERIFY(m_file->SaveCustomer(shown).saved);
        stored.last = "Leigh";
        QCOMPARE(customerBytes(), records({stored}));

        QVERIFY(m_file->AddNew());
        shown.account = "P2";
        QVERIFY(m_file->SaveCustomer(shown).saved);
        fixture::Customer added = person("P2", "Ann", "Leigh");
        QCOMPARE(customerBytes().mid(328), fixture::bytes(added));
    }

    void aSaveThatCannotWriteIsNotASave()
    {
        writeCustomers({person("P1", "Ann", "Lee")});
        QVERIFY(m_file->Open());
        QVERIFY(QFile::remove(path("/CustomerData.txt")));
        QVERIFY(QDir().mkpath(path("/CustomerData.txt")));
        QVERIFY(m_file->AddNew());
        CustomerRecord shown;
        shown.account = "P2";
        shown.firstName = "Bo";
        shown.lastName = "Kim";
        const auto result = m_file->SaveCustomer(shown);
        QVERIFY(!result.saved);
        QVERIFY(m_file->adding());
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY(m_prompts.shown.at(0).text.startsWith("The Customer could not be saved:\r\n"));
        QVERIFY(!QFileInfo::exists(path("/ContractInfo.txt")));
    }

    void aParallelFileThatCannotBeWrittenIsTold()
    {
        writeCustomers({person("P1", "Ann", "Lee")});
        QVERIFY(QDir().mkpath(path("/ContractInfo.txt")));
        QVERIFY(m_file->Open());
        CustomerRecord shown = m_file->record();
        shown.email = "ann@lee.example";
        QVERIFY(m_file->SaveCustomer(shown).saved);
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY(m_prompts.shown.at(0).text.startsWith(
            "The Customer was saved, but \"/ContractInfo.txt\" could not be written:\r\n"));
        QCOMPARE(m_file->ReadCustomer(1).email, QString("ann@lee.example"));
        QCOMPARE(fixture::readFile(path("/CycleInfo.txt")), QByteArray(69, '\0'));
    }

    void anAddKilledAtAnyCallIsWholeOrUndoneAtTheNextStart()
    {
        // A deleted customer's records are still in the parallel files past the end.
        const auto fixture = [](const QString &root) {
            fixture::writeFile(root + "/CustomerData.txt", records({person("P1", "Ann", "Lee")}));
            fixture::writeFile(root + "/ContractInfo.txt", QByteArray(2 * 386, 'c'));
            fixture::writeFile(root + "/CycleInfo.txt", QByteArray(69, 'y'));
        };
        const auto add = [this](const QString &root) {
            DataFolder data(root);
            CustomerFile file(data, m_prompts);
            return file.WriteCustomer(
                2, CustomerRecord::fromRecord(FixedRecord(328, fixture::bytes(business("B2", "Acme")))),
                true);
        };
        const interruptions::Report report = interruptions::killAtEveryCall(
            fixture, add,
            "Adding the Customer B2 was interrupted and has been undone.\r\nAdd the Customer again.",
            "Customer Not Added");
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
        QVERIFY(report.undone > 0);
        qInfo().noquote() << report.summary();
    }

    void addAndCancel()
    {
        writeCustomers({person("P1", "Ann", "Lee"), business("B2", "Acme")});
        QVERIFY(m_file->Open());
        m_file->ShowRecord(2);
        QVERIFY(m_file->AddNew());
        QCOMPARE(m_file->count(), 3);
        QCOMPARE(m_file->current(), 3);
        QCOMPARE(m_file->record().account, QString());
        QCOMPARE(m_file->record().flag, qint16(0));
        QVERIFY(!m_file->AddNew());
        m_file->CancelAdd();
        QVERIFY(!m_file->adding());
        QCOMPARE(m_file->count(), 2);
        QCOMPARE(m_file->current(), 1);
        QCOMPARE(m_file->record().account, QString("P1"));
        QCOMPARE(customerBytes().size(), 2 * 328);
    }

    void firstCustomerOfAnEmptyFile()
    {
        QVERIFY(!m_file->Open());
        QVERIFY(m_file->AddNew());
        QCOMPARE(m_file->current(), 1);
        CustomerRecord shown = CustomerFile::FirstRunRecord(
            {"Pelmor", "1 Main", "", "Springfield", "IL", "62701", "217-555-0100", "", ""}, true);
        QCOMPARE(shown.address3, QString("Springfield"));
        QCOMPARE(shown.state, QString("IL"));
        QCOMPARE(shown.postal, QString("62701"));
        QCOMPARE(shown.telephone, QString("217-555-"));
        shown.account = "F1";
        shown.firstName = "Ann";
        shown.lastName = "Lee";
        QVERIFY(m_file->SaveCustomer(shown).saved);
        QCOMPARE(m_file->count(), 1);
        QCOMPARE(m_file->ReadCustomer(1).account, QString("F1"));
        m_file->CancelAdd();
        QCOMPARE(m_file->count(), 1);
    }

    void theFileLimitIsKeptBeforeWriting()
    {
        QByteArray full(customers::MaxCustomers * 328, ' ');
        full.replace(0, 328, fixture::bytes(person("P1", "Ann", "Lee")));
        fixture::writeFile(path("/CustomerData.txt"), full);
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->count(), 32767);

        QVERIFY(!m_file->AddNew());
        QCOMPARE(prompts(m_prompts),
                 QStringList{tell("The Customer File holds 32,767 Customers, the most it can.\r\n"
                                  "Delete a Customer before adding another.",
                                  "Customer File Full")});
        QCOMPARE(m_file->count(), 32767);
        QVERIFY(!m_file->adding());

        CustomerRecord extra = m_file->record();
        QCOMPARE(m_file->WriteCustomer(32768, extra).value_or(QString()),
                 CustomerFile::FileFullMessage);
        QCOMPARE(QFileInfo(path("/CustomerData.txt")).size(), qint64(full.size()));
        QVERIFY(!QFileInfo::exists(path("/ContractInfo.txt")));
        // Records already in the file may still be changed.
        QVERIFY(!m_file->WriteCustomer(32767, extra));
    }

    void theLastCustomerThatFitsIsAccepted()
    {
        QByteArray nearlyFull((customers::MaxCustomers - 1) * 328, ' ');
        nearlyFull.replace(0, 328, fixture::bytes(person("P1", "Ann", "Lee")));
        fixture::writeFile(path("/CustomerData.txt"), nearlyFull);
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->count(), 32766);

        QVERIFY(m_file->AddNew());
        CustomerRecord last;
        last.account = "P32767";
        last.firstName = "Bo";
        last.lastName = "Kim";
        QVERIFY(m_file->SaveCustomer(last).saved);
        QCOMPARE(m_file->count(), 32767);
        QCOMPARE(m_file->ReadCustomer(32767).account, QString("P32767"));
        QVERIFY(m_prompts.shown.isEmpty());

        QVERIFY(!m_file->AddNew());
        QCOMPARE(prompts(m_prompts),
                 QStringList{tell("The Customer File holds 32,767 Customers, the most it can.\r\n"
                                  "Delete a Customer before adding another.",
                                  "Customer File Full")});
    }

    void duplicateAccounts_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("another record") << 1 << false << "P2" << true;
        QTest::newRow("the record itself") << 2 << false << "P2" << false;
        QTest::newRow("case differs") << 1 << false << "p2" << true;
        QTest::newRow("typed with blanks") << 1 << false << " P2 " << true;
        QTest::newRow("new customer") << 0 << true << "P1" << true;
        QTest::newRow("unknown") << 1 << false << "P3" << false;
    }
    void duplicateAccounts()
    {
        QFETCH(int, current);
        QFETCH(bool, adding);
        QFETCH(QString, typed);
        QFETCH(bool, duplicate);
        writeCustomers({person("P1", "Ann", "Lee"), person("P2", "Bo", "Kim")});
        QVERIFY(m_file->Open());
        if (adding)
            QVERIFY(m_file->AddNew());
        else
            m_file->ShowRecord(current);
        QCOMPARE(m_file->IsDuplicateAccount(typed), duplicate);

        m_prompts.answerNext(false);
        QCOMPARE(m_file->AccountLeft(typed), false);
        QCOMPARE(prompts(m_prompts),
                 duplicate ? QStringList{ask("The Account Number is a duplicate\r\nClick Yes to "
                                             "Replace it\r\nEnter a different Number",
                                             "Duplicate Account Number")}
                           : QStringList());
        m_prompts.answerNext(true);
        QCOMPARE(m_file->AccountLeft(typed), duplicate);
    }

    void aKeptDuplicateIsWritten()
    {
        writeCustomers({person("P1", "Ann", "Lee")});
        QVERIFY(m_file->Open());
        QVERIFY(m_file->AddNew());
        CustomerRecord twin;
        twin.account = "P1";
        twin.firstName = "Bo";
        twin.lastName = "Kim";
        QVERIFY(m_file->SaveCustomer(twin).saved);
        QCOMPARE(m_file->ReadCustomer(2).account, QString("P1"));
    }

    void shortNameWarns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("beepOption");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<bool>("warned");
        QTest::newRow("one letter, beeping") << "A" << true << 1 << true;
        QTest::newRow("one letter, quiet") << "A" << false << 0 << true;
        QTest::newRow("empty") << "" << true << 1 << true;
        QTest::newRow("two letters") << "AB" << true << 0 << false;
    }
    void shortNameWarns()
    {
        QFETCH(QString, name);
        QFETCH(bool, beepOption);
        QFETCH(int, beeps);
        QFETCH(bool, warned);
        m_file->NameLeft(name, beepOption);
        QCOMPARE(m_prompts.beeps, beeps);
        QCOMPARE(prompts(m_prompts),
                 warned ? QStringList{tell("The Name Field Must be at least 2 Characters\r\nThis "
                                           "is okay if Cancelling a New Entry\r\nClick Cancel "
                                           "AddNew Again",
                                           "No Name Entered")}
                        : QStringList());
    }

    // --- navigation --------------------------------------------------------------------

    void navigationShowsTheRecord()
    {
        QList<fixture::Customer> ten;
        for (int n = 1; n <= 10; ++n)
            ten << person("P" + QByteArray::number(n), "F", "L");
        writeCustomers(ten);
        QVERIFY(m_file->Open());
        QVERIFY(m_file->Navigate(5));
        QCOMPARE(m_file->record().account, QString("P6"));
        QVERIFY(m_file->Navigate(3));
        QVERIFY(m_file->Navigate(2));
        QCOMPARE(m_file->current(), 1);
        QCOMPARE(m_file->record().account, QString("P1"));
    }

    // --- deleting ----------------------------------------------------------------------

    void deleteCompactsTheFile()
    {
        QList<fixture::Customer> five;
        for (int n = 1; n <= 5; ++n)
            five << person("C" + QByteArray::number(n), "F", "L" + QByteArray::number(n));
        writeCustomers(five);
        fixture::writeFile(path("/ContractInfo.txt"), QByteArray(5 * 386, 'c'));
        fixture::writeFile(path("/Backup/CustomerData.txt"), records(five));
        fixture::writeFile(path("/PIActiveAccounts/C3.txt"), "ledger");
        fixture::writeFile(path("/Backup/PIActiveAccounts/C3.txt"), "ledger");
        fixture::writeFile(path("/PIActiveAccounts/C4.txt"), "ledger");
        fixture::writeFile(path("/AuxFiles/C3/AuxFile0/Data.txt"), "note\r\n");
        QVERIFY(m_file->Open());
        m_file->ShowRecord(3);

        m_prompts.answerNext(true);
        QVERIFY(m_file->DeleteCurrent());
        QCOMPARE(prompts(m_prompts), QStringList{ask("Delete this Customer")});
        QCOMPARE(customerBytes(), records({five[0], five[1], five[3], five[4]}));
        QCOMPARE(m_file->count(), 4);
        QCOMPARE(m_file->current(), 3);
        QCOMPARE(m_file->record().account, QString("C4"));
        QCOMPARE(m_file->accounts().size(), 4);
        QCOMPARE(fixture::readFile(path("/ContractInfo.txt")), QByteArray(5 * 386, 'c'));
        QVERIFY(!QFileInfo::exists(path("/Backup/CustomerData.txt")));
        QVERIFY(!QFileInfo::exists(path("/CUSTOMER.TMP")));
        QVERIFY(!QFileInfo::exists(path("/PIActiveAccounts/C3.txt")));
        QVERIFY(!QFileInfo::exists(path("/Backup/PIActiveAccounts/C3.txt")));
        QVERIFY(QFileInfo::exists(path("/PIActiveAccounts/C4.txt")));
        QVERIFY(QFileInfo::exists(path("/AuxFiles/C3/AuxFile0/Data.txt")));
    }

    void deleteAnsweredNoKeepsEverything()
    {
        writeCustomers({person("C1", "F", "L")});
        QVERIFY(m_file->Open());
        m_prompts.answerNext(false);
        QVERIFY(!m_file->DeleteCurrent());
        QCOMPARE(customerBytes(), records({person("C1", "F", "L")}));
    }

    void deleteTheLastRecordShowsTheNewLast()
    {
        writeCustomers({person("C1", "F", "L"), person("C2", "F", "L"), person("C3", "F", "L")});
        QVERIFY(m_file->Open());
        m_file->ShowRecord(3);
        QVERIFY(!m_file->DeleteCustomer(3));
        QCOMPARE(m_file->current(), 2);
        QCOMPARE(m_file->record().account, QString("C2"));
    }

    void deleteTheOnlyCustomerEmptiesTheFile()
    {
        writeCustomers({person("C1", "F", "L")});
        QVERIFY(m_file->Open());
        QSignalSpy emptied(m_file.get(), &CustomerFile::fileEmptied);
        QVERIFY(!m_file->DeleteCustomer(1));
        QCOMPARE(emptied.count(), 1);
        QCOMPARE(m_file->count(), 0);
        QCOMPARE(m_file->current(), 0);
        QVERIFY(m_file->accounts().isEmpty());
        QVERIFY(QFileInfo::exists(path("/CustomerData.txt")));
        QCOMPARE(customerBytes(), QByteArray());
        QVERIFY(!m_file->Navigate(2));
        // Opening again takes the same empty-file path.
        QVERIFY(!m_file->Open());
    }

    void receivableKeptWhileAnotherRecordUsesIt_data()
    {
        QTest::addColumn<QByteArray>("other");
        QTest::addColumn<bool>("kept");
        QTest::newRow("same account") << QByteArray("Ab1") << true;
        QTest::newRow("differs in case") << QByteArray("AB1") << true;
        QTest::newRow("another account") << QByteArray("Ab2") << false;
    }
    void receivableKeptWhileAnotherRecordUsesIt()
    {
        QFETCH(QByteArray, other);
        QFETCH(bool, kept);
        writeCustomers({person("Ab1", "F", "L"), person(other, "G", "M")});
        fixture::writeFile(path("/PIActiveAccounts/Ab1.txt"), "ledger");
        QVERIFY(m_file->Open());
        QVERIFY(!m_file->DeleteCustomer(1));
        QCOMPARE(QFileInfo::exists(path("/PIActiveAccounts/Ab1.txt")), kept);
        QCOMPARE(customerBytes(), records({person(other, "G", "M")}));
    }

    void unsafeStoredAccountsNeverBuildAPath_data()
    {
        QTest::addColumn<QByteArray>("account");
        QTest::addColumn<QString>("victim");
        QTest::newRow("up to the customer file")
            << QByteArray("../CustomerData") << "/CustomerData.txt";
        QTest::newRow("backslash") << QByteArray("..\\Services") << "/Services.txt";
        QTest::newRow("absolute") << QByteArray("/tmp/x") << "/PIActiveAccounts/tmp/x.txt";
    }
    void unsafeStoredAccountsNeverBuildAPath()
    {
        QFETCH(QByteArray, account);
        QFETCH(QString, victim);
        writeCustomers({person(account, "F", "L"), person("C2", "G", "M")});
        if (victim != "/CustomerData.txt")
            fixture::writeFile(path(victim), "keep");
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->record().account, QString(account));

        QVERIFY(m_file->auxTexts().join(QString()).isEmpty());
        m_file->SaveAuxData({"a", "b", "c", "d", "e", "f"});
        QVERIFY(!m_file->DeleteCustomer(1));

        QVERIFY(QFileInfo::exists(path(victim)));
        QCOMPARE(customerBytes(), records({person("C2", "G", "M")}));
        QCOMPARE(filesUnder(m_dir->path()), victim == "/CustomerData.txt"
                                                ? QStringList{"/CustomerData.txt"}
                                                : QStringList({"/CustomerData.txt", victim}));
    }

    void aDeleteThatCannotWriteChangesNothing()
    {
        writeCustomers({person("C1", "F", "L"), person("C2", "G", "M")});
        fixture::writeFile(path("/PIActiveAccounts/C1.txt"), "ledger");
        fixture::writeFile(path("/Backup/CustomerData.txt"), "backup");
        // A folder where the temporary file goes cannot be replaced by a file.
        QVERIFY(QDir().mkpath(path("/CUSTOMER.TMP/x")));
        QVERIFY(m_file->Open());
        m_prompts.answerNext(true);
        QVERIFY(!m_file->DeleteCurrent());
        QCOMPARE(m_prompts.shown.size(), 2);
        QVERIFY(m_prompts.shown.at(1).text.startsWith("The Customer could not be deleted"));
        QCOMPARE(customerBytes(), records({person("C1", "F", "L"), person("C2", "G", "M")}));
        QVERIFY(QFileInfo::exists(path("/PIActiveAccounts/C1.txt")));
        QVERIFY(QFileInfo::exists(path("/Backup/CustomerData.txt")));
        QCOMPARE(m_file->count(), 2);
        QCOMPARE(m_file->record().account, QString("C1"));
    }

    void aTemporaryFileLeftByACrashIsHarmless()
    {
        fixture::writeFile(path("/CUSTOMER.TMP"), QByteArray(10 * 328, 'z'));
        writeCustomers({person("C1", "F", "L"), person("C2", "G", "M")});
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->count(), 2);
        QVERIFY(!m_file->DeleteCustomer(1));
        QCOMPARE(customerBytes(), records({person("C2", "G", "M")}));
        QVERIFY(!QFileInfo::exists(path("/CUSTOMER.TMP")));
    }

    // --- lists -------------------------------------------------------------------------

    void accountAndCityLists()
    {
        fixture::Customer smith = person("S", "John", "Smith", "paris");
        smith.initial = "Q";
        writeCustomers({business("Z", "zeta Co", "Paris"), smith, person("A", "Amy", "adams", ""),
                        business("B", "Beta", "Paris"), business("B2", "beta", " Paris "),
                        person("E", "", "", "")});
        QSignalSpy changed(m_file.get(), &CustomerFile::listsChanged);
        QVERIFY(m_file->Open());
        QVERIFY(changed.count() >= 1);
        using E = CustomerFile::AccountEntry;
        QCOMPARE(m_file->accounts(), QList<E>({{", ", 6},
                                               {"adams, Amy", 3},
                                               {"Beta", 4},
                                               {"beta", 5},
                                               {"Smith, John Q", 2},
                                               {"zeta Co", 1}}));
        QCOMPARE(m_file->cities(), QStringList({"Paris", "paris", ""}));

        QCOMPARE(m_file->CompletionIndex("BE"), 2);
        QCOMPARE(m_file->CompletionIndex("sm"), 4);
        QCOMPARE(m_file->CompletionIndex("x"), -1);
        QCOMPARE(m_file->RecordNamed("SMITH, JOHN Q").value_or(0), 2);
        QCOMPARE(m_file->RecordNamed("beta").value_or(0), 4);
        QCOMPARE(m_file->RecordNamed("Smith").value_or(0), 0);
    }

    void listsFollowASave()
    {
        writeCustomers({person("P1", "Ann", "Lee", "Oslo")});
        QVERIFY(m_file->Open());
        QVERIFY(m_file->AddNew());
        CustomerRecord added;
        added.account = "P2";
        added.firstName = "Bo";
        added.lastName = "Kim";
        added.setAddress(true, "Bergen", "", "", "", "");
        QVERIFY(m_file->SaveCustomer(added).saved);
        QCOMPARE(m_file->cities(), QStringList({"Oslo", "Bergen"}));
        QCOMPARE(m_file->accounts().at(0), (CustomerFile::AccountEntry{"Kim, Bo", 2}));
    }

    // --- searching ---------------------------------------------------------------------

    void searchByCriterion_data()
    {
        QTest::addColumn<int>("criterion");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<qint32>>("found");
        QTest::newRow("state, any case") << int(Criterion::State) << "a" << numbers({1, 2, 4});
        QTest::newRow("business name") << int(Criterion::BusinessName) << " acme " << numbers({3});
        QTest::newRow("address 1") << int(Criterion::Address1) << "elm" << numbers({1, 3});
        QTest::newRow("address 2") << int(Criterion::Address2) << "box" << numbers({2});
        QTest::newRow("city is address 3") << int(Criterion::City) << "spring" << numbers({1, 4});
        QTest::newRow("zip is address 4") << int(Criterion::PostalCode) << "627" << numbers({4});
        QTest::newRow("telephone") << int(Criterion::Telephone) << "555-01" << numbers({1, 2});
        QTest::newRow("last name") << int(Criterion::LastName) << "LEE" << numbers({1, 4});
        QTest::newRow("account number") << int(Criterion::AccountNumber) << "x" << numbers({2, 3});
        QTest::newRow("nothing") << int(Criterion::LastName) << "zz" << numbers({});
        QTest::newRow("blank text") << int(Criterion::LastName) << "   " << numbers({});
    }
    void searchByCriterion()
    {
        QFETCH(int, criterion);
        QFETCH(QString, text);
        QFETCH(QList<qint32>, found);
        fixture::Customer a = person("A1", "Ann", "Lee", "Springfield");
        a.state = "AL";
        a.address1 = "1 Elm St";
        a.telephone = "217-555-0100";
        a.address4 = "35801";
        fixture::Customer b = person("X2", "Bo", "Kim", "Denver");
        b.state = "ca";
        b.address2 = "PO Box 9";
        b.telephone = "303-555-0199";
        b.city = "Springfield";
        fixture::Customer c = business("X3", "Acme Elm Works", "Boston");
        c.state = "NY";
        c.address1 = "9 elm road";
        c.last = "Nobody";
        c.postal = "62701";
        fixture::Customer d = person("D4", "Cy", "Leeds", "West Springfield");
        d.state = "Ga";
        d.address4 = "62701";
        writeCustomers({a, b, c, d});
        QCOMPARE(m_file->FindRecords(Criterion(criterion), text), found);
    }

    void searchAsTheScreenDoes()
    {
        fixture::Customer a = person("A1", "Ann", "Lee");
        a.title = "Ms";
        a.initial = "B";
        a.telephone = "217-555-0100";
        fixture::Customer c = business("C3", "Acme Ltd");
        c.last = "Lee";
        c.telephone = "303-555-0199";
        writeCustomers({a, person("B2", "Bo", "Kim"), c});
        QVERIFY(m_file->Open());

        QVERIFY(m_file->Search(Criterion::LastName, " ").isEmpty());
        QCOMPARE(prompts(m_prompts),
                 QStringList{tell("You must enter some criteria data for the Search")});
        m_prompts.clear();

        QVERIFY(m_file->Search(Criterion::LastName, "zz").isEmpty());
        QCOMPARE(prompts(m_prompts),
                 QStringList{tell("No Customer Record meets this Criteria", "Customer not Found")});
        m_prompts.clear();

        QSignalSpy shown(m_file.get(), &CustomerFile::recordShown);
        QVERIFY(m_file->Search(Criterion::LastName, "kim").isEmpty());
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(m_file->current(), 2);
        QCOMPARE(shown.count(), 1);

        const QList<qint32> several = m_file->Search(Criterion::LastName, "lee");
        QCOMPARE(several, numbers({1, 3}));
        QCOMPARE(m_file->current(), 2);
        using Row = CustomerFile::FoundRow;
        QCOMPARE(m_file->Rows(several), QList<Row>({{"Ms Ann B. Lee", "217-555-0100", 1},
                                                    {"Acme Ltd", "303-555-0199", 3}}));
        QCOMPARE(m_file->AllRows().size(), 3);
        QCOMPARE(m_file->AllRows().at(1), (Row{"Bo Kim", "", 2}));
    }

    // --- auxiliary data ----------------------------------------------------------------

    void auxBoxesSurviveSaveAndReload()
    {
        writeCustomers({person("C1", "F", "L"), person("C2", "G", "M")});
        QVERIFY(m_file->Open());
        const QStringList boxes{"gate code 4411, ring twice",
                                "line one\nline two",
                                "",
                                "\n",
                                "trailing\n",
                                "caf\u00e9"};
        for (int round = 0; round < 3; ++round) {
            m_file->SaveAuxData(boxes);
            m_file->ShowRecord(2);
            QCOMPARE(m_file->auxTexts(), QStringList(6));
            m_file->ShowRecord(1);
            QCOMPARE(m_file->auxTexts(), boxes);
        }
        const QString folder = path("/AuxFiles/C1/AuxFile");
        QCOMPARE(fixture::readFile(folder + "0/Data.txt"),
                 QByteArray("gate code 4411, ring twice\r\n"));
        QCOMPARE(fixture::readFile(folder + "1/Data.txt"), QByteArray("line one\r\nline two\r\n"));
        QCOMPARE(fixture::readFile(folder + "2/Data.txt"), QByteArray("\r\n"));
        QCOMPARE(fixture::readFile(folder + "3/Data.txt"), QByteArray("\r\n\r\n"));
        QCOMPARE(fixture::readFile(folder + "4/Data.txt"), QByteArray("trailing\r\n\r\n"));
        QCOMPARE(fixture::readFile(folder + "5/Data.txt"), QByteArray("caf\xE9\r\n"));
    }

    void auxBoxesReadFilesWrittenElsewhere()
    {
        writeCustomers({person("C1", "F", "L")});
        fixture::writeFile(path("/AuxFiles/C1/AuxFile2/Data.txt"), "a\nb\r\nc");
        fixture::writeFile(path("/AuxFiles/C1/AuxFile5/Data.txt"), "");
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->auxTexts(), QStringList({"", "", "a\nb\nc", "", "", ""}));
    }

    void retainedAuxBoxesStay()
    {
        writeCustomers({person("C1", "F", "L"), person("C2", "G", "M")});
        fixture::writeFile(path("/AuxFiles/C1/AuxFile0/Data.txt"), "one\r\n");
        QVERIFY(m_file->Open());
        m_file->setRetainAux(true);
        m_file->ShowRecord(2);
        QCOMPARE(m_file->auxTexts().at(0), QString("one"));
        m_file->setRetainAux(false);
        m_file->ShowRecord(2);
        QCOMPARE(m_file->auxTexts().at(0), QString());
    }

    void aCustomerAddedNowGetsItsFoldersOnSave()
    {
        writeCustomers({person("C1", "F", "L")});
        QVERIFY(m_file->Open());
        QVERIFY(m_file->AddNew());
        CustomerRecord added;
        added.account = "N1";
        added.firstName = "Bo";
        added.lastName = "Kim";
        QVERIFY(m_file->SaveCustomer(added).saved);
        m_file->SaveAuxData({"x", "", "", "", "", "y"});
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(fixture::readFile(path("/AuxFiles/N1/AuxFile0/Data.txt")), QByteArray("x\r\n"));
        QCOMPARE(fixture::readFile(path("/AuxFiles/N1/AuxFile5/Data.txt")), QByteArray("y\r\n"));
    }

    void aNewCustomerStartsWithoutTheNotesShownBefore_data()
    {
        QTest::addColumn<bool>("retain");
        QTest::newRow("not retained") << false;
        QTest::newRow("retained") << true;
    }
    void aNewCustomerStartsWithoutTheNotesShownBefore()
    {
        QFETCH(bool, retain);
        writeCustomers({person("C1", "F", "L")});
        fixture::writeFile(path("/AuxFiles/C1/AuxFile0/Data.txt"), "gate 1234\r\n");
        QVERIFY(m_file->Open());
        QCOMPARE(m_file->auxTexts().at(0), QString("gate 1234"));
        m_file->setRetainAux(retain);
        QVERIFY(m_file->AddNew());
        CustomerRecord added;
        added.account = "N1";
        added.firstName = "Bo";
        added.lastName = "Kim";
        QVERIFY(m_file->SaveCustomer(added).saved);
        QCOMPARE(m_file->auxTexts().at(0), retain ? QString("gate 1234") : QString());
        m_file->SaveAuxData(m_file->auxTexts());
        QCOMPARE(fixture::readFile(path("/AuxFiles/N1/AuxFile0/Data.txt")),
                 retain ? QByteArray("gate 1234\r\n") : QByteArray("\r\n"));
    }

    void auxStepsSaveAndStopAtTheEnds()
    {
        writeCustomers({person("C1", "F", "L"), business("C2", "Acme"), person("C3", "H", "N")});
        QVERIFY(m_file->Open());
        QVERIFY(!m_file->StepAccount(-1, {"one", "", "", "", "", ""}));
        QCOMPARE(m_file->current(), 1);
        QCOMPARE(fixture::readFile(path("/AuxFiles/C1/AuxFile0/Data.txt")), QByteArray("one\r\n"));
        QVERIFY(m_file->StepAccount(1, m_file->auxTexts()));
        QCOMPARE(m_file->record().account, QString("C2"));
        QVERIFY(m_file->StepAccount(1, {"", "two", "", "", "", ""}));
        QCOMPARE(fixture::readFile(path("/AuxFiles/C2/AuxFile1/Data.txt")), QByteArray("two\r\n"));
        QVERIFY(!m_file->StepAccount(1, m_file->auxTexts()));
        QCOMPARE(m_file->current(), 3);
        QVERIFY(m_file->StepAccount(-1, m_file->auxTexts()));
        QCOMPARE(m_file->auxTexts().at(1), QString("two"));

        fixture::writeFile(path("/AuxHeadings.txt"), "Gate\r\nDog\r\n");
        m_file->LoadAuxHeadings();
        QCOMPARE(m_file->AuxEditorLabel(1), QString("Editing Data Box # 2 - Dog - for Acme"));
        m_file->ShowRecord(1);
        QCOMPARE(m_file->AuxEditorLabel(5), QString("Editing Data Box # 6 -  - for F L"));
    }

    void numberToDial_data()
    {
        QTest::addColumn<QByteArray>("telephone");
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("beeps");
        QTest::newRow("telephone only") << QByteArray("217-555-0100") << QByteArray(" ") << true
                                        << "217-555-0100" << false << 0;
        QTest::newRow("cell only")
            << QByteArray() << QByteArray("217-555-0199") << true << "217-555-0199" << false << 0;
        QTest::newRow("both, yes") << QByteArray("217-555-0100") << QByteArray("217-555-0199")
                                   << true << "217-555-0100" << true << 0;
        QTest::newRow("both, no") << QByteArray("217-555-0100") << QByteArray("217-555-0199")
                                  << false << "217-555-0199" << true << 0;
        QTest::newRow("neither") << QByteArray() << QByteArray() << true << QString() << false << 1;
    }
    void numberToDial()
    {
        QFETCH(QByteArray, telephone);
        QFETCH(QByteArray, cell);
        QFETCH(bool, answer);
        QFETCH(QString, number);
        QFETCH(bool, asked);
        QFETCH(int, beeps);
        fixture::Customer c = person("C1", "F", "L");
        c.telephone = telephone;
        c.cell = cell;
        writeCustomers({c});
        QVERIFY(m_file->Open());
        m_prompts.answerNext(answer);
        QCOMPARE(m_file->NumberToDial().value_or(QString()), number);
        QCOMPARE(prompts(m_prompts),
                 asked ? QStringList{ask("Click YES to dial Phone,\r\nClick NO to dial Cell",
                                         "Select Phone or Cell")}
                       : QStringList());
        QCOMPARE(m_prompts.beeps, beeps);
    }

    void readAllInFileOrder()
    {
        writeCustomers({business("Z", "zeta Co"), person("A", "Amy", "adams")});
        QList<CustomerRecord> all = m_file->ReadAll();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.at(0).name, QString("zeta Co"));
        QCOMPARE(all.at(1).lastName, QString("adams"));
    }

    void headings()
    {
        fixture::writeFile(path("/AuxHeadings.txt"), "Gate\r\nDog\nParking, rear\r\n");
        QSignalSpy changed(m_file.get(), &CustomerFile::headingsChanged);
        m_file->LoadAuxHeadings();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(m_file->headings(), QStringList({"Gate", "Dog", "Parking, rear", "", "", ""}));

        fixture::writeFile(path("/Backup/AuxHeadings.txt"), "old");
        QVERIFY(m_file->SaveAuxHeadings({"A", "B\nC", "", "D", "E", "F", "G"}));
        QCOMPARE(fixture::readFile(path("/AuxHeadings.txt")),
                 QByteArray("A\r\nB C\r\n\r\nD\r\nE\r\nF\r\n"));
        QVERIFY(!QFileInfo::exists(path("/Backup/AuxHeadings.txt")));
        m_file->LoadAuxHeadings();
        QCOMPARE(m_file->headings(), QStringList({"A", "B C", "", "D", "E", "F"}));
    }

    void headingsMissing()
    {
        m_file->LoadAuxHeadings();
        QCOMPARE(m_file->headings(), QStringList(6));
    }

    void statesList_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QStringList>("states");
        QStringList fifty;
        QByteArray fiftyFile;
        QByteArray moreFile;
        for (int i = 0; i < 50; ++i) {
            const QString code = QString(QChar(u'A' + i / 26)) + QChar(u'A' + i % 26);
            fifty << code;
            fiftyFile += "\"" + code.toLatin1() + "\"\r\n";
        }
        moreFile = fiftyFile + "\"ZZ\"\r\n\"ZY\"\r\n";
        QTest::newRow("fifty") << fiftyFile << true << fifty;
        QTest::newRow("more than fifty") << moreFile << true << fifty;
        QTest::newRow("shorter") << QByteArray("\"AL\"\r\n\"AK\"\r\n") << true
                                 << QStringList({"AL", "AK"});
        QTest::newRow("one line, commas")
            << QByteArray("\"AL\",\"AK\",\"AZ\"") << true << QStringList({"AL", "AK", "AZ"});
        QTest::newRow("empty") << QByteArray() << true << QStringList();
        QTest::newRow("missing: the fifty states are written")
            << QByteArray() << false
            << QStringList{"AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA",
                           "HI", "ID", "IL", "IN", "IA", "KS", "KY", "LA", "ME", "MD",
                           "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ",
                           "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI", "SC",
                           "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY"};
    }
    void statesList()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        QFETCH(QStringList, states);
        if (present)
            fixture::writeFile(path("/StatesList.txt"), content);
        QCOMPARE(m_file->LoadStates(), states);
        QVERIFY(QFileInfo::exists(path("/StatesList.txt")));
        if (!present) {
            QCOMPARE(fixture::readFile(path("/StatesList.txt")).left(12), QByteArray("\"AL\"\r\n\"AK\"\r\n"));
            QCOMPARE(m_file->LoadStates(), states);
        }
    }
};

QTEST_GUILESS_MAIN(TestCustomerFile)
#include "tst_customerfile.moc"
