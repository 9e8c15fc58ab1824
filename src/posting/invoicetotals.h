#pragma once

#include "invoice/invoicedocument.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace settingsfiles {
struct TaxSettings;
struct InvoiceSettings;
} // namespace settingsfiles

// The sub-total, taxes, offered discount and grand total of the invoice being built,
// and the rules that tie the terms list to the discount options. Pure operations on
// the document; the screen shows what they leave there.
namespace invoicetotals {

// Sums the lines into Total and TaxableTotal and computes Tax and Tax2 (one or two
// rates, or the graduated scheme). False when Total is not above 0: the summary
// boxes then stay as they were (the taxes are 0).
bool ComputeSubtotalAndTaxes(InvoiceDocument &doc, const settingsfiles::TaxSettings &taxes,
                             const settingsfiles::InvoiceSettings &settings);
// The early-payment discount of "Calculate Discount"; shown, never deducted. A
// calculated discount replaces a flat one, which therefore drops to 0.
void ComputeOfferedDiscount(InvoiceDocument &doc);
// Total + Tax + Tax2 + Ship + Misc - FlatDiscount, exact.
void ComputeGrandTotal(InvoiceDocument &doc);
// "&Finalize Invoice": the three above in order.
void FinalizeTotals(InvoiceDocument &doc, const settingsfiles::TaxSettings &taxes,
                    const settingsfiles::InvoiceSettings &settings);

// Every Money field of the totals back to 0 ("Clear Totals/Addons - Redo", and the
// amounts ClearInvoice resets).
void ClearTotals(InvoiceDocument &doc);
// Entering the print setup view: no flat discount, then the sub-total and taxes.
bool EnterPrintSetup(InvoiceDocument &doc, const settingsfiles::TaxSettings &taxes,
                     const settingsfiles::InvoiceSettings &settings);

// A percentage as the program reads rate texts: "." only, reading stops at the first
// character that cannot continue a number ("7,5" is 7, "abc" 0).
double rateOf(const QString &text);

// The terms list, positions 0 to 10.
const QStringList &TermsList();
constexpr int NoDiscountTermsEnd = 3;     // 0 to 3 offer no discount
constexpr int FlatDiscountTerms = 10;     // " A Discount has been Applied"
constexpr int CalculatedTermsDefault = 4; // "Discount 1% in 10 days, Net 15 days"
// The rate and days lists of the discount panel.
const QStringList &DiscountRates();
const QStringList &DiscountDays();

// Choosing terms (except position 10): no discount for 0 to 3; for 4 to 9 a
// calculated discount applied at 2.0 or 1.0 percent within 10 days.
void ChooseTerms(InvoiceDocument &doc, int position);
// Unticking "Apply to This Invoice".
void UntickApplyDiscount(InvoiceDocument &doc);

// What choosing a discount option does to the terms: the position they move to and
// the message that says so.
struct TermsReset
{
    int position = 0;
    QString message;
};
// Chooses the option: Discount and FlatDiscount drop to 0 (a discount from the option
// left behind would still count). The terms to move to, when they disagree with it.
std::optional<TermsReset> ChooseDiscountOption(InvoiceDocument &doc, DiscountOption option,
                                               int termsPosition);

// "Deduct Discount": recomputes the sub-total and taxes, then takes the flat discount
// when it is below the invoice amount. The refusal message otherwise (FlatDiscount
// is then 0).
std::optional<QString> DeductFlatDiscount(InvoiceDocument &doc, Money flat,
                                          const settingsfiles::TaxSettings &taxes,
                                          const settingsfiles::InvoiceSettings &settings);

} // namespace invoicetotals
