#pragma once

#include "invoice/invoicedocument.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// A name and address as the printed blocks take it: name, street, apartment, city,
// state, ZIP.
using PrintedAddress = std::array<QString, 6>;

// The seven totals of an invoice as the total boxes show them (currency texts). An
// empty shipping or handling text leaves its row without a value; an empty discount
// closes the invoice with the default terms instead of the discount offer.
struct PrintedTotals
{
    QString subTotal;
    QString tax1;
    QString tax2;
    QString grandTotal;
    QString shipping;
    QString handling;
    QString discount;
    bool operator==(const PrintedTotals &) const = default;
};

// Everything an invoice printout needs, filled from the invoice being built or from
// a completed invoice's image, so one layout prints both.
struct InvoicePrintout
{
    QString number;
    QString account;     // printed trimmed
    QString date;        // the data block's date, as text
    PrintedAddress soldTo;
    bool usaStyle = true; // "city, state ZIP" on one line
    bool printShipTo = false;
    PrintedAddress shipTo;
    QString attention;
    QString reference;
    QString carrier;     // "None" prints no ship line
    QDate shipDate;
    QDate today;         // a ship date after it is "Sheduled"
    QString terms;
    QList<InvoiceLine> lines;
    PrintedTotals totals;
    // The headings beside the two taxes; the setup's when not given.
    std::optional<std::array<QString, 2>> taxHeadings;
    bool draft = false;
    // The stored memo prints only when asked for; blank forms and reprints ask
    // whenever the memo file exists.
    bool printMemo = false;
};

// The invoice being built, as it prints today. Shipping and handling of zero print
// as empty rows; the discount text is empty when no discount was chosen.
InvoicePrintout invoicePrintout(const InvoiceDocument &document, const QDate &today,
                                bool usaStyle);
