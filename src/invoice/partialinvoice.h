#pragma once

#include "invoice/invoicedocument.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

class DataFolder;

// The partial invoice file: an invoice saved to be completed later. A line file of
// 21 lines and six per grid line; lines 5 to 16 are quoted, the rest plain.
namespace partialinvoice {

inline const QString Folder = QStringLiteral("/PelmorInvoicer/IncompleteInvoices");
inline constexpr int HeaderLines = 21;

// The two questions of "Complete Later - Print Draft".
inline const QString SaveQuestion = QStringLiteral(
    "The account data, invoice items, quantites,\r\nprices, and extensions will be saved\r\n"
    "Recall the invoice from the Main Menu,\r\nPartial Invoices and add to the invoice");
inline const QString SaveTitle = QStringLiteral("Save Partial Invoice");
inline const QString DraftQuestion = QStringLiteral("Would you like to Print a Draft Copy?");
inline const QString DraftTitle = QStringLiteral("Print Draft Copy");

// Folder + "/" + number + ".txt"; empty when the number cannot name a file.
QString fileOf(const QString &invoiceNumber);

// The file's bytes for the document, every value trimmed, `savedOn` in line 4.
QByteArray encode(const InvoiceDocument &document, const QDate &savedOn);

// Gives every line without a service date today's date, then writes the file
// atomically. Returns the message for the operator when it was not written.
std::optional<QString> SavePartialInvoice(const DataFolder &data, InvoiceDocument &document,
                                          const QDate &today);

struct Loaded
{
    InvoiceDocument document; // fresh: only what the file holds is set
    QString error;            // empty when the file passed every check
    bool ok() const { return error.isEmpty(); }
};

// Reads a partial invoice into a fresh document and checks it whole: 21 header lines
// and all the lines its line count (0 to 100) says, number and account that can name
// a file, the number equal to the file's own name. An unreadable date of saving is
// taken as `today`; it becomes the document's CreationDate.
Loaded decode(const QByteArray &bytes, const QString &ownNumber, const QDate &today);

} // namespace partialinvoice
