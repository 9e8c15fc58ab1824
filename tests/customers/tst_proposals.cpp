#include "core/datafolder.h"
#include "customers/proposals.h"
#include "proposalbytes.h"
#include "testfiles.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using fixture::ProposalHead;
using fixture::proposalBytes;

Q_DECLARE_METATYPE(SoldTo)

namespace {

SoldTo leeCustomer()
{
    SoldTo customer;
    customer.AcctNo = "LEE100";
    customer.Customer = "Ann Lee";
    customer.Street = "12 Elm St";
    customer.Address2 = "Suite 4";
    customer.Address3 = "Springfield";
    customer.State = "IL";
    customer.Address4 = "62701";
    customer.Tel = "217-555-0100";
    return customer;
}

ProposalHead numbered(const QByteArray &number)
{
    ProposalHead head;
    head.number = number;
    return head;
}

} // namespace

class tst_Proposals : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void headGivesTheSameCustomerWithOrWithoutFP_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("number");

        QTest::newRow("FP: eleven values") << proposalBytes(numbered("FP2031")) << "FP2031";
        QTest::newRow("no FP: eighteen values") << proposalBytes(numbered("P2031")) << "P2031";
        // The body that follows the head holds further quoted values: none may leak in.
        QTest::newRow("FP, body follows")
            << proposalBytes(numbered("FP2031"), "\"Mow lawn\",2,35.5,\"Other Co\"\r\n")
            << "FP2031";
        QTest::newRow("no FP, body follows")
            << proposalBytes(numbered("P2031"), "\"Mow lawn\",2,35.5,\"Other Co\"\r\n") << "P2031";
        // Lower case is not the marker: the seven values are skipped.
        QTest::newRow("fp in lower case") << proposalBytes(numbered("fp2031")) << "fp2031";
        QTest::newRow("LF line ends")
            << proposalBytes(numbered("FP2031")).replace("\r\n", "\n") << "FP2031";
    }

    void headGivesTheSameCustomerWithOrWithoutFP()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, number);
        const auto proposal = customers::ReadProposalHead(bytes);
        QVERIFY(proposal);
        QCOMPARE(proposal->number, number);
        QCOMPARE(proposal->amount, Money::fromUnits(12345000));
        QCOMPARE(proposal->created, QString("12/1/2026"));
        // Value 8 is the state and value 9 the city.
        QCOMPARE(proposal->customer, leeCustomer());
    }

    // What each damaged file yields: its number and amount in the list, or nothing.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("expected"); // "number amount" per proposal read

        auto with = [](auto change) {
            ProposalHead head;
            change(head);
            return proposalBytes(head);
        };
        const QByteArray good = proposalBytes(ProposalHead());

        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("only blank lines") << QByteArray("\r\n\r\n  \r\n") << QStringList();
        QTest::newRow("cut before the account") << good.left(20) << QStringList();
        QTest::newRow("cut after the name")
            << good.left(good.indexOf("\r\n")) << QStringList{"P1001 $1,234.50"};
        QTest::newRow("NULs") << QByteArray(5000, '\0') << QStringList();
        QTest::newRow("NULs after a good head")
            << good + QByteArray(200000, '\0') << QStringList{"P1001 $1,234.50"};
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary.append(char((i * 7919 + 13) % 256));
        QTest::newRow("non-text") << binary << QStringList();
        QTest::newRow("one huge line") << QByteArray(3 * 1024 * 1024, 'x') << QStringList();
        QTest::newRow("huge body after the head")
            << good + QByteArray(3 * 1024 * 1024, 'y') + "\r\n" << QStringList{"P1001 $1,234.50"};
        QTest::newRow("account with a slash")
            << with([](ProposalHead &h) { h.account = "../CustomerData"; }) << QStringList();
        QTest::newRow("account with a colon")
            << with([](ProposalHead &h) { h.account = "C:x"; }) << QStringList();
        QTest::newRow("empty account")
            << with([](ProposalHead &h) { h.account = ""; }) << QStringList();
        QTest::newRow("blank number")
            << with([](ProposalHead &h) { h.number = "  "; }) << QStringList();
        QTest::newRow("amount not a number")
            << with([](ProposalHead &h) { h.amount = "\"lots\""; })
            << QStringList{"P1001 $0.00"};
        QTest::newRow("amount 1e400")
            << with([](ProposalHead &h) { h.amount = "1e400"; }) << QStringList{"P1001 $0.00"};
        QTest::newRow("amount as currency text")
            << with([](ProposalHead &h) { h.amount = "\"$2,500.75\""; })
            << QStringList{"P1001 $2,500.75"};
        QTest::newRow("negative amount")
            << with([](ProposalHead &h) { h.amount = "-5"; }) << QStringList{"P1001 ($5.00)"};
        QTest::newRow("quote never closed")
            << QByteArray("\"P1,0,\"x\",\"A1\"") << QStringList();
    }

    void damagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QString file = dir.path() + "/PelmorProposals/Damaged.txt";
        QVERIFY(testfiles::writeBytes(file, bytes));
        DataFolder data(dir.path());

        QStringList read;
        for (const auto &proposal : customers::ReadProposals(data)) {
            ProposalListModel model;
            model.setProposals({proposal});
            read.append(proposal.number + u' ' +
                        model.index(0, ProposalListModel::Amount).data().toString());
        }
        QCOMPARE(read, expected);
        QCOMPARE(testfiles::readBytes(file), bytes);
    }

    void listsEveryProposalFileByName()
    {
        QTemporaryDir dir;
        // The folder is found whatever its case; any case of ".txt" is a proposal.
        const QString folder = dir.path() + "/pelmorproposals/";
        QVERIFY(testfiles::writeBytes(folder + "b.txt", proposalBytes(numbered("P2"))));
        QVERIFY(testfiles::writeBytes(folder + "A.TXT", proposalBytes(numbered("FP1"))));
        QVERIFY(testfiles::writeBytes(folder + "c.txt.bak", proposalBytes(numbered("P9"))));
        QVERIFY(testfiles::writeBytes(folder + "notes.doc", proposalBytes(numbered("P8"))));
        QVERIFY(QDir().mkpath(folder + "folder.txt"));
        // A pipe named as a proposal would block the read: it is passed over.
        QCOMPARE(::mkfifo(QFile::encodeName(folder + "pipe.txt").constData(), 0600), 0);
        QVERIFY(testfiles::writeBytes(folder + "z.txt", proposalBytes(numbered("P3"))));
        DataFolder data(dir.path());

        QStringList numbers;
        for (const auto &proposal : customers::ReadProposals(data))
            numbers.append(proposal.number);
        QCOMPARE(numbers, (QStringList{"FP1", "P2", "P3"}));
    }

    void noFolderIsNoProposals()
    {
        QTemporaryDir dir;
        DataFolder data(dir.path());
        QVERIFY(customers::ReadProposals(data).isEmpty());
    }

    void gridShowsTheWrittenColumns()
    {
        ProposalListModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        ProposalHead second = numbered("FP7");
        second.name = "Bob's \"Best\" Co";
        second.amount = "0.125";
        model.setProposals({*customers::ReadProposalHead(proposalBytes(ProposalHead())),
                            *customers::ReadProposalHead(proposalBytes(second))});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 4);
        QStringList headers;
        for (int column = 0; column < model.columnCount(); ++column)
            headers.append(model.headerData(column, Qt::Horizontal).toString());
        QCOMPARE(headers,
                 (QStringList{"Proposal No", "Created on", "Customer Information", "Amount"}));
        QStringList row;
        for (int column = 0; column < model.columnCount(); ++column)
            row.append(model.index(1, column).data().toString());
        QCOMPARE(row, (QStringList{"FP7", "12/1/2026", "Bob's ", "$0.13"}));
        QCOMPARE(model.index(0, ProposalListModel::Amount).data().toString(), QString("$1,234.50"));
        QCOMPARE(model.index(0, ProposalListModel::CustomerName)
                     .data(Qt::TextAlignmentRole)
                     .value<Qt::Alignment>(),
                 Qt::AlignLeft | Qt::AlignVCenter);
    }
};

QTEST_GUILESS_MAIN(tst_Proposals)
#include "tst_proposals.moc"
