#include "printing/printouts.h"

#include "core/clock.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "printing/page.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"

using namespace printing;

namespace {

const QString InvoicesReport = QStringLiteral("Invoices Report");

// Report columns from the left; the amount is right-aligned on 7.5 in.
constexpr float ColumnInches[] = {1.0f, 2.25f, 3.5f, 5.5f};
constexpr double AmountRightEdge = 10800;
constexpr float FirstRowInches = 2.5f;

QString cell(const QStringList &row, int column)
{
    return column < row.size() ? row.at(column) : QString();
}

void printGridPageHeading(PrintEngine &engine, const QString &title, const QString &date)
{
    Page &page = engine.page();
    engine.SetFont(14, true);
    page.printLine(QString());
    page.setCurrentX((page.pageWidth() - page.textWidth(title)) / 2);
    page.printLine(title);
    engine.SetFont(10, false);
    engine.PrintBusinessHeader(0.75f, 0.4f, 12);
    engine.MoveTo(6.5f, 0.75f);
    page.printLine(date);

    engine.SetFont(0, true);
    engine.MoveTo(0, 2.2f);
    const QString headings[] = {QStringLiteral("Invoice No."), QStringLiteral("Account No"),
                                QStringLiteral("Account"), QStringLiteral("Date")};
    for (int column = 0; column < 4; ++column) {
        engine.MoveTo(ColumnInches[column], 0);
        page.printText(headings[column]);
    }
    if (title == InvoicesReport) {
        const QString amount = QStringLiteral("Amount");
        page.setCurrentX(AmountRightEdge - page.textWidth(amount));
        page.printLine(amount);
    } else {
        page.printLine(QString());
    }
    engine.SetFont(0, false);
}

} // namespace

Printouts::Printouts(const DataFolder &data, PageSource &pages, Prompts &prompts,
                     const Clock &clock)
    : m_data(data), m_pages(pages), m_prompts(prompts), m_clock(clock)
{
}

Printouts::Outcome Printouts::PrintGridReport(const PrintSettings &settings, const QString &title,
                                              const QList<QStringList> &rows)
{
    const QString printError = QStringLiteral("A Print Error has occurred");
    const QString printErrorTitle = QStringLiteral("Print Error");

    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(QStringLiteral("The Report will not be Printed"));
        return Outcome::Cancelled;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(printError, printErrorTitle);
        return Outcome::Failed;
    }

    Page &page = *opened.page;
    PrintEngine engine(page, settings, m_data);
    engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0);
    const QString date = regional::shortDate(m_clock.today());
    const bool withAmount = title == InvoicesReport;

    printGridPageHeading(engine, title, date);
    engine.MoveTo(ColumnInches[0], FirstRowInches);
    for (const QStringList &row : rows) {
        if (page.currentY() + page.textHeight(cell(row, 1)) >= page.printableHeight()) {
            page.newPage();
            printGridPageHeading(engine, title, date);
            // Below the headings, as on the first page.
            engine.MoveTo(0, FirstRowInches);
        }
        for (int column = 0; column < 4; ++column) {
            engine.MoveTo(ColumnInches[column], 0);
            page.printText(cell(row, column));
        }
        if (withAmount) {
            const QString amount = cell(row, 4);
            page.setCurrentX(AmountRightEdge - page.textWidth(amount));
            page.printLine(amount);
        } else {
            page.printLine(QString());
        }
    }

    if (!page.endDocument()) {
        m_prompts.tell(printError, printErrorTitle);
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

Printouts::Outcome Printouts::PrintSample(const PrintSettings &settings)
{
    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled)
        return Outcome::Cancelled;
    if (opened.choice != PageSource::Choice::Chosen || !opened.page)
        return Outcome::Failed;

    PrintEngine engine(*opened.page, settings, m_data);
    engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0);
    engine.PrintInvoicePageHeader(QStringLiteral("INVOICE"), 0.4f, QStringLiteral("12345"));
    return opened.page->endDocument() ? Outcome::Printed : Outcome::Failed;
}
