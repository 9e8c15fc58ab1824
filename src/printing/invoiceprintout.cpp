#include "printing/invoiceprintout.h"

#include "core/regional.h"

namespace {

QString optionalAmount(Money amount)
{
    return amount.isZero() ? QString() : regional::currencyText(amount);
}

} // namespace

InvoicePrintout invoicePrintout(const InvoiceDocument &document, const QDate &today,
                                bool usaStyle)
{
    InvoicePrintout out;
    out.number = document.number;
    out.account = document.AcctNo;
    out.date = regional::shortDate(today);
    out.soldTo = {document.Customer, document.Street,   document.Address2,
                  document.Address3, document.State,    document.Address4};
    out.usaStyle = usaStyle;
    out.printShipTo = document.options.printShipTo;
    for (int i = 0; i < InvoiceDocument::ShipToLines; ++i)
        out.shipTo[std::size_t(i)] = document.shipTo[std::size_t(i)].trimmed();
    out.attention = document.attention;
    out.reference = document.reference;
    out.carrier = document.carrier;
    out.shipDate = document.shipDate;
    out.today = today;
    out.terms = document.terms;
    out.lines = document.lines;
    out.totals.subTotal = regional::currencyText(document.Total);
    out.totals.tax1 = regional::currencyText(document.Tax);
    out.totals.tax2 = regional::currencyText(document.Tax2);
    out.totals.grandTotal = regional::currencyText(document.GrandTotal);
    out.totals.shipping = optionalAmount(document.Ship);
    out.totals.handling = optionalAmount(document.Misc);
    if (document.discountOption != DiscountOption::None)
        out.totals.discount = regional::currencyText(document.Discount);
    out.draft = document.PrintingDraft;
    out.printMemo = document.options.addMemo;
    return out;
}
