// The steps of the printed invoice and packing slip.
#include "printing/printengine.h"

#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/linefile.h"
#include "core/prompts.h"
#include "core/regional.h"
#include "core/textrecord.h"
#include "invoice/invoicefiles.h"

#include <algorithm>

using namespace printing;

namespace {


constexpr double DataBlockX = 7200;  // 5.0 in
constexpr double SoldToX = 1080;     // 0.75 in
constexpr double NameWidth = 2520;
constexpr double MemoX = 1872;
constexpr double MemoWidth = 5904;
constexpr double MemoBottom = 13824;
constexpr double ClosingY = 13824;
constexpr double NarrativeTop = 5328;
constexpr double NarrativeBottom = 7200;
constexpr double NarrativeX = 360;
constexpr double NarrativeWidth = 10800;
constexpr double DescriptionX = 3312; // 2.3 in
constexpr double DescriptionWidth = 4248;
constexpr double SlipBottom = 12240;
// The memo and narrative areas hold a few lines of about a hundred characters:
// longer texts are cut before they are measured, so a damaged file cannot stall
// the print.
constexpr qsizetype LongestPrintedText = 4096;

QString printable(QString text)
{
    if (text.size() > LongestPrintedText)
        text.truncate(LongestPrintedText);
    for (QChar &c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    }
    return text;
}

} // namespace

void PrintEngine::printRightAligned(double right, const QString &text)
{
    m_page.setCurrentX(right - m_page.textWidth(text));
    m_page.printText(text);
}

void PrintEngine::printAddressLines(double x, const PrintedAddress &address, bool usaStyle,
                                    const QString &cityStateSeparator)
{
    const auto printAt = [&](const QString &text) {
        m_page.setCurrentX(x);
        m_page.printLine(text);
    };
    PrintWrapped(x, m_page.currentY(), NameWidth, address[0]);
    printAt(address[1]);
    if (!address[2].isEmpty())
        printAt(address[2]);
    if (usaStyle) {
        printAt(address[3] + cityStateSeparator + address[4] + u' ' + address[5]);
    } else {
        printAt(address[3]);
        printAt(address[5]);
    }
}

void PrintEngine::PrintInvoiceDataBlock(const QString &account, const QString &invoiceNumber,
                                        const QString &date, const QString &reference,
                                        bool memo)
{
    SetPrintColour(true);
    SetFont(10, true);
    MoveTo(5.0f, 0.9f);
    const auto printAt = [&](const QString &text) {
        m_page.setCurrentX(DataBlockX);
        m_page.printLine(text);
    };
    printAt(QStringLiteral("Date ") + date);
    printAt(QStringLiteral("INVOICE NO: ") + invoiceNumber);
    if (m_settings.paper == PrintSettings::Paper::Remittance)
        printAt(QStringLiteral("Amount Enclosed              _______________"));
    printAt(QStringLiteral("Acct: ") + account);
    printAt(QStringLiteral("Page ") + QString::number(m_page.pageNumber() - m_firstPage + 1));

    MoveTo(0.9f, lower(4.05f));
    m_page.printLine(QStringLiteral("Reference"));
    MoveTo(0, lower(4.35f));
    m_page.setCurrentX(twips(1.3f) - m_page.textWidth(reference) / 2);
    m_page.printLine(reference);

    if (memo)
        PrintInvoiceMemo();
    PrintColumnHeadings();
}

void PrintEngine::PrintInvoiceMemo()
{
    if (!m_data.FileIsPresent(invoicefiles::MemoFile))
        return;
    m_page.setForeColour(Blue);
    MoveTo(1.3f, 8.6f);
    TextRecordReader reader(m_data.ReadFile(invoicefiles::MemoFile));
    while (!reader.atEnd() && m_page.currentY() <= MemoBottom) {
        const auto field = reader.field();
        if (!field)
            break;
        PrintWrapped(MemoX, m_page.currentY(), MemoWidth, printable(*field));
    }
    m_page.setForeColour(Black);
}

void PrintEngine::PrintColumnHeadings()
{
    SetPrintColour(true);
    MoveTo(0, lower(4.55f));
    const std::pair<float, QString> headings[] = {
        {0.6f, QStringLiteral("QTY")},   {1.5f, QStringLiteral("DATE")},
        {3.1f, QStringLiteral("DESCRIPTION")}, {6.1f, QStringLiteral("PRICE")},
        {7.5f, QStringLiteral("TOTAL")}};
    for (const auto &[x, text] : headings) {
        MoveTo(x, 0);
        if (text == QLatin1String("TOTAL"))
            m_page.printLine(text);
        else
            m_page.printText(text);
    }
}

