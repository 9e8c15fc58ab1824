#pragma once

#include "records/daterange.h"
#include "records/invoicereport.h"
#include "records/salesreport.h"

class PrintEngine;

// The printed reports, drawn on a page already set up for the job; the caller ends
// the document.
namespace records {

// "Item Sales Report": the rows by invoice, then the totals per product.
void PrintItemSalesReport(PrintEngine &engine, const SalesReport &report,
                          const DateRange &range, const QDate &today);

// "General Sales Report": the grid's rows and the four totals as the screen shows them.
void PrintGeneralSalesReport(PrintEngine &engine, const InvoiceReport &report,
                             const QStringList &totalsShown, const DateRange &range,
                             const QDate &today);

} // namespace records
