#pragma once

#include "printing/invoiceprintout.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class DataFolder;
class Page;
class PageSource;
class Prompts;
struct PrintSettings;

// The printouts that are a whole job: they ask for a printer, lay out the pages
// and end the document.
class Printouts final
{
public:
    enum class Outcome
    {
        Printed,
        Cancelled,
        Failed
    };

    Printouts(const DataFolder &data, PageSource &pages, Prompts &prompts, const Clock &clock);

    // A list report of the rows (four columns, a fifth, the amount, for the
    // "Invoices Report"), under the business header and the column headings on
    // every page. Cancelling the printer dialog and print errors are reported.
    Outcome PrintGridReport(const PrintSettings &settings, const QString &title,
                            const QList<QStringList> &rows);

    // The setup's "Print Sample": one invoice page header. Reports nothing; the
    // caller tells the operator what it needs to.
    Outcome PrintSample(const PrintSettings &settings);

    // The invoice as one job on a page already opened (the posting loop asks for a
    // printer once and prints until the operator is content). A step that fails is
    // left out and the job still ends; a job the printer refused is reported.
    Outcome PrintInvoice(Page &page, const PrintSettings &settings,
                         const InvoicePrintout &invoice);
    // The invoice's steps on the page without ending the job, so a kept PDF holds the
    // same pages as the paper. Without prompts an over-long narrative is cut silently.
    void DrawInvoice(Page &page, const PrintSettings &settings, const InvoicePrintout &invoice,
                     Prompts *prompts);
    // The same after asking for a printer; a cancel is reported.
    Outcome PrintInvoice(const PrintSettings &settings, const InvoicePrintout &invoice);

    // Quantities and descriptions under the business header, after its own printer
    // dialog, printed again until the operator says it came out right.
    Outcome PrintPackingSlip(const PrintSettings &settings, const QList<InvoiceLine> &lines);

    // The count as typed: that many first pages of an empty invoice dated today,
    // each a job of its own (on one document when printing to a file). A count of 0
    // or less prints nothing; one that is not a whole number up to 32,767 is a
    // print error.
    Outcome PrintBlankForms(const PrintSettings &settings, const QString &count);

private:
    const DataFolder &m_data;
    PageSource &m_pages;
    Prompts &m_prompts;
    const Clock &m_clock;
};