void PrintEngine::PrintDetachLine()
{
    SetFont(6, true);
    MoveTo(3.0f, 3.6f);
    m_page.printLine(QStringLiteral("Detach Here and Return Top Section"));
    SetFont(10, false);
}

void PrintEngine::PrintSoldTo(const PrintedAddress &address, bool usaStyle)
{
    SetPrintColour(true);
    MoveTo(0.75f, 1.95f);
    m_page.printLine(QStringLiteral("SOLD TO:"));
    // Under the heading: the line end has put x back at the paper's edge.
    printAddressLines(SoldToX, address, usaStyle, QStringLiteral(", "));
    m_page.setForeColour(Black);
}

void PrintEngine::PrintShippedTo(const PrintedAddress &address, bool usaStyle,
                                 const QString &shipVia, const QDate &shipDate,
                                 const QDate &today, const QString &reference)
{
    if (std::all_of(address.begin(), address.end(), [](const QString &v) { return v.isEmpty(); }))
        return;
    SetPrintColour(true);
    MoveTo(5.0f, 1.95f);
    m_page.printLine(QStringLiteral("SHIPPED TO:"));
    printAddressLines(DataBlockX, address, usaStyle, QStringLiteral(","));

    if (shipVia != QLatin1String("None")) {
        MoveTo(0.5f, lower(4.3f));
        m_page.printText(reference);
        MoveTo(2.8f, 0);
        m_page.printText(shipVia);
        const QString date = regional::shortDate(shipDate);
        if (shipDate > today) {
            MoveTo(6.5f, 0);
            m_page.printLine(QStringLiteral("Sheduled - ") + date);
        } else {
            MoveTo(6.4f, 0);
            m_page.printLine(QStringLiteral("Shipped On - ") + date);
        }
    }
    m_page.setForeColour(Black);
}

void PrintEngine::PrintItemBody(const InvoicePrintout &invoice)
{
    MoveTo(0.75f, 4.9f);
    if (m_narrative) {
        PrintNarrative(invoice.number);
        MoveTo(0.75f, 5.9f);
    }
    for (const InvoiceLine &line : invoice.lines) {
        const QStringList description = wrapLines(DescriptionWidth, line[InvoiceLine::Description]);
        const double height = std::max<qsizetype>(description.size(), 1) * m_page.textHeight();
        if (m_page.currentY() + height >= BodyBottom)
            PrintContinuationPage(invoice);

        SetPrintColour(true);
        printRightAligned(1224, line[InvoiceLine::Units]);
        m_page.setCurrentX(2520 - m_page.textWidth(line[InvoiceLine::Date]) / 2);
        m_page.printText(line[InvoiceLine::Date]);
        printRightAligned(9360, line[InvoiceLine::Price]);
        printRightAligned(11520, line[InvoiceLine::Amount]);
        const double rowTop = m_page.currentY();
        if (description.isEmpty()) {
            m_page.printLine(QString());
        } else {
            m_page.setCurrentY(rowTop);
            for (const QString &text : description) {
                m_page.setCurrentX(DescriptionX);
                m_page.printLine(text);
            }
        }
    }
    if (m_page.currentY() >= BodyBottom)
        PrintContinuationPage(invoice);
    m_page.setForeColour(Black);
}

void PrintEngine::PrintNarrative(const QString &invoiceNumber)
{
    m_page.setCurrentY(NarrativeTop);
    SetPrintColour(true);
    m_page.setCurrentX(NarrativeX);
    m_page.printLine(QStringLiteral("Details"));
    SetPrintColour(false);

    const QString path = narrativeFile(invoiceNumber);
    if (path.isEmpty())
        return;
    const QStringList lines = linefile::decode(m_data.ReadFile(path));
    const double lineHeight = m_page.textHeight(QStringLiteral("ABC"));
    const auto fits = [&] { return m_page.currentY() + lineHeight < NarrativeBottom; };
    bool cut = false;
    for (const QString &line : lines) {
        if (!fits()) {
            cut = true;
            break;
        }
        // Each wrapped line is checked too: one long line must not run into the rows.
        const int room = int((NarrativeBottom - m_page.currentY()) / lineHeight);
        const QStringList wrapped = wrapLines(NarrativeWidth, printable(line), room + 1);
        if (wrapped.isEmpty())
            m_page.printLine(QString());
        for (const QString &text : wrapped) {
            if (!fits()) {
                cut = true;
                break;
            }
            m_page.setCurrentX(NarrativeX);
            m_page.printLine(text);
        }
        if (cut)
            break;
    }
    if (cut && m_prompts) {
        m_prompts->tell(QStringLiteral("Your Narrative will not fit completely in the allotted area\r\n"
                                       "Review the Invoice after Printing\r\n"
                                       "Answer NO if the invoice is unacceptable\r\n"
                                       "Re-enter your Narrative"),
                        QStringLiteral("Narrative is to Big"));
    }
}

