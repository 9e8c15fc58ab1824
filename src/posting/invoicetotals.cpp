#include "posting/invoicetotals.h"

#include "core/regional.h"
#include "setup/settingsfiles.h"

namespace invoicetotals {

namespace {

Money percentOf(Money amount, double rate)
{
    // One product in double, rounded once.
    return Money::fromDouble(amount.toDouble() * rate / 100.0);
}

const QString CrLf = QStringLiteral("\r\n");

} // namespace

double rateOf(const QString &text)
{
    return regional::valuePrefix(text);
}

bool ComputeSubtotalAndTaxes(InvoiceDocument &doc, const settingsfiles::TaxSettings &taxes,
                             const settingsfiles::InvoiceSettings &settings)
{
    doc.Tax = Money();
    doc.Tax2 = Money();
    doc.Total = Money();
    doc.TaxableTotal = Money();
    for (const InvoiceLine &line : doc.lines) {
        const Money amount = regional::parseMoney(line[InvoiceLine::Amount]).value_or(Money());
        doc.Total += amount;
        if (!doc.options.exempt && line[InvoiceLine::Taxable] == QLatin1String("True"))
            doc.TaxableTotal += amount;
    }
    if (doc.Total <= Money())
        return false;
    if (doc.TaxableTotal.isZero())
        return true;

    if (!settings.applyGraduated) {
        doc.Tax = percentOf(doc.TaxableTotal, rateOf(taxes.rate1));
        if (doc.options.secondTax)
            doc.Tax2 = percentOf(doc.TaxableTotal, rateOf(taxes.rate2));
        return true;
    }
    const Money limit = regional::parseMoney(settings.graduatedLimit).value_or(Money());
    if (doc.TaxableTotal > limit) {
        doc.Tax = percentOf(doc.TaxableTotal, rateOf(taxes.rate2));
        doc.Tax2 = regional::parseMoney(settings.graduatedSurcharge).value_or(Money());
    } else {
        doc.Tax = percentOf(doc.TaxableTotal, rateOf(taxes.rate1));
    }
    return true;
}

void ComputeOfferedDiscount(InvoiceDocument &doc)
{
    if (doc.discountOption != DiscountOption::Calculate)
        return;
    doc.Discount = Money();
    if (doc.applyDiscount) {
        doc.Discount = percentOf(doc.Total, rateOf(doc.discountRate));
        doc.FlatDiscount = Money();
    }
}

void ComputeGrandTotal(InvoiceDocument &doc)
{
    doc.GrandTotal = doc.Total + doc.Tax + doc.Tax2 + doc.Ship + doc.Misc - doc.FlatDiscount;
}

void FinalizeTotals(InvoiceDocument &doc, const settingsfiles::TaxSettings &taxes,
                    const settingsfiles::InvoiceSettings &settings)
{
    ComputeSubtotalAndTaxes(doc, taxes, settings);
    ComputeOfferedDiscount(doc);
    ComputeGrandTotal(doc);
}

void ClearTotals(InvoiceDocument &doc)
{
    doc.Total = Money();
    doc.Tax = Money();
    doc.Tax2 = Money();
    doc.GrandTotal = Money();
    doc.TaxableTotal = Money();
    doc.Ship = Money();
    doc.Misc = Money();
    doc.Discount = Money();
    doc.FlatDiscount = Money();
}

bool EnterPrintSetup(InvoiceDocument &doc, const settingsfiles::TaxSettings &taxes,
                     const settingsfiles::InvoiceSettings &settings)
{
    doc.FlatDiscount = Money();
    return ComputeSubtotalAndTaxes(doc, taxes, settings);
}

const QStringList &TermsList()
{
    static const QStringList terms = {
        QStringLiteral("Payment due in Full upon Receipt"),
        QStringLiteral("Payment due in Full within 10 Days"),
        QStringLiteral("Payment due in Full within 15 Days"),
        QStringLiteral("Payment due in Full within 30 Days"),
        QStringLiteral("Discount 1% in 10 days, Net 15 days"),
        QStringLiteral("Discount 2% in 10 days, Net 15 days"),
        QStringLiteral("Discount 1% in 10 days, Net 20 days"),
        QStringLiteral("Discount 2% in 10 days, Net 20 days"),
        QStringLiteral("Discount 1% in 10 days, Net 30 days"),
        QStringLiteral("Discount 2% in 10 days, Net 30 days"),
        QStringLiteral(" A Discount has been Applied"),
    };
    return terms;
}

const QStringList &DiscountRates()
{
    static const QStringList rates = {
        QStringLiteral("0.0"), QStringLiteral("1.0"), QStringLiteral("1.5"), QStringLiteral("2.0"),
        QStringLiteral("0,0"), QStringLiteral("1,0"), QStringLiteral("1,5"), QStringLiteral("2,0"),
    };
    return rates;
}

const QStringList &DiscountDays()
{
    static const QStringList days = {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("15"),
                                     QStringLiteral("20"), QStringLiteral("30")};
    return days;
}

void ChooseTerms(InvoiceDocument &doc, int position)
{
    if (position < 0 || position >= TermsList().size())
        return;
    doc.terms = TermsList().at(position);
    if (position == FlatDiscountTerms)
        return;
    if (position <= NoDiscountTermsEnd) {
        doc.applyDiscount = false;
        doc.discountOption = DiscountOption::None;
        return;
    }
    doc.discountOption = DiscountOption::Calculate;
    doc.applyDiscount = true;
    doc.discountDays = QStringLiteral("10");
    // Odd positions offer 2 %, even ones 1 %.
    doc.discountRate = position % 2 == 1 ? QStringLiteral("2.0") : QStringLiteral("1.0");
}

void UntickApplyDiscount(InvoiceDocument &doc)
{
    doc.applyDiscount = false;
    doc.discountRate = QStringLiteral("0.0");
    doc.discountDays = QStringLiteral("0");
}

std::optional<TermsReset> ChooseDiscountOption(InvoiceDocument &doc, DiscountOption option,
                                               int termsPosition)
{
    doc.discountOption = option;
    doc.Discount = Money();
    doc.FlatDiscount = Money();
    std::optional<TermsReset> reset;
    switch (option) {
    case DiscountOption::None:
        if (termsPosition > NoDiscountTermsEnd) {
            reset = TermsReset{0, QStringLiteral("You have Selected No Discount but your") + CrLf +
                                      QStringLiteral("Invoice Terms were set to offer a Discount") +
                                      CrLf + QStringLiteral("Your Invoice Terms have been reset to") +
                                      CrLf + QStringLiteral("In full upon Receipt")};
        }
        break;
    case DiscountOption::Flat:
        if (doc.GrandTotal > Money())
            ComputeGrandTotal(doc);
        reset = TermsReset{FlatDiscountTerms,
                           QStringLiteral("You have Selected to Enter a Discount") + CrLf +
                               QStringLiteral("Your Invoice Terms have been reset to") + CrLf +
                               QStringLiteral("A Discount has been Applied") + CrLf +
                               QStringLiteral("You may wish to replace this setting")};
        break;
    case DiscountOption::Calculate:
        if (termsPosition == FlatDiscountTerms || termsPosition <= NoDiscountTermsEnd) {
            reset = TermsReset{
                CalculatedTermsDefault,
                QStringLiteral("You have Selected to Calculate a Discount but your") + CrLf +
                    QStringLiteral("Invoice Terms were set to no Discount") + CrLf +
                    QStringLiteral("Your Invoice Terms have been reset to") + CrLf +
                    QStringLiteral("Discount 1% in 10 days, Net 15 days")};
        }
        break;
    }
    if (reset)
        ChooseTerms(doc, reset->position);
    return reset;
}

std::optional<QString> DeductFlatDiscount(InvoiceDocument &doc, Money flat,
                                          const settingsfiles::TaxSettings &taxes,
                                          const settingsfiles::InvoiceSettings &settings)
{
    ComputeSubtotalAndTaxes(doc, taxes, settings);
    if (flat < doc.Total + doc.Tax + doc.Tax2 + doc.Ship + doc.Misc) {
        doc.FlatDiscount = flat;
        doc.applyDiscount = false;
        return std::nullopt;
    }
    doc.FlatDiscount = Money();
    return QStringLiteral("Your discount exceeds the Invoice Amount");
}

} // namespace invoicetotals
