#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class DataFolder;
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

private:
    const DataFolder &m_data;
    PageSource &m_pages;
    Prompts &m_prompts;
    const Clock &m_clock;
};
