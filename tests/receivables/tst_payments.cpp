#include "core/clock.h"
#include "core/datafolder.h"
#include "customerbytes.h"
#include "interruptions.h"
#include "postedbytes.h"
#include "receivables/ledger.h"
#include "receivables/payments.h"
#include "receivables/statement.h"
#include "testfiles.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace receivables;

namespace {

const QString File = QStringLiteral("/PIActiveAccounts/1001.txt");

QByteArray entry(const QString &date, const QString &description, const QString &amount)
{
    return postedbytes::ledger("1001", "1001", date, description, amount);
}

const QByteArray Posted = entry("1/2/2026", "Previous Balance", "$0.00") +
                          entry("1/2/2026", "20260001", "$250.00");

} // namespace

class tst_Payments final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkpath("PIActiveAccounts");
        QDir(m_dir->path()).mkpath("Backup/PIActiveAccounts");
        m_data = std::make_unique<DataFolder>(m_dir->path());
        fixture::writeFile(m_data->path("/CustomerData.txt"),
                           fixture::bytes(fixture::business("1001", "Nia Moss")));
    }

    // Nothing is written for a payment the checks refuse.
    void refusedPaymentWritesNothing_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QByteArray>("ledger");
        QTest::addColumn<QString>("message");

        const QDate day(2026, 3, 10);
        QTest::newRow("not a customer") << "9999" << day << "$5.00" << "Cash" << "" << Posted
                                        << "Choose the Account from the Customer file";
        QTest::newRow("after today") << "1001" << QDate(2026, 3, 15) << "$5.00" << "Cash" << ""
                                     << Posted << "The Payment Date cannot be after Today";
        QTest::newRow("zero") << "1001" << day << "$0.00" << "Cash" << "" << Posted
                              << "The Amount Received must be more than $0.00";
        QTest::newRow("negative") << "1001" << day << "($5.00)" << "Cash" << "" << Posted
                                  << "The Amount Received must be more than $0.00";
        QTest::newRow("not an amount") << "1001" << day << "abc" << "Cash" << "" << Posted
                                       << "The Amount Received \"abc\" is not an Amount";
        QTest::newRow("more than the field holds")
            << "1001" << day << "$12,345,678,901.00" << "Cash" << "" << Posted
            << "The Amount Received $12,345,678,901.00 is too large for the Account file";
        QTest::newRow("no form") << "1001" << day << "$5.00" << " " << "" << Posted
                                 << "Choose how the Payment was made";
        QTest::newRow("invoice not on the account") << "1001" << day << "$5.00" << "Cash" << "7"
                                                    << Posted << "Invoice 7 is not on Account 1001";
        QTest::newRow("ledger cut short")
            << "1001" << day << "$5.00" << "Cash" << "" << Posted + QByteArray(100, ' ')
            << "The Account file " + File + " cannot be read whole, so no Payment is entered on it:\n" +
                   File + ", record 3: only 100 of its 155 bytes are there, left out";
    }
    void refusedPaymentWritesNothing()
    {
        QFETCH(QString, account);
        QFETCH(QDate, date);
        QFETCH(QString, amount);
        QFETCH(QString, form);
        QFETCH(QString, reference);
        QFETCH(QByteArray, ledger);
        QFETCH(QString, message);
        QVERIFY(testfiles::writeBytes(m_data->path(File), ledger));
        Payments payments(*m_data, m_clock);
        QCOMPARE(payments.Record({account, date, amount, form, reference}), std::optional<QString>(message));
        QCOMPARE(testfiles::readBytes(m_data->path(File)), ledger);
        QVERIFY(!QFile::exists(m_data->path("/CAPaymentRecords.txt")));
        QVERIFY(!QFile::exists(m_data->path("/Backup" + File)));
    }

    // The entry, its backup and the payment record are laid out as a pre-paid invoice's.
    void paymentIsEnteredAsPrepaidOne()
    {
        QVERIFY(testfiles::writeBytes(m_data->path(File), Posted));
        Payments payments(*m_data, m_clock);
        const PaymentEntry partial{"1001", QDate(2026, 3, 10), "$200.00", "Check # 77", "20260001"};
        QVERIFY(!payments.Check(partial).overpays());
        QCOMPARE(payments.Record(partial), std::nullopt);

        const QByteArray ledger = Posted + entry("3/10/2026", "Payment Received", "$200.00");
        QCOMPARE(testfiles::readBytes(m_data->path(File)), ledger);
        QCOMPARE(testfiles::readBytes(m_data->path("/Backup" + File)), ledger);
        QCOMPARE(testfiles::readBytes(m_data->path("/CAPaymentRecords.txt")),
                 postedbytes::payment("Nia Moss", "1001", "3/10/2026",
                                      "Check # 77 for Invoice 20260001", "$200.00"));

        const PaymentCheck more = payments.Check({"1001", QDate(2026, 3, 14), "$60.00", "Cash", ""});
        QVERIFY(more.overpays());
        QCOMPARE(OverpaymentQuestion(more),
                 QString("The Payment of $60.00 is more than the Balance of $50.00.\n"
                         "Record it and leave a Credit on the Account?"));
    }

    void aPaymentKilledAtAnyCallIsWholeOrUndoneAtTheNextStart()
    {
        const auto fixture = [](const QString &root) {
            QVERIFY(testfiles::writeBytes(root + File, Posted));
            QVERIFY(testfiles::writeBytes(root + "/Backup" + File, Posted));
            fixture::writeFile(root + "/CustomerData.txt", fixture::bytes(fixture::business("1001", "Nia Moss")));
        };
        const auto pay = [this](const QString &root) {
            DataFolder data(root);
            return Payments(data, m_clock).Record({"1001", QDate(2026, 3, 10), "$200.00", "Cash", ""});
        };
        const interruptions::Report report = interruptions::killAtEveryCall(
            fixture, pay,
            "Recording a Payment on Account 1001 was interrupted and has been undone.\r\n"
            "Record the Payment again.",
            "Payment Not Recorded");
        QVERIFY2(report.faults.isEmpty(), qPrintable(report.faults.join(u'\n')));
        QVERIFY(report.undone > 0);
        qInfo().noquote() << report.summary();
    }

    void statementRunsTheBalanceOverTheRange()
    {
        QVERIFY(testfiles::writeBytes(
            m_data->path(File),
            Posted + entry("2/1/2026", "Payment Received", "$100.00") +
                entry("2/10/2026", "20260002", "$40.00") + entry("bad", "20260003", "$5.00") +
                entry("3/20/2026", "20260004", "$1.00")));
        const Ledger ledger = LedgerReader(*m_data).Read("1001");
        const Statement statement =
            MakeStatement(ledger, "1001", {"Nia Moss"}, QDate(2026, 2, 1), QDate(2026, 3, 14));
        QCOMPARE(statement.broughtForward.units(), 2500000);
        const QList<StatementLine> expected{
            {"2/1/2026", "Payment Received", Money(), Money::fromUnits(1000000), Money::fromUnits(1500000)},
            {"2/10/2026", "Invoice 20260002", Money::fromUnits(400000), Money(), Money::fromUnits(1900000)},
            {"bad", "Invoice 20260003", Money::fromUnits(50000), Money(), Money::fromUnits(1950000)}};
        QCOMPARE(statement.lines, expected);
        QCOMPARE(statement.balanceDue.units(), 1950000);
        // The $5 of unknown date counts as the oldest and is paid first; $155 of the
        // January invoice is 71 days old on the last day.
        const Ageing ageing{Money(), Money::fromUnits(400000), Money::fromUnits(1550000), Money(), 71};
        QCOMPARE(statement.ageing, ageing);
    }

private:
    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
};

QTEST_GUILESS_MAIN(tst_Payments)
#include "tst_payments.moc"