void PrintEngine::PrintContinuationPage(const InvoicePrintout &invoice)
{
    m_page.newPage();
    PrintInvoicePageHeader(QStringLiteral("INVOICE"), 0.4f, invoice.number);
    // The data block prints the column headings; printing them twice over each
    // other would double every heading in the text of a PDF.
    PrintInvoiceDataBlock(invoice.account.trimmed(), invoice.number, invoice.date,
                          invoice.reference, invoice.printMemo);
    PrintSoldTo(invoice.soldTo, invoice.usaStyle);
    MoveTo(0.75f, lower(4.9f));
}

void PrintEngine::PrintTotalsLabels(const QString &taxHeading1, const QString &taxHeading2)
{
    SetFont(10, true);
    const QString labels[] = {QStringLiteral("Sub-Total"), taxHeading1, taxHeading2,
                              QStringLiteral("Shipping"), QStringLiteral("Handling"),
                              QStringLiteral("Total")};
    for (int row = 0; row < 6; ++row) {
        MoveTo(0, 8.55f + 0.25f * float(row));
        m_page.setCurrentX(8280);
        m_page.printLine(labels[row]);
    }
    SetFont(10, false);
}

void PrintEngine::PrintTotals(const PrintedTotals &totals, const QString &terms,
                              const QString &taxHeading1, const QString &taxHeading2)
{
    PrintTotalsLabels(taxHeading1, taxHeading2);
    SetPrintColour(false);
    SetFont(10, true);
    SetPrintColour(true);

    const auto valueRow = [&](int row, const QString &text) {
        MoveTo(0, 8.55f + 0.25f * float(row));
        printRightAligned(11520, text);
    };
    valueRow(0, totals.subTotal);
    valueRow(1, totals.tax1);
    valueRow(2, totals.tax2);
    if (!totals.shipping.isEmpty())
        valueRow(3, totals.shipping);
    if (!totals.handling.isEmpty())
        valueRow(4, totals.handling);
    SetFont(12, true);
    if (m_settings.colourPrinting)
        m_page.setForeColour(Red);
    valueRow(5, totals.grandTotal);

    if (m_settings.colourPrinting)
        m_page.setForeColour(Blue);
    m_page.setCurrentY(ClosingY);
    const auto printAtClosing = [&](const QString &text) {
        MoveTo(1.3f, 0);
        m_page.printLine(text);
    };
    if (!totals.discount.isEmpty()) {
        printAtClosing(terms);
        printAtClosing(QStringLiteral("in the amount of ") + totals.discount);
        return;
    }
    QString closing = QStringLiteral("Thank you for your Business");
    if (m_data.FileIsPresent(invoicefiles::TermsFile)) {
        const QStringList lines = linefile::decode(m_data.ReadFile(invoicefiles::TermsFile));
        if (!lines.isEmpty())
            closing = printable(lines.first());
    }
    printAtClosing(closing);
}

void PrintEngine::PrintSlipPageHeader(bool narrative, const QString &title)
{
    // The slip has no narrative: the flag is kept for the callers that pass it.
    Q_UNUSED(narrative);
    setPageWidth(FormWidth);
    m_narrative = false;
    DrawSlipFrame();
    DrawFormRules(false);
    PrintTitle(title, 0.5f);
    PrintLogo(720);
    PrintBusinessHeader(0.75f, 0.4f, 12);
}

void PrintEngine::PrintSlipHeadings()
{
    // In the border colours the header left.
    SetPrintColour(false);
    MoveTo(0.6f, 4.05f);
    m_page.printText(QStringLiteral("Qty"));
    MoveTo(1.4f, 0);
    m_page.printText(QStringLiteral("Packed By"));
    MoveTo(2.5f, 0);
    m_page.printLine(QStringLiteral("Description"));
    m_page.setForeColour(Black);
    SetFont(10, false);
}

void PrintEngine::PrintSlipBody(const QList<InvoiceLine> &lines)
{
    m_page.printLine(QString());
    MoveTo(0.75f, 4.8f);
    for (const InvoiceLine &line : lines) {
        const QString &units = line[InvoiceLine::Units];
        if (units.isEmpty())
            continue;
        if (m_page.currentY() + m_page.textHeight(units) >= SlipBottom)
            PrintSlipContinuation();
        printRightAligned(1296, units);
        MoveTo(2.4f, 0);
        m_page.printLine(line[InvoiceLine::Description]);
    }
}

void PrintEngine::PrintSlipContinuation()
{
    m_page.newPage();
    PrintSlipPageHeader(false, QStringLiteral("Packing Slip"));
    PrintSlipHeadings();
    m_page.printLine(QString());
    MoveTo(0.75f, 4.8f);
}
