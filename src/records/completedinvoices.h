#pragma once

#include "invoice/invoicefiles.h"
#include "posting/postedrecords.h"
#include "printing/invoiceprintout.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class DataFolder;

namespace records {

// One listed image: the six cells of the list (number, account number, account
// name, date, amount, sort key) and the file it came from. Showing, reprinting and
// deleting go by the file's own name, never by what its first line says.
struct CompletedInvoiceRow
{
    enum Column { Number = 0, Account = 1, Name = 2, Date = 3, Amount = 4, Sort = 5 };
    static constexpr int ColumnCount = 6;

    QString fileBase; // the file's name without ".txt"
    QStringList cells;
    QDate date;       // invalid when the date cannot be read
};

struct CompletedInvoiceListing
{
    QList<CompletedInvoiceRow> rows;
    // Files that are not listed: fewer than five lines, or a name that cannot be an
    // invoice number.
    QStringList unreadable;
};

// The sort options of the list.
enum class SortColumn { Number, Date, Name };

// The completed-invoice images of "/CompletedInvoices", and the stored memo the
// reprint may replace.
class CompletedInvoices final
{
public:
    explicit CompletedInvoices(const DataFolder &data);

    // Every "*.txt" of the folder, in invoice-number order (generic ascending).
    CompletedInvoiceListing list() const;
    // The whole image (restored from "/Backup" first when only the copy is there);
    // nullopt when there is none.
    std::optional<posting::CompletedInvoiceImage> image(const CompletedInvoiceRow &row) const;
    // Deletes the images dated strictly before the day, with their narratives and
    // the narratives' backup copies; rows whose date cannot be read stay. The
    // number of images deleted.
    int deleteBefore(const QList<CompletedInvoiceRow> &rows, const QDate &day) const;

    // A non-empty text becomes the stored memo of later invoices too.
    bool storeMemo(const QString &text) const;
    // The memo and its backup copy go (else the next presence check would restore it).
    void clearMemo() const;

    static QString fileOf(const CompletedInvoiceRow &row);

private:
    const DataFolder &m_data;
};

// The rows in the chosen order; equal keys keep their order.
QList<CompletedInvoiceRow> sortedRows(const QList<CompletedInvoiceRow> &rows, SortColumn column,
                                      Qt::SortOrder order);

// Amounts as stored text shown in the currency format; text that is not an amount is
// shown as it stands.
QString amountShown(const QString &stored);

// What a reprint prints: the image's own values, dated with the list's creation date,
// the ship-to block and totals always, the memo when one is stored, and the default
// terms (the image keeps no terms).
InvoicePrintout reprintOf(const posting::CompletedInvoiceImage &image, const QString &creationDate,
                          bool usaStyle, const QDate &today, bool memoStored,
                          const std::array<QString, 2> &taxHeadings);

inline const QString &InvoiceMemoFile = invoicefiles::MemoFile;

} // namespace records
