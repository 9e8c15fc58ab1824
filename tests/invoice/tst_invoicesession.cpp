#include "invoice/invoicesession.h"

#include "core/clock.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

namespace {

InvoiceLine row(const QString &units, const QString &description, const QString &price,
                const QString &amount, const QString &taxable = "True")
{
    InvoiceLine line;
    line.cells = {units, description, "", price, amount, taxable};
    return line;
}

QStringList descriptions(const InvoiceSession &session)
{
    QStringList out;
    for (int n = 1; n <= session.LineCount(); ++n)
        out.append(session.line(n)[InvoiceLine::Description]);
    return out;
}

} // namespace

class TestInvoiceSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_doc = InvoiceDocument();
        m_doc.Customer = "Ada";
        m_doc.AcctNo = "A1";
        m_session = std::make_unique<InvoiceSession>(m_doc, m_clock);
        for (const char *name : {"one", "two", "three", "four", "five"})
            m_session->addLine(row("1", name, "$1.00", "$1.00"));
    }

    void deleteMovesLaterLinesUp()
    {
        QVERIFY(m_session->deleteLine(3));
        QCOMPARE(descriptions(*m_session), (QStringList{"one", "two", "four", "five"}));
        QVERIFY(!m_session->deleteLine(5));
        QVERIFY(!m_session->deleteLine(0));
        QCOMPARE(m_session->LineCount(), 4);
    }

    void moves_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QStringList>("after");
        const QStringList unchanged{"one", "two", "three", "four", "five"};
        QTest::newRow("up") << 3 << true << QStringList{"one", "three", "two", "four", "five"};
        QTest::newRow("down") << 3 << false << QStringList{"one", "two", "four", "three", "five"};
        QTest::newRow("first up") << 1 << true << unchanged;
        QTest::newRow("last down") << 5 << false << unchanged;
        QTest::newRow("empty row down") << 6 << false << unchanged;
        QTest::newRow("onto a line without units") << 1 << false << unchanged;
        QTest::newRow("a line without units") << 2 << true << unchanged;
    }

    void moves()
    {
        QFETCH(int, line);
        QFETCH(bool, up);
        QFETCH(QStringList, after);
        m_doc.lines[1][InvoiceLine::Units].clear(); // "two" is a service line
        up ? m_session->moveUp(line) : m_session->moveDown(line);
        QCOMPARE(descriptions(*m_session), after);
    }

    void taxableToggleOnlyOnFilledLinesWithUnits()
    {
        m_doc.lines[0][InvoiceLine::Taxable] = "x";
        QVERIFY(m_session->toggleTaxable(1));
        QCOMPARE(m_session->line(1)[InvoiceLine::Taxable], QString("True"));
        QVERIFY(m_session->toggleTaxable(1));
        QCOMPARE(m_session->line(1)[InvoiceLine::Taxable], QString("False"));
        QVERIFY(!m_session->toggleTaxable(6));
        QCOMPARE(m_session->LineCount(), 5);
    }

    void gridKeys_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys"); // "\b" is Backspace, "\r" Enter
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("amount");
        QTest::newRow("units typed then Enter") << 0 << "5\r" << "15" << "$1.00" << "$15.00";
        QTest::newRow("units backspace") << 0 << "\b" << "" << "$1.00" << "$0.00";
        QTest::newRow("units letter ignored") << 0 << "a" << "1" << "$1.00" << "$1.00";
        QTest::newRow("price backspace then digits") << 3 << "\b2.55\r" << "1" << "$2.55" << "$2.55";
        QTest::newRow("second point ignored") << 3 << "\b1.2.5\r" << "1" << "$1.25" << "$1.25";
        QTest::newRow("other column") << 1 << "9\r" << "1" << "$1.00" << "$1.00";
    }

    void gridKeys()
    {
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QString, units);
        QFETCH(QString, price);
        QFETCH(QString, amount);
        for (const QChar key : keys) {
            if (key == QLatin1Char('\r'))
                m_session->gridEnter(1);
            else
                m_session->gridKey(1, column, key);
        }
        QCOMPARE(m_session->line(1)[InvoiceLine::Units], units);
        QCOMPARE(m_session->line(1)[InvoiceLine::Price], price);
        QCOMPARE(m_session->line(1)[InvoiceLine::Amount], amount);
    }

    void unitsPastSixteenBitsRefusedAsTyped()
    {
        m_doc.lines[0][InvoiceLine::Units] = "3276";
        QVERIFY(m_session->gridKey(1, 0, '7').changed);
        const InvoiceSession::KeyResult refused = m_session->gridKey(1, 0, '0');
        QVERIFY(!refused.changed);
        QVERIFY(refused.beep);
        QCOMPARE(refused.message, QString("The Units may not be more than 32767"));
        m_session->gridEnter(1);
        QCOMPARE(m_session->line(1)[InvoiceLine::Units], QString("32767"));
        QCOMPARE(m_session->line(1)[InvoiceLine::Amount], QString("$32,767.00"));
    }

    void laborLinesRefuseEdits()
    {
        m_doc.lines[0] = row("2 Hrs", "General Labor", "$40.00", "$80.00");
        const InvoiceSession::KeyResult result = m_session->gridKey(1, 0, '5');
        QVERIFY(!result.changed);
        QCOMPARE(result.message, InvoiceSession::laborEditMessage());
        QCOMPARE(m_session->line(1)[InvoiceLine::Units], QString("2 Hrs"));
    }

    void nonNumberUnitsResetOnEnter()
    {
        m_doc.lines[0][InvoiceLine::Units] = "1.2.3";
        const InvoiceSession::KeyResult result = m_session->gridEnter(1);
        QVERIFY(result.beep);
        QCOMPARE(m_session->line(1)[InvoiceLine::Units], QString("0"));
        QCOMPARE(m_session->line(1)[InvoiceLine::Amount], QString("$0.00"));
    }

    void hundredLinesAtMost()
    {
        for (int n = 6; n <= 100; ++n)
            QVERIFY(m_session->addLine(row("1", QString::number(n), "$1.00", "$1.00")));
        QVERIFY(m_session->isFull());
        QVERIFY(!m_session->addLine(row("1", "extra", "$1.00", "$1.00")));
        QCOMPARE(m_session->LineCount(), 100);
        QVERIFY(m_session->deleteLine(50));
        QVERIFY(!m_session->isFull());
    }

    void clearKeepsTheCustomer_data()
    {
        QTest::addColumn<bool>("newInvoice");
        QTest::addColumn<QString>("reference");
        QTest::newRow("new") << true << "";
        QTest::newRow("recalled") << false << "PO 7";
    }

    void clearKeepsTheCustomer()
    {
        QFETCH(bool, newInvoice);
        QFETCH(QString, reference);
        m_doc.reference = "PO 7";
        m_doc.Total = Money::fromUnits(50000);
        m_doc.Ship = Money::fromUnits(10000);
        m_doc.serviceDate = QDate(2020, 1, 1);
        QSignalSpy spy(m_session.get(), &InvoiceSession::cleared);
        m_session->ClearInvoice(newInvoice);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(m_doc.LineCount(), 0);
        QCOMPARE(m_doc.Total, Money());
        QCOMPARE(m_doc.Ship, Money());
        QCOMPARE(m_doc.reference, reference);
        QCOMPARE(m_doc.serviceDate, QDate(2026, 3, 14));
        QCOMPARE(m_doc.Customer, QString("Ada"));
        QCOMPARE(m_doc.AcctNo, QString("A1"));
    }

    void gridModelShowsTheLines()
    {
        InvoiceLinesModel model(*m_session);
        QCOMPARE(model.rowCount(), 100);
        QCOMPARE(model.columnCount(), 6);
        QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
        m_session->deleteLine(2);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toModelIndex().row(), 1);
        QCOMPARE(spy.at(0).at(1).toModelIndex().row(), 4);
        QCOMPARE(model.index(1, 1).data().toString(), QString("three"));
        QCOMPARE(model.index(4, 1).data().toString(), QString());
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }

private:
    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    InvoiceDocument m_doc;
    std::unique_ptr<InvoiceSession> m_session;
};

QTEST_GUILESS_MAIN(TestInvoiceSession)
#include "tst_invoicesession.moc"
