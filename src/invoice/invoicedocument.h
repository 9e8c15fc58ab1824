#pragma once

#include "core/money.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>

// The customer an invoice is sold to, as the customer screens hand it over.
struct SoldTo
{
    QString Customer;
    QString Street;
    QString Address2;
    QString Address3; // city
    QString State;
    QString Address4; // ZIP
    QString Tel;
    QString AcctNo;
    bool operator==(const SoldTo &) const = default;
};

// One line of the invoice grid: six texts, as the grid shows them and the files keep them.
struct InvoiceLine
{
    enum Column { Units = 0, Description = 1, Date = 2, Price = 3, Amount = 4, Taxable = 5 };
    static constexpr int ColumnCount = 6;

    std::array<QString, ColumnCount> cells;

    QString &operator[](int column) { return cells[static_cast<std::size_t>(column)]; }
    const QString &operator[](int column) const { return cells[static_cast<std::size_t>(column)]; }
    // Labor lines carry their hours as "n Hrs" and cannot be edited in the grid.
    bool isLabor() const { return cells[Units].contains(QLatin1String("Hrs")); }
    bool operator==(const InvoiceLine &) const = default;
};

// The per-invoice option boxes of the setup view.
struct InvoiceOptions
{
    bool addMemo = false;          // "Add Memo to Current Invoice"
    bool exempt = false;           // "Account is Tax Exempt"
    bool secondTax = false;        // "Apply 2nd Tax Rate"
    bool volumePricing = false;    // "Apply Item Volume Pricing"
    bool packingList = false;      // "Print a Packing List"
    bool prepaid = false;          // "Invoice is Pre-Paid"
    bool printShipTo = false;      // "Print Ship to Info on Invoice"
    bool printFrom = false;        // "Print From Line Here"
    bool operator==(const InvoiceOptions &) const = default;
};

// The discount chosen in the print setup view.
enum class DiscountOption { None = 0, Flat = 1, Calculate = 2 };

// The invoice being built. The invoice screen writes every edit here; printing,
// posting, saving for later and recall read and write this, never the widgets.
// The sold-to block and account are set by the hand-over before the screen opens.
struct InvoiceDocument : SoldTo
{
    static constexpr int MaxLines = 100;
    static constexpr int ShipToLines = 6;

    // Header.
    qint32 InvoiceCounter = 0;
    QString number;                 // the text of the number box
    QDate CreationDate;             // of a recalled partial invoice
    std::array<QString, ShipToLines> shipTo; // name, street, apartment, city, state, ZIP
    QString attention;              // "To the Attn of:"
    QString reference;
    QDate serviceDate;              // for new service lines; a recalled invoice's creation date
    QDate shipDate;
    QString carrier;                // ship-via text
    QString terms;                  // the terms text shown
    InvoiceOptions options;

    // Lines, rows 1 to LineCount() of the grid, without gaps.
    QList<InvoiceLine> lines;
    int LineCount() const { return static_cast<int>(lines.size()); }

    // Totals.
    Money Total;
    Money Tax;
    Money Tax2;
    Money GrandTotal;
    Money TaxableTotal;
    Money Ship;
    Money Misc;
    Money Discount;
    Money FlatDiscount;

    // Discount choice, as the print setup view shows it.
    DiscountOption discountOption = DiscountOption::None;
    bool applyDiscount = false;     // "Apply to This Invoice"
    QString discountRate;           // the rate list's text, "2.0"
    QString discountDays;           // the days list's text, "10"

    // A pre-paid invoice: the amount paid (as typed) and the payment form text.
    QString prepaidAmount;
    QString prepaidForm;

    bool PrintingDraft = false;

    SoldTo &soldTo() { return *this; }
    const SoldTo &soldTo() const { return *this; }
};
