#include "customerbytes.h"
#include "invoiceroad.h"
#include "pdfwords.h"
#include "postedbytes.h"
#include "screenaccess.h"

#include <QDateEdit>
#include <QLabel>
#include <QLocale>
#include <QTableView>

using Target = Navigator::Target;

namespace {

QString gridRow(const QTableView *grid, int row)
{
    QStringList cells;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        cells.append(grid->model()->index(row, column).data().toString());
    return cells.join('|');
}

// The PDF's text as lines: words of one page on one baseline, left to right.
QStringList pdfLines(const QString &pdf)
{
    QList<PdfWord> words = pdfWords(pdf);
    std::sort(words.begin(), words.end(), [](const PdfWord &a, const PdfWord &b) {
        if (a.page != b.page)
            return a.page < b.page;
        if (qAbs(a.yMax - b.yMax) > 2)
            return a.yMax < b.yMax;
        return a.xMin < b.xMin;
    });
    QStringList lines;
    const PdfWord *last = nullptr;
    for (const PdfWord &word : words) {
        if (last && last->page == word.page && qAbs(last->yMax - word.yMax) <= 2)
            lines.last() += ' ' + word.text;
        else
            lines.append(word.text);
        last = &word;
    }
    return lines;
}

} // namespace

class tst_frmAccounts final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { m_road.close(); }

    // Two invoices posted through the invoice screen, then a partial payment and a
    // statement through the Accounts screen.
    void partialPaymentOnTwoPostedInvoices()
    {
        if (!pdfToTextInstalled())
            QSKIP("pdftotext is not installed");
        m_road.open(SoldTo{"Nia Moss", "4 Elm St", "", "Springfield", "IL", "62704", "555-0101", "N1"});
        fixture::Customer nia = fixture::business("N1", "Nia Moss");
        nia.address1 = "4 Elm St";
        nia.city = "Springfield";
        nia.state = "IL";
        nia.postal = "62704";
        fixture::writeFile(m_road.root() + "/CustomerData.txt", fixture::bytes(nia));
        m_road.clock.set(QDateTime(QDate(2026, 1, 10), QTime(10, 0)));
        m_road.postWashers("10");
        m_road.clock.set(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
        m_road.postWashers("10");
        QCOMPARE(m_road.grandTotal, QString("$15.83"));

        Screen *menu = m_road.showScreen(Target::MainMenu);
        screen::child<QAction>(menu, "mnuBalances")->trigger();
        Screen *accounts = m_road.program->screen(Target::Accounts);
        QVERIFY(accounts && accounts->isVisible());
        auto *grid = screen::child<QTableView>(accounts, "fgBalances");
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(gridRow(grid, 0), QString("N1|Nia Moss|3/14/2026|$31.66|63"));

        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
        QCOMPARE(screen::child<QComboBox>(accounts, "cboAccount")->currentText(), QString("N1"));
        QTest::keyClicks(screen::child<QLineEdit>(accounts, "txtAmount"), "10");
        auto *paidBy = screen::child<QComboBox>(accounts, "cboPaidBy");
        paidBy->setCurrentIndex(0);
        QTest::keyClicks(paidBy->lineEdit(), "77");
        QTest::keyClicks(screen::child<QLineEdit>(accounts, "txtReference"), "20260001");
        screen::click(accounts, "cmdRecordPayment");
        QCOMPARE(m_road.prompts.shown.size(), 0);
        QCOMPARE(screen::child<QLabel>(accounts, "lblRecorded")->text(), QString("$10.00 recorded on Account N1"));
        // The $10.00 pays the January invoice first: $5.83 of it is 63 days old.
        QCOMPARE(gridRow(grid, 0), QString("N1|Nia Moss|3/14/2026|$21.66|63"));
        QCOMPARE(screen::child<QLabel>(accounts, "lblTotal")->text(), QString("$21.66"));

        using postedbytes::ledger;
        const QByteArray expected = ledger("N1", "N1", "1/10/2026", "Previous Balance", "$0.00") +
                                    ledger("N1", "N1", "1/10/2026", "20260001", "$15.83") +
                                    ledger("N1", "N1", "3/14/2026", "20260002", "$15.83") +
                                    ledger("N1", "N1", "3/14/2026", "Payment Received", "$10.00");
        QCOMPARE(testfiles::readBytes(m_road.root() + "/PIActiveAccounts/N1.txt"), expected);
        QCOMPARE(testfiles::readBytes(m_road.root() + "/Backup/PIActiveAccounts/N1.txt"), expected);
        QCOMPARE(testfiles::readBytes(m_road.root() + "/CAPaymentRecords.txt"),
                 postedbytes::payment("Nia Moss", "N1", "3/14/2026",
                                      "Check # 77 for Invoice 20260001", "$10.00"));

        screen::child<QDateEdit>(accounts, "dtFrom")->setDate(QDate(2026, 1, 1));
        QFile::remove(m_road.dialogs.path);
        screen::click(accounts, "cmdPrintStatement");
        QCOMPARE(m_road.prompts.shown.size(), 0);
        const QStringList lines = pdfLines(m_road.dialogs.path);
        for (const QString &line :
             {"STATEMENT", "Acme", "Nia Moss", "4 Elm St", "Springfield, IL 62704", "Account: N1",
              "From 1/1/2026 to 3/14/2026", "Date Description Charges Payments Balance",
              "1/1/2026 Balance Brought Forward $0.00", "1/10/2026 Previous Balance $0.00",
              "1/10/2026 Invoice 20260001 $15.83 $15.83", "3/14/2026 Invoice 20260002 $15.83 $31.66",
              "3/14/2026 Payment Received $10.00 $21.66", "Balance Due $21.66",
              "Current 31-60 Days 61-90 Days Over 90 Days", "$15.83 $0.00 $5.83 $0.00"}) {
            QVERIFY2(lines.contains(line), qPrintable(line + " not in:\n" + lines.join('\n')));
        }
    }

    // A payment over the balance is asked about; a refused one is told and not written.
    void paymentQuestionsAndRefusals_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("written");

        const QString overpaid = "The Payment of $60.00 is more than the Balance of $50.00.\n"
                                 "Record it and leave a Credit on the Account?";
        QTest::newRow("credit declined") << "60" << QList<bool>{false} << overpaid << false;
        QTest::newRow("credit accepted") << "60" << QList<bool>{true} << overpaid << true;
        QTest::newRow("zero refused") << ".00" << QList<bool>{}
                                      << "The Amount Received must be more than $0.00" << false;
        QTest::newRow("none refused") << "" << QList<bool>{} << "Enter the Amount Received" << false;
    }
    void paymentQuestionsAndRefusals()
    {
        QFETCH(QString, amount);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, prompt);
        QFETCH(bool, written);
        m_road.open(SoldTo{});
        fixture::writeFile(m_road.root() + "/CustomerData.txt",
                           fixture::bytes(fixture::business("1001", "Bo's Garage")));
        const QString file = m_road.root() + "/PIActiveAccounts/1001.txt";
        const QByteArray ledger = postedbytes::ledger("1001", "1001", "3/1/2026", "Previous Balance", "$50.00");
        fixture::writeFile(file, ledger);

        Screen *accounts = m_road.showScreen(Target::Accounts);
        QTest::keyClicks(screen::child<QLineEdit>(accounts, "txtAmount"), amount);
        QTest::keyClicks(screen::child<QComboBox>(accounts, "cboPaidBy")->lineEdit(), "Cash");
        for (bool answer : answers)
            m_road.prompts.answerNext(answer);
        screen::click(accounts, "cmdRecordPayment");
        QCOMPARE(m_road.prompts.shown.size(), 1);
        QCOMPARE(m_road.prompts.shown.at(0).text, prompt);
        QCOMPARE(m_road.prompts.shown.at(0).title, QString("Payment Received"));
        QCOMPARE(testfiles::readBytes(file).size(), written ? 310 : 155);
        QCOMPARE(screen::child<QLabel>(accounts, "lblTotal")->text(),
                 QString(written ? "($10.00)" : "$50.00"));
    }

private:
    InvoiceRoad m_road;
};

QTEST_MAIN(tst_frmAccounts)
#include "tst_frmaccounts.moc"
