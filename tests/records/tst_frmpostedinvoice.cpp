#include "invoiceroad.h"
#include "screenaccess.h"

#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using Target = Navigator::Target;

namespace {

// The row whose cells contain `key`, as header -> cell text.
QMap<QString, QString> rowWith(const QTableView *grid, const QString &key)
{
    const QAbstractItemModel *model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QMap<QString, QString> cells;
        bool found = false;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QString text = model->index(row, column).data().toString();
            cells.insert(model->headerData(column, Qt::Horizontal).toString().trimmed(), text);
            found = found || text.trimmed() == key;
        }
        if (found)
            return cells;
    }
    return {};
}

} // namespace

class tst_frmPostedInvoice final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void cleanup() { m_road.close(); }

    void postedInvoiceAppearsInEveryRecord()
    {
        m_road.open(SoldTo{"Nia Moss", "4 Elm St", "", "Springfield", "IL", "62704", "555-0101", "N1"});
        m_road.postWashers("10");
        // $15.00 of washers with both taxes on it.
        QCOMPARE(m_road.grandTotal, QString("$15.83"));

        Screen *reprint = showScreen(Target::Reprint);
        const auto image = rowWith(screen::child<QTableView>(reprint, "fgReceivables"), "20260001");
        QVERIFY2(!image.isEmpty(), "the image is not listed");
        QVERIFY2(image.values().contains(m_road.grandTotal), qPrintable(QStringList(image.values()).join('|')));
        QVERIFY(image.values().contains("Nia Moss"));
        QVERIFY(m_road.prompts.shown.isEmpty());

        Screen *journal = showScreen(Target::InvoiceReport);
        const auto sale = rowWith(screen::child<QTableView>(journal, "fgSales"), "20260001");
        QVERIFY2(!sale.isEmpty(), "the invoice is not in the journal");
        QCOMPARE(sale.value("Grand Total").trimmed(), m_road.grandTotal);
        QVERIFY(sale.values().contains("Nia Moss"));
        QVERIFY(m_road.prompts.shown.isEmpty());

        Screen *sales = showScreen(Target::SalesReport);
        auto *products = screen::child<QListWidget>(sales, "lstSalesItems");
        const auto washer = products->findItems("Washer", Qt::MatchExactly);
        QCOMPARE(washer.size(), 1);
        washer.first()->setCheckState(Qt::Checked);
        QTest::mouseClick(screen::child<QPushButton>(sales, "cmdSales_3"), Qt::LeftButton);
        const auto sold = rowWith(screen::child<QTableView>(sales, "fgSalesItems"), "20260001");
        QVERIFY2(!sold.isEmpty(), "the sold item is not listed");
        QVERIFY(sold.values().contains("Washer"));
        QVERIFY(sold.values().contains("10"));
        const auto total = rowWith(screen::child<QTableView>(sales, "fgTotals"), "Washer");
        QVERIFY(total.values().contains("10"));
        QVERIFY(m_road.prompts.shown.isEmpty());
    }

private:
    Screen *showScreen(Target target) { return m_road.showScreen(target); }

    InvoiceRoad m_road;
};

QTEST_MAIN(tst_frmPostedInvoice)
#include "tst_frmpostedinvoice.moc"
