#include "core/fixedrecord.h"
#include "customerbytes.h"
#include "customers/customerfile.h"
#include "customers/customerrecord.h"

#include <QTest>

Q_DECLARE_METATYPE(CustomerRecord)
Q_DECLARE_METATYPE(customers::InvoiceCustomer)

namespace {

// Every field filled to its full width with its own letter, so a field read or
// written one byte off shows up at once.
fixture::Customer fullWidth()
{
    fixture::Customer c;
    c.account = QByteArray(20, 'A');
    c.name = QByteArray(44, 'B') + "\xE9";
    c.address1 = QByteArray(35, 'C');
    c.address2 = QByteArray(25, 'D');
    c.address3 = QByteArray(25, 'E');
    c.city = QByteArray(20, 'F');
    c.state = "GG";
    c.postal = QByteArray(10, 'H');
    c.address4 = QByteArray(25, 'I');
    c.telephone = QByteArray(13, 'J');
    c.cell = QByteArray(13, 'K');
    c.email = QByteArray(30, 'L');
    c.title = QByteArray(10, 'M');
    c.first = QByteArray(15, 'N');
    c.initial = "O";
    c.last = QByteArray(25, 'P');
    c.type = "Business  ";
    c.flag = -2;
    c.spare = 0x1234;
    return c;
}

CustomerRecord fullWidthRecord()
{
    CustomerRecord r;
    r.account = QString(20, u'A');
    r.name = QString(44, u'B') + QChar(0xE9);
    r.address1 = QString(35, u'C');
    r.address2 = QString(25, u'D');
    r.address3 = QString(25, u'E');
    r.city = QString(20, u'F');
    r.state = "GG";
    r.postal = QString(10, u'H');
    r.address4 = QString(25, u'I');
    r.telephone = QString(13, u'J');
    r.cell = QString(13, u'K');
    r.email = QString(30, u'L');
    r.title = QString(10, u'M');
    r.firstName = QString(15, u'N');
    r.middleInitial = "O";
    r.lastName = QString(25, u'P');
    r.type = "Business";
    r.flag = -2;
    r.spare = 0x1234;
    return r;
}

CustomerRecord person(const QString &title, const QString &first, const QString &initial,
                      const QString &last)
{
    CustomerRecord r;
    r.title = title;
    r.firstName = first;
    r.middleInitial = initial;
    r.lastName = last;
    return r;
}

} // namespace

