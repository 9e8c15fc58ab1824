#include "posting/invoicetotals.h"

#include "setup/settingsfiles.h"

#include <QTest>

using namespace invoicetotals;

namespace {

Money money(const char *plain)
{
    return *Money::fromPlainText(QString::fromLatin1(plain));
}

// "10.00 T" is a taxable line of $10.00, "5.00 F" one that is not taxed.
InvoiceDocument documentWith(const QStringList &lines)
{
    InvoiceDocument doc;
    for (const QString &amountAndFlag : lines) {
        const QStringList parts = amountAndFlag.split(QLatin1Char(' '));
        InvoiceLine line;
        line[InvoiceLine::Units] = QStringLiteral("1");
        line[InvoiceLine::Description] = QStringLiteral("Item");
        line[InvoiceLine::Amount] = parts.at(0);
        line[InvoiceLine::Taxable] = parts.value(1) == QLatin1String("T") ? QStringLiteral("True")
                                                                          : QStringLiteral("False");
        doc.lines.append(line);
    }
    return doc;
}

struct Scheme
{
    settingsfiles::TaxSettings taxes;
    settingsfiles::InvoiceSettings settings;
};

Scheme scheme(const QString &rate1, const QString &rate2, bool graduated = false,
              const QString &limit = {}, const QString &surcharge = {})
{
    Scheme s;
    s.taxes.rate1 = rate1;
    s.taxes.rate2 = rate2;
    s.settings.applyGraduated = graduated;
    s.settings.graduatedLimit = limit;
    s.settings.graduatedSurcharge = surcharge;
    return s;
}

} // namespace

class TestInvoiceTotals : public QObject
{
    Q_OBJECT

private slots:
    void subtotalAndTaxes_data();
    void subtotalAndTaxes();
    void offeredDiscountIsShownNotDeducted();
    void flatDiscountMustStayBelowTheInvoice_data();
    void flatDiscountMustStayBelowTheInvoice();
    void termsChooseTheDiscount_data();
    void termsChooseTheDiscount();
    void discountOptionsResetTheTerms_data();
    void discountOptionsResetTheTerms();
    void leftOverDiscountNeverReachesTheTotal_data();
    void leftOverDiscountNeverReachesTheTotal();
};

void TestInvoiceTotals::subtotalAndTaxes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("exempt");
    QTest::addColumn<bool>("secondTax");
    QTest::addColumn<bool>("graduated");
    QTest::addColumn<QString>("rate1");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("taxable");
    QTest::addColumn<QString>("tax");
    QTest::addColumn<QString>("tax2");
    QTest::addColumn<bool>("shown");

    const QStringList mixed = {"$10.00 T", "$10.00 T", "$5.00 F"};
    QTest::newRow("one rate") << mixed << false << false << false << "8.25"
                              << "25" << "20" << "1.65" << "0" << true;
    QTest::newRow("two rates") << mixed << false << true << false << "8.25"
                               << "25" << "20" << "1.65" << "0.8" << true;
    QTest::newRow("exempt") << mixed << true << true << false << "8.25"
                            << "25" << "0" << "0" << "0" << true;
    QTest::newRow("comma rate counts its whole part") << mixed << false << false << false << "7,5"
                                                      << "25" << "20" << "1.4" << "0" << true;
    QTest::newRow("rate not a number") << mixed << false << false << false << "abc"
                                       << "25" << "20" << "0" << "0" << true;
    QTest::newRow("graduated at the limit") << QStringList{"$100.00 T"} << false << false << true
                                            << "5" << "100" << "100" << "5" << "0" << true;
    QTest::newRow("graduated above the limit") << QStringList{"$100.01 T"} << false << true << true
                                               << "5" << "100.01" << "100.01" << "7.0007" << "2.5"
                                               << true;
    QTest::newRow("grouped amounts") << QStringList{"$1,250.00 T"} << false << false << false
                                     << "4" << "1250" << "1250" << "50" << "0" << true;
    QTest::newRow("no lines") << QStringList{} << false << false << false << "8.25"
                              << "0" << "0" << "0" << "0" << false;
    QTest::newRow("only zero amounts") << QStringList{"$0.00 T", "junk T"} << false << false
                                       << false << "8.25" << "0" << "0" << "0" << "0" << false;
    QTest::newRow("credit below zero") << QStringList{"($5.00) T"} << false << false << false
                                       << "8.25" << "-5" << "-5" << "0" << "0" << false;
}

