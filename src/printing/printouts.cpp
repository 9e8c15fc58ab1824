#include "printing/printouts.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "invoice/invoicefiles.h"
#include "printing/page.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"

#include <QRegularExpression>

#include <exception>

using namespace printing;

namespace {

const QString PrintError = QStringLiteral("A Print Error has occurred");
const QString PrintErrorTitle = QStringLiteral("Print Error");
const QString NotPrinted = QStringLiteral("The Invoice(s) will not be Printed");

// A step that fails is left out; the job still ends and the operator judges it.
template <typename Step>
void runStep(Step &&step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

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

Printouts::Outcome Printouts::PrintInvoice(Page &page, const PrintSettings &settings,
                                           const InvoicePrintout &invoice)
{
    DrawInvoice(page, settings, invoice, &m_prompts);
    // As written a refused job went unnoticed and the invoice was posted as printed.
    if (!page.endDocument()) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return Outcome::Failed;
    }
    return Outcome::Printed;
}

void Printouts::DrawInvoice(Page &page, const PrintSettings &settings,
                            const InvoicePrintout &invoice, Prompts *prompts)
{
    PrintEngine engine(page, settings, m_data);
    engine.setPrompts(prompts);
    const auto headings = invoice.taxHeadings.value_or(
        std::array<QString, 2>{settings.taxHeading1, settings.taxHeading2});

    runStep([&] { engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0); });
    runStep([&] {
        engine.PrintInvoicePageHeader(invoice.draft ? QStringLiteral("DRAFT INVOICE")
                                                    : QStringLiteral("INVOICE"),
                                      0.4f, invoice.number);
    });
    runStep([&] {
        engine.PrintInvoiceDataBlock(invoice.account.trimmed(), invoice.number, invoice.date,
                                     invoice.reference, invoice.printMemo);
    });
    if (settings.paper == PrintSettings::Paper::Remittance)
        runStep([&] { engine.PrintDetachLine(); });
    runStep([&] { engine.PrintSoldTo(invoice.soldTo, invoice.usaStyle); });
    if (invoice.printShipTo) {
        runStep([&] {
            engine.PrintShippedTo(invoice.shipTo, invoice.usaStyle, invoice.carrier,
                                  invoice.shipDate, invoice.today, invoice.reference);
        });
    }
    runStep([&] { engine.PrintItemBody(invoice); });
    if (!invoice.draft) {
        runStep([&] { engine.PrintTotals(invoice.totals, invoice.terms, headings[0], headings[1]); });
    }
}

Printouts::Outcome Printouts::PrintInvoice(const PrintSettings &settings,
                                           const InvoicePrintout &invoice)
{
    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(NotPrinted);
        return Outcome::Cancelled;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return Outcome::Failed;
    }
    return PrintInvoice(*opened.page, settings, invoice);
}

Printouts::Outcome Printouts::PrintPackingSlip(const PrintSettings &settings,
                                               const QList<InvoiceLine> &lines)
{
    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(QStringLiteral("The Packing Slip will not be Printed"));
        return Outcome::Cancelled;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return Outcome::Failed;
    }
    Page &page = *opened.page;
    for (;;) {
        PrintEngine engine(page, settings, m_data);
        engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0);
        engine.PrintSlipPageHeader(false, QStringLiteral("Packing Slip"));
        engine.PrintSlipHeadings();
        engine.PrintSlipBody(lines);
        if (!page.endDocument()) {
            m_prompts.tell(PrintError, PrintErrorTitle);
            return Outcome::Failed;
        }
        if (m_prompts.ask(QStringLiteral("Was the Packing Slip printed Correctly?"),
                          QStringLiteral("Print Confirmation")))
            return Outcome::Printed;
        if (!m_prompts.ask(QStringLiteral("Would you like to reprint it?"),
                           QStringLiteral("Reprint Confirmation")))
            return Outcome::Printed;
    }
}

Printouts::Outcome Printouts::PrintBlankForms(const PrintSettings &settings, const QString &count)
{
    PageSource::Opened opened = m_pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        m_prompts.tell(NotPrinted);
        return Outcome::Cancelled;
    }
    static const QRegularExpression whole(QStringLiteral(R"(^\s*[+-]?\d+\s*$)"));
    bool ok = whole.match(count).hasMatch();
    const int forms = ok ? count.trimmed().toInt(&ok) : 0;
    if (opened.choice != PageSource::Choice::Chosen || !opened.page || !ok || forms > 32767 ||
        forms < -32768) {
        m_prompts.tell(PrintError, PrintErrorTitle);
        return Outcome::Failed;
    }

    Page &page = *opened.page;
    const bool oneDocument = page.printsToFile();
    const QString today = regional::shortDate(m_clock.today());
    const bool memo = m_data.FileIsPresent(invoicefiles::MemoFile);
    for (int form = 1; form <= forms; ++form) {
        if (oneDocument && form > 1)
            page.newPage();
        PrintEngine engine(page, settings, m_data);
        engine.setFirstPage(page.pageNumber());
        runStep([&] { engine.SetupPrinter(QStringLiteral("Portrait"), settings.colourPrinting ? 1 : 0); });
        runStep([&] { engine.PrintInvoicePageHeader(QStringLiteral("INVOICE"), 0.4f, QString()); });
        runStep([&] { engine.PrintInvoiceDataBlock(QString(), QString(), today, QString(), memo); });
        if (settings.paper == PrintSettings::Paper::Remittance)
            runStep([&] { engine.PrintDetachLine(); });
        if ((!oneDocument || form == forms) && !page.endDocument()) {
            m_prompts.tell(PrintError, PrintErrorTitle);
            return Outcome::Failed;
        }
    }
    return Outcome::Printed;
}
