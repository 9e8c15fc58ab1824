#include "core/datafolder.h"
#include "customerbytes.h"
#include "postedbytes.h"
#include "receivables/balances.h"
#include "receivables/ledger.h"
#include "testfiles.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace receivables;

namespace {

const QDate Today(2026, 3, 14);
const QString File = QStringLiteral("/PIActiveAccounts/1001.txt");

QByteArray entry(const QString &date, const QString &description, const QString &amount)
{
    return postedbytes::ledger("1001", "1001", date, description, amount);
}
QByteArray opening(const QString &date = "1/1/2026", const QString &amount = "$0.00")
{
    return entry(date, "Previous Balance", amount);
}
QByteArray payment(const QString &date, const QString &amount)
{
    return entry(date, "Payment Received", amount);
}

qint64 dollars(double value)
{
    return qRound64(value * 10000);
}

} // namespace

class tst_Ledger final : public QObject
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
    }

    // Balance: opening plus invoices less payments; payments pay the oldest first.
    void balanceAndAgeing_data()
    {
        QTest::addColumn<QByteArray>("ledger");
        QTest::addColumn<qint64>("balance");
        QTest::addColumn<QList<qint64>>("aged"); // current, 31-60, 61-90, over 90
        QTest::addColumn<qint64>("oldestDays");  // -1: nothing owed

        const QByteArray twoInvoices = opening() + entry("1/5/2026", "1001", "$100.00") +
                                       entry("3/1/2026", "1002", "$50.00");
        QTest::newRow("two invoices by age")
            << twoInvoices << dollars(150) << QList<qint64>{dollars(50), 0, dollars(100), 0} << 68ll;
        QTest::newRow("payment pays the oldest first")
            << twoInvoices + payment("3/10/2026", "$120.00") << dollars(30)
            << QList<qint64>{dollars(30), 0, 0, 0} << 13ll;
        QTest::newRow("entries out of date order")
            << opening() + entry("3/1/2026", "1002", "$50.00") + entry("1/5/2026", "1001", "$100.00") +
                   payment("3/10/2026", "$120.00")
            << dollars(30) << QList<qint64>{dollars(30), 0, 0, 0} << 13ll;
        QTest::newRow("overpayment leaves a credit")
            << opening() + entry("1/5/2026", "1001", "$100.00") + payment("1/9/2026", "$150.00")
            << dollars(-50) << QList<qint64>{0, 0, 0, 0} << -1ll;
        QTest::newRow("opening balance owed")
            << opening("10/1/2025", "$40.00") << dollars(40) << QList<qint64>{0, 0, 0, dollars(40)}
            << 164ll;
        QTest::newRow("negative entry is a credit")
            << opening() + entry("1/5/2026", "1001", "$100.00") + entry("2/1/2026", "1002", "($30.00)")
            << dollars(70) << QList<qint64>{0, 0, dollars(70), 0} << 68ll;
        QTest::newRow("unreadable amount counts as zero")
            << opening() + entry("1/5/2026", "1001", "12x") + entry("3/1/2026", "1002", "$50.00")
            << dollars(50) << QList<qint64>{dollars(50), 0, 0, 0} << 13ll;
        QTest::newRow("unreadable date ages as the oldest")
            << opening() + entry("13/45/2026", "1001", "$10.00") + entry("3/1/2026", "1002", "$5.00")
            << dollars(15) << QList<qint64>{dollars(5), 0, 0, dollars(10)} << 13ll;
        QTest::newRow("large amount without grouping")
            << opening() + entry("3/1/2026", "1001", "150000.00") << dollars(150000)
            << QList<qint64>{dollars(150000), 0, 0, 0} << 13ll;
    }
    void balanceAndAgeing()
    {
        QFETCH(QByteArray, ledger);
        QFETCH(qint64, balance);
        QFETCH(QList<qint64>, aged);
        QFETCH(qint64, oldestDays);
        QVERIFY(testfiles::writeBytes(m_data->path(File), ledger));
        const Ledger read = LedgerReader(*m_data).Read("1001");
        QCOMPARE(read.balance().units(), balance);
        const Ageing ageing = AgeingOf(read.lines, Today);
        QCOMPARE((QList<qint64>{ageing.current.units(), ageing.days31to60.units(),
                                ageing.days61to90.units(), ageing.over90.units()}),
                 aged);
        QCOMPARE(ageing.oldestDays.value_or(-1), oldestDays);

        // The balance list reads without keeping lines, to the same sums.
        LedgerTally tally;
        LedgerReader(*m_data).Read("1001", tally);
        QCOMPARE(tally.balance(), read.balance());
        LedgerTally fromLines;
        for (const LedgerLine &line : read.lines)
            fromLines.add(line.kind, line.date, line.amount);
        QCOMPARE(tally.lastInvoice(), fromLines.lastInvoice());
        QCOMPARE(tally.ageing(Today), ageing);
    }

    // Damage is reported with the file and record; only a ledger read whole takes entries.
    void damageIsReported_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QByteArray>("ledger"); // "folder": a folder in its place
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("takesEntries");
        QTest::addColumn<QStringList>("problems");

        QTest::newRow("odd length") << "1001" << opening() + entry("1/5/2026", "1001", "$9.00") + QByteArray(100, 'x')
                                    << 2 << false
                                    << QStringList{File + ", record 3: only 100 of its 155 bytes are there, left out"};
        QTest::newRow("folder in its place") << "1001" << QByteArray("folder") << 0 << false
                                             << QStringList{File + ": is not a file that can be read"};
        QTest::newRow("account names no file") << "a/b" << QByteArray() << 0 << false
                                               << QStringList{"a/b: the Account Number cannot name a file"};
        QTest::newRow("amount and date unreadable")
            << "1001" << opening() + entry("someday", "1001", "abc") << 2 << true
            << QStringList{File + ", record 2: the amount \"abc\" is not an amount, counted as zero",
                           File + ", record 2: the date \"someday\" cannot be read, aged as the oldest"};
        QTest::newRow("restored from its backup") << "1001" << QByteArray("backup") << 1 << true
                                                  << QStringList{};
    }
    void damageIsReported()
    {
        QFETCH(QString, account);
        QFETCH(QByteArray, ledger);
        QFETCH(int, lines);
        QFETCH(bool, takesEntries);
        QFETCH(QStringList, problems);
        if (ledger == "folder")
            QVERIFY(QDir().mkpath(m_data->path(File)));
        else if (ledger == "backup")
            QVERIFY(testfiles::writeBytes(m_dir->path() + "/Backup" + File, opening()));
        else if (!ledger.isEmpty())
            QVERIFY(testfiles::writeBytes(m_data->path(File), ledger));
        const Ledger read = LedgerReader(*m_data).Read(account);
        QCOMPARE(read.lines.size(), lines);
        QCOMPARE(read.takesEntries(), takesEntries);
        QStringList texts;
        for (const LedgerProblem &problem : read.problems)
            texts.append(problem.text());
        QCOMPARE(texts, problems);
    }

    void balanceListMatchesLedgers()
    {
        using namespace fixture;
        writeFile(m_data->path("/CustomerData.txt"),
                  bytes(person("1001", "Nia", "Moss")) + bytes(business("1002", "Bo's Garage")) +
                      bytes(business("1003", "No Ledger")) + bytes(business("a/b", "Slash")));
        QVERIFY(testfiles::writeBytes(m_data->path(File), opening() + entry("1/5/2026", "7", "$100.00") +
                                                            entry("2/20/2026", "8", "$50.00")));
        QVERIFY(testfiles::writeBytes(m_data->path("/PIActiveAccounts/1002.txt"),
                                      opening() + entry("3/1/2026", "9", "$20.00") +
                                          payment("3/2/2026", "$25.00")));
        const BalanceList list = ListBalances(*m_data, Today);
        QCOMPARE(list.total.units(), dollars(145));
        QCOMPARE(list.problems.size(), 1);

        BalanceListModel model;
        model.setRows(list.rows);
        model.sort(BalanceListModel::Balance, Qt::DescendingOrder);
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column)
                cells.append(model.index(row, column).data().toString());
            shown.append(cells.join('|'));
        }
        QCOMPARE(shown, (QStringList{"1001|Nia Moss|2/20/2026|$150.00|68", "a/b|Slash|||",
                                     "1002|Bo's Garage|3/1/2026|($5.00)|"}));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
};

QTEST_GUILESS_MAIN(tst_Ledger)
#include "tst_ledger.moc"