void TestInvoiceTotals::subtotalAndTaxes()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, exempt);
    QFETCH(bool, secondTax);
    QFETCH(bool, graduated);
    QFETCH(QString, rate1);
    QFETCH(QString, total);
    QFETCH(QString, taxable);
    QFETCH(QString, tax);
    QFETCH(QString, tax2);
    QFETCH(bool, shown);

    InvoiceDocument doc = documentWith(lines);
    doc.options.exempt = exempt;
    doc.options.secondTax = secondTax;
    // Left over from an earlier computation: must not survive.
    doc.Tax = money("9");
    doc.Tax2 = money("9");
    const Scheme s = graduated ? scheme(rate1, QStringLiteral("7"), true, QStringLiteral("$100.00"),
                                        QStringLiteral("$2.50"))
                               : scheme(rate1, QStringLiteral("4"));
    QCOMPARE(ComputeSubtotalAndTaxes(doc, s.taxes, s.settings), shown);
    QCOMPARE(doc.Total.toPlainText(), Money::fromPlainText(total)->toPlainText());
    QCOMPARE(doc.TaxableTotal.toPlainText(), Money::fromPlainText(taxable)->toPlainText());
    QCOMPARE(doc.Tax.toPlainText(), Money::fromPlainText(tax)->toPlainText());
    QCOMPARE(doc.Tax2.toPlainText(), Money::fromPlainText(tax2)->toPlainText());
}

void TestInvoiceTotals::offeredDiscountIsShownNotDeducted()
{
    InvoiceDocument doc = documentWith({"$50.00 F"});
    const Scheme s = scheme(QStringLiteral("8"), QStringLiteral("4"));
    ChooseTerms(doc, 7);
    doc.FlatDiscount = money("5");
    FinalizeTotals(doc, s.taxes, s.settings);
    QCOMPARE(doc.Discount, money("1"));
    QCOMPARE(doc.FlatDiscount, Money());
    QCOMPARE(doc.GrandTotal, money("50"));

    // Not applied: no discount, whatever the rate list shows.
    doc.applyDiscount = false;
    FinalizeTotals(doc, s.taxes, s.settings);
    QCOMPARE(doc.Discount, Money());
}

void TestInvoiceTotals::flatDiscountMustStayBelowTheInvoice_data()
{
    QTest::addColumn<QString>("flat");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("grandTotal");
    QTest::newRow("above") << "30" << false << "27";
    QTest::newRow("equal") << "27" << false << "27";
    QTest::newRow("just below") << "26.99" << true << "0.01";
}

void TestInvoiceTotals::flatDiscountMustStayBelowTheInvoice()
{
    QFETCH(QString, flat);
    QFETCH(bool, accepted);
    QFETCH(QString, grandTotal);
    // 25.00 taxed at 8 % gives 2.00 tax.
    InvoiceDocument doc = documentWith({"$25.00 T"});
    const Scheme s = scheme(QStringLiteral("8"), QStringLiteral("4"));
    doc.discountOption = DiscountOption::Flat;
    doc.applyDiscount = true;
    const std::optional<QString> refusal =
        DeductFlatDiscount(doc, *Money::fromPlainText(flat), s.taxes, s.settings);
    QCOMPARE(refusal.has_value(), !accepted);
    if (refusal)
        QCOMPARE(*refusal, QStringLiteral("Your discount exceeds the Invoice Amount"));
    QCOMPARE(doc.applyDiscount, !accepted);
    FinalizeTotals(doc, s.taxes, s.settings);
    QCOMPARE(doc.GrandTotal, *Money::fromPlainText(grandTotal));
}

void TestInvoiceTotals::termsChooseTheDiscount_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("days");
    QTest::newRow("upon receipt") << 0 << int(DiscountOption::None) << false << "1.5" << "30";
    QTest::newRow("net 30") << 3 << int(DiscountOption::None) << false << "1.5" << "30";
    QTest::newRow("1% net 15") << 4 << int(DiscountOption::Calculate) << true << "1.0" << "10";
    QTest::newRow("2% net 20") << 7 << int(DiscountOption::Calculate) << true << "2.0" << "10";
    QTest::newRow("1% net 30") << 8 << int(DiscountOption::Calculate) << true << "1.0" << "10";
    QTest::newRow("2% net 30") << 9 << int(DiscountOption::Calculate) << true << "2.0" << "10";
    QTest::newRow("flat marker changes nothing") << 10 << int(DiscountOption::Flat) << true
                                                 << "1.5" << "30";
}

