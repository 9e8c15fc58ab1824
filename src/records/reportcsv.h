#pragma once

#include "records/completedinvoices.h"
#include "records/invoicereport.h"
#include "records/salesreport.h"

#include <QList>
#include <QStringList>

// The tables the report screens export for spreadsheets: the texts as the screen
// shows them, each date and amount followed by a column of its own with the ISO date
// or the plain number, and the totals as the screen shows them.
namespace records {

// The invoice report's rows, then a "Totals" row with the four totals as shown.
QList<QStringList> invoiceReportCsv(const InvoiceReport &report, const QStringList &totalsShown);

// The rows by invoice; after an empty line, the totals grid with its headings.
QList<QStringList> salesReportCsv(const SalesReport &report);

// The list of completed invoices in the order shown (the sort key is left out).
QList<QStringList> completedInvoicesCsv(const QList<CompletedInvoiceRow> &rows);

} // namespace records
