#include "customers/customerlist.h"

#include "core/prompts.h"
#include "printing/page.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"

namespace customers {

namespace {

constexpr float ColumnInches[] = {1.0f, 4.0f, 7.0f};
constexpr float FirstRowInches = 2.25f;

void printHeading(PrintEngine &engine, const QString &date)
{
    Page &page = engine.page();
    const QString title = QStringLiteral("Account Information");
    engine.MoveTo(0, 0.5f);
    engine.SetFont(14, true, true);
    page.setCurrentX((engine.pageWidth() - page.textWidth(title)) / 2);
    page.printLine(title);
    engine.SetFont(10, false);
    engine.MoveTo(0, 0.5f);
    engine.PrintBusinessHeader(1.0f, 0.8f, 12);
    engine.MoveTo(9.0f, 0.5f);
    page.printLine(date);
    engine.MoveTo(1.0f, FirstRowInches);
}

QStringList blockLines(const CustomerRecord &customer, bool usaStyle)
{
    // A person has no account name: the block starts with the person's name.
    QStringList lines{customer.displayName(), customer.address1};
    if (usaStyle) {
        lines.append(customer.address3 + QStringLiteral(", ") + customer.state + u' ' +
                     customer.address4);
    } else {
        lines.append(customer.address3);
        lines.append(customer.address4);
    }
    lines.append(customer.telephone);
    return lines;
}

} // namespace

void LayOutCustomerList(PrintEngine &engine, const QList<CustomerRecord> &customers, bool usaStyle,
                        const QString &date)
{
    Page &page = engine.page();
    printHeading(engine, date);
    const double line = page.textHeight(QStringLiteral("abc"));
    const int linesInBlock = usaStyle ? 4 : 5;
    // The free-line blocks are one line taller, and so is their row.
    const double rowStep = (usaStyle ? 5 : 6) * line;
    double rowTop = page.currentY();
    for (qsizetype i = 0; i < customers.size(); ++i) {
        const auto column = int(i % 3);
        if (column == 0 && i > 0) {
            rowTop += rowStep;
            if (rowTop + linesInBlock * line >= page.printableHeight()) {
                page.newPage();
                printHeading(engine, date);
                rowTop = page.currentY();
            }
        }
        page.setCurrentY(rowTop);
        const double left = printing::twips(ColumnInches[column]);
        for (const QString &text : blockLines(customers.at(i), usaStyle)) {
            page.setCurrentX(left);
            page.printLine(text);
        }
    }
}

Printouts::Outcome PrintCustomerList(PageSource &pages, Prompts &prompts,
                                     const PrintSettings &settings, const DataFolder &data,
                                     const QList<CustomerRecord> &customers, bool usaStyle,
                                     const QString &date)
{
    const QString reportTitle = QStringLiteral("Customer Report");
    const QString printError = QStringLiteral("A Print Error has occurred");
    const QString printErrorTitle = QStringLiteral("Print Error");

    PageSource::Opened opened = pages.choosePrinter();
    if (opened.choice == PageSource::Choice::Cancelled) {
        prompts.tell(QStringLiteral("The Customer List will not be Printed"), reportTitle);
        return Printouts::Outcome::Cancelled;
    }
    if (opened.choice != PageSource::Choice::Chosen || !opened.page) {
        prompts.tell(printError, printErrorTitle);
        return Printouts::Outcome::Failed;
    }
    PrintEngine engine(*opened.page, settings, data);
    engine.SetupPrinter(QStringLiteral("Landscape"), settings.colourPrinting ? 1 : 0);
    LayOutCustomerList(engine, customers, usaStyle, date);
    if (!opened.page->endDocument()) {
        prompts.tell(printError, printErrorTitle);
        return Printouts::Outcome::Failed;
    }
    return Printouts::Outcome::Printed;
}

} // namespace customers