void TestInvoiceTotals::termsChooseTheDiscount()
{
    QFETCH(int, position);
    QFETCH(int, option);
    QFETCH(bool, applied);
    QFETCH(QString, rate);
    QFETCH(QString, days);
    InvoiceDocument doc;
    doc.discountOption = DiscountOption::Flat;
    doc.applyDiscount = true;
    doc.discountRate = QStringLiteral("1.5");
    doc.discountDays = QStringLiteral("30");
    ChooseTerms(doc, position);
    QCOMPARE(doc.terms, TermsList().at(position));
    QCOMPARE(int(doc.discountOption), option);
    QCOMPARE(doc.applyDiscount, applied);
    QCOMPARE(doc.discountRate, rate);
    QCOMPARE(doc.discountDays, days);
}

void TestInvoiceTotals::discountOptionsResetTheTerms_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("termsBefore");
    QTest::addColumn<int>("termsAfter"); // -1: left as they were
    QTest::addColumn<QString>("message");

    const QString none = QStringLiteral("You have Selected No Discount but your\r\n"
                                        "Invoice Terms were set to offer a Discount\r\n"
                                        "Your Invoice Terms have been reset to\r\n"
                                        "In full upon Receipt");
    const QString flat = QStringLiteral("You have Selected to Enter a Discount\r\n"
                                        "Your Invoice Terms have been reset to\r\n"
                                        "A Discount has been Applied\r\n"
                                        "You may wish to replace this setting");
    const QString calculate = QStringLiteral("You have Selected to Calculate a Discount but your\r\n"
                                             "Invoice Terms were set to no Discount\r\n"
                                             "Your Invoice Terms have been reset to\r\n"
                                             "Discount 1% in 10 days, Net 15 days");
    const int None = int(DiscountOption::None);
    const int Flat = int(DiscountOption::Flat);
    const int Calculate = int(DiscountOption::Calculate);
    QTest::newRow("none over discount terms") << None << 4 << 0 << none;
    QTest::newRow("none over the flat marker") << None << 10 << 0 << none;
    QTest::newRow("none over plain terms") << None << 3 << -1 << QString();
    QTest::newRow("flat always") << Flat << 2 << 10 << flat;
    QTest::newRow("flat over the flat marker") << Flat << 10 << 10 << flat;
    QTest::newRow("calculate over plain terms") << Calculate << 0 << 4 << calculate;
    QTest::newRow("calculate over the flat marker") << Calculate << 10 << 4 << calculate;
    QTest::newRow("calculate over discount terms") << Calculate << 9 << -1 << QString();
}

void TestInvoiceTotals::discountOptionsResetTheTerms()
{
    QFETCH(int, option);
    QFETCH(int, termsBefore);
    QFETCH(int, termsAfter);
    QFETCH(QString, message);
    InvoiceDocument doc;
    const std::optional<TermsReset> reset =
        ChooseDiscountOption(doc, DiscountOption(option), termsBefore);
    QCOMPARE(reset.has_value(), termsAfter >= 0);
    if (!reset)
        return;
    QCOMPARE(reset->position, termsAfter);
    QCOMPARE(reset->message, message);
    QCOMPARE(doc.terms, TermsList().at(termsAfter));
    // The reset terms' own click leaves the chosen option in place.
    QCOMPARE(int(doc.discountOption), option);
}

void TestInvoiceTotals::leftOverDiscountNeverReachesTheTotal_data()
{
    QTest::addColumn<int>("option");
    QTest::newRow("no discount") << int(DiscountOption::None);
    QTest::newRow("calculate") << int(DiscountOption::Calculate);
    QTest::newRow("flat") << int(DiscountOption::Flat);
}

void TestInvoiceTotals::leftOverDiscountNeverReachesTheTotal()
{
    QFETCH(int, option);
    InvoiceDocument doc = documentWith({"$40.00 F"});
    const Scheme s = scheme(QStringLiteral("8"), QStringLiteral("4"));
    doc.discountOption = DiscountOption::Flat;
    QVERIFY(!DeductFlatDiscount(doc, money("10"), s.taxes, s.settings));
    ChooseDiscountOption(doc, DiscountOption(option), 10);
    UntickApplyDiscount(doc);
    FinalizeTotals(doc, s.taxes, s.settings);
    QCOMPARE(doc.GrandTotal, money("40"));
    QCOMPARE(doc.Discount, Money());

    ClearTotals(doc);
    ComputeGrandTotal(doc);
    QCOMPARE(doc.GrandTotal, Money());
}

QTEST_GUILESS_MAIN(TestInvoiceTotals)
#include "tst_invoicetotals.moc"
