#include "records/reportprints.h"

#include "core/regional.h"
#include "printing/page.h"
#include "printing/printengine.h"

using printing::twips;

namespace records {

namespace {

constexpr double UnitsRightEdge = 9360;
constexpr double RuleLeft = 720;
constexpr double RuleRight = 13680;
constexpr double MoneyRightEdges[] = {6768, 8352, 9648, 11088};

void printRight(Page &page, double rightEdge, const QString &text)
{
    page.setCurrentX(rightEdge - page.textWidth(text));
    page.printText(text);
}

void printCentred(Page &page, const QString &text)
{
    page.setCurrentX((page.pageWidth() - page.textWidth(text)) / 2);
    page.printLine(text);
}

// A row that would reach the bottom of the printable area starts a new page.
template <typename Heading> void breakIfFull(Page &page, const QString &probe, Heading heading)
{
    if (page.currentY() + page.textHeight(probe) >= page.printableHeight()) {
        page.newPage();
        heading();
        page.setCurrentY(twips(2.5f));
    }
}

} // namespace

void PrintItemSalesReport(PrintEngine &engine, const SalesReport &report, const DateRange &range,
                          const QDate &today)
{
    Page &page = engine.page();
    const auto heading = [&] {
        page.printLine(QString());
        engine.SetFont(14, true);
        printCentred(page, QStringLiteral("Item Sales Report"));
        engine.SetFont(10, false);
        engine.MoveTo(7.0f, 0.75f);
        page.printLine(regional::shortDate(today));
        engine.PrintBusinessHeader(1.0f, 0.5f, 12);
        page.printLine(QString());
        engine.SetFont(12, true);
        printCentred(page, QStringLiteral("Report Date Range: ") + regional::shortDate(range.start) +
                               QStringLiteral(" to ") + regional::shortDate(range.end));
        engine.MoveTo(1.0f, 2.0f);
        page.printLine(QStringLiteral("Item Sales by Invoice"));
        engine.SetFont(10, true);
        page.printLine(QString());
        engine.MoveTo(1.0f, 0);
        page.printText(QStringLiteral("Inventoried Item Name"));
        engine.MoveTo(3.0f, 0);
        page.printText(QStringLiteral("Invoice Date"));
        engine.MoveTo(4.5f, 0);
        page.printText(QStringLiteral("Invoice No."));
        printRight(page, UnitsRightEdge, QStringLiteral("Units Sold"));
        page.printLine(QString());
        engine.SetFont(10, false);
    };

    heading();
    engine.MoveTo(1.0f, 2.5f);
    for (const QStringList &row : report.rows) {
        breakIfFull(page, row.value(1), heading);
        engine.MoveTo(1.0f, 0);
        page.printText(row.value(0));
        engine.MoveTo(3.0f, 0);
        page.printText(row.value(1));
        engine.MoveTo(4.5f, 0);
        page.printText(row.value(2));
        printRight(page, UnitsRightEdge, row.value(3));
        page.printLine(QString());
    }

    page.printLine(QString());
    engine.SetFont(12, true);
    engine.MoveTo(1.0f, 0);
    page.printLine(QStringLiteral("Total Items Sold (This Date Range)"));
    page.printLine(QString());
    engine.SetFont(10, true);
    engine.MoveTo(1.0f, 0);
    page.printLine(QStringLiteral("Item Name"));
    engine.SetFont(10, false);
    for (const QStringList &row : report.totals) {
        breakIfFull(page, row.value(0), heading);
        engine.MoveTo(1.0f, 0);
        page.printText(row.value(0));
        printRight(page, UnitsRightEdge, row.value(1));
        page.printLine(QString());
    }
}

void PrintGeneralSalesReport(PrintEngine &engine, const InvoiceReport &report,
                             const QStringList &totalsShown, const DateRange &range,
                             const QDate &today)
{
    Page &page = engine.page();
    const auto rule = [&] {
        page.setCurrentY(page.currentY() + 100);
        page.drawLine(RuleLeft, page.currentY(), RuleRight, page.currentY());
    };
    const auto heading = [&] {
        page.printLine(QString());
        engine.SetFont(14, true);
        printCentred(page, QStringLiteral("General Sales Report"));
        engine.SetFont(8, true);
        // The sample's width stands in for the real text's, as on the forms.
        const QString sample = QStringLiteral("from 2/11/2003 to 2/33/2003");
        page.setCurrentX((page.pageWidth() - page.textWidth(sample)) / 2);
        page.printLine(QStringLiteral("from ") + regional::shortDate(range.start) +
                       QStringLiteral(" to ") + regional::shortDate(range.end));
        engine.SetFont(8, false);
        engine.PrintBusinessHeader(0.75f, 0.4f, 12);
        engine.MoveTo(7.0f, 0.5f);
        page.printLine(regional::shortDate(today));
        engine.SetFont(10, true);
        engine.MoveTo(0, 2.0f);
        const std::pair<float, const char *> headings[] = {
            {0.5f, "Invoice"},   {1.25f, "Account No"}, {2.4f, "Account Name"}, {4.1f, "SubTotal"},
            {5.2f, "Discount"}, {6.4f, "Tax"},         {7.35f, "Total"}};
        for (const auto &[inches, text] : headings) {
            engine.MoveTo(inches, 0);
            page.printText(QString::fromLatin1(text));
        }
        page.printLine(QString());
        rule();
        engine.MoveTo(1.0f, 2.5f);
        engine.SetFont(10, false);
    };

    heading();
    for (const QStringList &row : report.rows) {
        breakIfFull(page, row.value(1), heading);
        engine.MoveTo(0.5f, 0);
        page.printText(row.value(0));
        engine.MoveTo(1.25f, 0);
        page.printText(row.value(2));
        engine.MoveTo(2.4f, 0);
        page.printText(row.value(3));
        for (int k = 0; k < 4; ++k)
            printRight(page, MoneyRightEdges[k], row.value(4 + k));
        page.printLine(QString());
    }

    engine.SetFont(10, true);
    page.printLine(QString());
    rule();
    page.printLine(QString());
    const char *labels[] = {"Goods Sub Total", "Discounts Offered", "Tax Collected", "Sales Total"};
    for (int k = 0; k < 4; ++k) {
        engine.MoveTo(4.5f, 0);
        page.printText(QString::fromLatin1(labels[k]));
        printRight(page, MoneyRightEdges[3], totalsShown.value(k));
        page.printLine(QString());
    }
    engine.SetFont(10, false);
}

} // namespace records