class TestCustomerRecord : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryFieldAtItsOffset()
    {
        const CustomerRecord read =
            CustomerRecord::fromRecord(FixedRecord(328, fixture::bytes(fullWidth())));
        QCOMPARE(read, fullWidthRecord());
        QVERIFY(read.isBusiness());
    }

    void writesEveryFieldAtItsOffset()
    {
        const QByteArray written = fullWidthRecord().toRecord().bytes();
        QCOMPARE(written.size(), 328);
        QCOMPARE(written, fixture::bytes(fullWidth()));
    }

    void textIsTrimmedAndCut_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("surrounding blanks")
            << "  Smith  " << QByteArray("Smith").leftJustified(25) << "Smith";
        QTest::newRow("longer than the field")
            << "Abcdefghijklmnopqrstuvwxyz0123" << QByteArray("Abcdefghijklmnopqrstuvwxy")
            << "Abcdefghijklmnopqrstuvwxy";
        QTest::newRow("outside the code page")
            << QString("Ko\u0142o") << QByteArray("Ko?o").leftJustified(25) << "Ko?o";
        QTest::newRow("empty") << "" << QByteArray(25, ' ') << "";
    }
    void textIsTrimmedAndCut()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, field);
        QFETCH(QString, readBack);
        CustomerRecord r;
        r.lastName = value;
        const QByteArray bytes = r.toRecord().bytes();
        QCOMPARE(bytes.mid(289, 25), field);
        QCOMPARE(r.stored().lastName, readBack);
        QCOMPARE(customers::storedText(value, 25), readBack);
    }

    void damagedRecordsReadWithoutHarm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<bool>("business");
        QTest::newRow("zero-filled") << QByteArray(328, '\0') << ""
                                     << "" << false;
        QTest::newRow("cut inside the account") << QByteArray("AB") << "AB"
                                                << "" << false;
        QTest::newRow("blanks") << QByteArray(328, ' ') << ""
                                << "" << false;
        QTest::newRow("garbage type") << (QByteArray("X1").leftJustified(289, ' ') +
                                          QByteArray("Lee").leftJustified(25, ' ') +
                                          QByteArray("business").leftJustified(14, '\xff'))
                                      << "X1"
                                      << "Lee" << false;
    }
    void damagedRecordsReadWithoutHarm()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, account);
        QFETCH(QString, lastName);
        QFETCH(bool, business);
        const CustomerRecord r = CustomerRecord::fromRecord(FixedRecord(328, bytes));
        QCOMPARE(r.account, account);
        QCOMPARE(r.lastName, lastName);
        QCOMPARE(r.isBusiness(), business);
    }

    void namesInBothForms_data()
    {
        QTest::addColumn<CustomerRecord>("record");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("entry");
        QTest::newRow("all parts") << person("Mr", "John", "Q", "Smith") << "Mr John Q. Smith"
                                   << "Smith, John Q";
        QTest::newRow("no initial") << person("Mrs", "Ann", "", "Lee") << "Mrs Ann Lee"
                                    << "Lee, Ann";
        QTest::newRow("no title") << person("", "Ann", "B", "Lee") << "Ann B. Lee"
                                  << "Lee, Ann B";
        QTest::newRow("blanks around parts")
            << person(" Ms ", " Ann ", " ", " Lee ") << "Ms Ann Lee"
            << "Lee, Ann";
        CustomerRecord shop = person("Mr", "John", "Q", "Smith");
        shop.type = "Business";
        shop.name = "  Mustang Farms ";
        QTest::newRow("business") << shop << "Mustang Farms"
                                  << "Mustang Farms";
        CustomerRecord empty;
        empty.type = "Business";
        QTest::newRow("business without name") << empty << ""
                                               << "";
    }
    void namesInBothForms()
    {
        QFETCH(CustomerRecord, record);
        QFETCH(QString, display);
        QFETCH(QString, entry);
        QCOMPARE(record.displayName(), display);
        QCOMPARE(record.listEntry(), entry);
    }

    void addressStyles()
    {
        CustomerRecord usa;
        usa.setAddress(true, "Springfield", "IL", "62701", "line 3", "line 4");
        QCOMPARE(usa.address3, QString("Springfield"));
        QCOMPARE(usa.city, QString("Springfield"));
        QCOMPARE(usa.state, QString("IL"));
        QCOMPARE(usa.postal, QString("62701"));
        QCOMPARE(usa.address4, QString("62701"));

        CustomerRecord free;
        free.state = "IL";
        free.setAddress(false, "Springfield", "IL", "62701", "Kowloon", "Hong Kong");
        QCOMPARE(free.address3, QString("Kowloon"));
        QCOMPARE(free.city, QString("Springfield"));
        QCOMPARE(free.state, QString());
        QCOMPARE(free.postal, QString("62701"));
        QCOMPARE(free.address4, QString("Hong Kong"));
    }

    void handedToTheInvoice_data()
    {
        QTest::addColumn<CustomerRecord>("record");
        QTest::addColumn<bool>("usaStyle");
        QTest::addColumn<customers::InvoiceCustomer>("expected");

        CustomerRecord r = person("Mr", "John", "", "Smith");
        r.account = "S100";
        r.address1 = "1 Elm St";
        r.address2 = "PO Box 9";
        r.setAddress(true, "Springfield", "IL", "62701", "", "");
        r.telephone = "217-555-0100";
        QTest::newRow("person, USA style")
            << r << true << customers::InvoiceCustomer{"Mr John  Smith", "1 Elm St", "PO Box 9",
                                                       "Springfield",    "IL",       "62701",
                                                       "217-555-0100",   "S100"};

        CustomerRecord f = r;
        f.setAddress(false, "", "", "EC1", "London", "UK");
        f.middleInitial = "Q";
        QTest::newRow("person, free lines")
            << f << false << customers::InvoiceCustomer{"Mr John Q Smith", "1 Elm St", "PO Box 9",
                                                        "London",          "",         "UK",
                                                        "217-555-0100",    "S100"};

        CustomerRecord b = r;
        b.type = "Business";
        b.name = "Acme Ltd";
        QTest::newRow("business") << b << true
                                  << customers::InvoiceCustomer{
                                         "Acme Ltd", "1 Elm St", "PO Box 9",     "Springfield",
                                         "IL",       "62701",    "217-555-0100", "S100"};
    }
    void handedToTheInvoice()
    {
        QFETCH(CustomerRecord, record);
        QFETCH(bool, usaStyle);
        QFETCH(customers::InvoiceCustomer, expected);
        const auto actual = customers::ForInvoice(record, usaStyle);
        QCOMPARE(actual.Customer, expected.Customer);
        QCOMPARE(actual.Address3, expected.Address3);
        QCOMPARE(actual.State, expected.State);
        QCOMPARE(actual.Address4, expected.Address4);
        QVERIFY(actual == expected);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("target"); // 0: no move
        QTest::newRow("first") << 0 << 7 << 10 << 1;
        QTest::newRow("previous") << 1 << 7 << 10 << 6;
        QTest::newRow("previous from 1") << 1 << 1 << 10 << 1;
        QTest::newRow("next") << 2 << 7 << 10 << 8;
        QTest::newRow("next from the last wraps") << 2 << 10 << 10 << 1;
        QTest::newRow("last") << 3 << 2 << 10 << 10;
        QTest::newRow("1/4 of 10") << 4 << 1 << 10 << 2;
        QTest::newRow("1/2 of 10") << 6 << 1 << 10 << 4;
        QTest::newRow("3/4 of 10") << 5 << 1 << 10 << 6;
        QTest::newRow("1/4 of 3") << 4 << 1 << 3 << 0;
        QTest::newRow("1/2 of 3") << 6 << 1 << 3 << 0;
        QTest::newRow("3/4 of 3") << 5 << 1 << 3 << 0;
        QTest::newRow("1/4 of 4") << 4 << 3 << 4 << 1;
        QTest::newRow("3/4 of 32767") << 5 << 1 << 32767 << 24573;
        QTest::newRow("empty file") << 0 << 0 << 0 << 0;
        QTest::newRow("no such button") << 7 << 1 << 10 << 0;
    }
    void navigation()
    {
        QFETCH(int, index);
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(int, target);
        QCOMPARE(customers::NavigationTarget(index, current, count).value_or(0), target);
    }

    void mustRuleEmptiesOnlyItsOwnPrompt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("placed");
        QTest::addColumn<bool>("empties");
        QTest::newRow("a name with Must") << "Mustang Farms"
                                          << "" << false;
        QTest::newRow("the prompt placed") << "Must enter a Name"
                                           << "Must enter a Name" << true;
        QTest::newRow("prompt edited") << "Must enter a Name X"
                                       << "Must enter a Name" << false;
        QTest::newRow("prompt without Must") << "Enter a Name"
                                             << "Enter a Name" << false;
    }
    void mustRuleEmptiesOnlyItsOwnPrompt()
    {
        QFETCH(QString, text);
        QFETCH(QString, placed);
        QFETCH(bool, empties);
        QCOMPARE(customers::MustRuleEmpties(text, placed), empties);
    }

    void titles()
    {
        QCOMPARE(customers::Titles(), QStringList({"Mr/Mrs", "Mr.", "Mrs", "Ms", "Miss"}));
    }
};

QTEST_GUILESS_MAIN(TestCustomerRecord)
#include "tst_customerrecord.moc"
