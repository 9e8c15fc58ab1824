#pragma once

#include "printing/invoiceprintout.h"
#include "printing/page.h"
#include "printing/printsettings.h"

#include <QString>

#include <optional>

class DataFolder;
class Prompts;

namespace printing {

inline constexpr double TwipsPerInch = 1440;
// The forms are laid out on US Letter: 8.5 in across.
inline constexpr double FormWidth = 12240;
// Item rows of an invoice end above the totals box.
inline constexpr double BodyBottom = 11880;

inline constexpr quint32 Black = 0;
inline constexpr quint32 Blue = 0xFF0000;
inline constexpr quint32 Red = 0x0000FF;

// Inches as the layouts give them (single precision) to twips.
double twips(float inches);

// The web address line of "/MyWebSite.txt" (its first field); nullopt when it has none.
std::optional<QString> decodeWebSite(const QByteArray &bytes);

} // namespace printing

// The drawing operations every printout is made of, on one page for one job. It
// keeps the state the layouts share between operations: the highlight colour and
// whether the invoice being printed has a narrative. The settings are copied: a job
// prints with what the setup held when it started, and a caller may pass a temporary.
class PrintEngine final
{
public:
    PrintEngine(Page &page, PrintSettings settings, const DataFolder &data);

    Page &page() { return m_page; }
    const PrintSettings &settings() const { return m_settings; }

    // Colour mode from the flag (1 is colour), portrait only for "Portrait", the
    // document font in black; size unchanged, bold and underline off.
    void SetupPrinter(const QString &orientation, int colour);
    // Inches; a zero keeps that coordinate.
    void MoveTo(float x, float y);
    // A size of 0 keeps the size.
    void SetFont(int size, bool bold, bool underline = false);
    // true: text colours, false: border colours.
    void SetPrintColour(bool text);
    // Twips. Lines break between words so that each fits in width - 20; a word
    // wider than that stands on a line of its own.
    void PrintWrapped(double x, double y, double width, const QString &text);
    void PrintTitle(const QString &title, float y);
    void PrintBusinessHeader(float x, float y, int size);
    void PrintLogo(double y);
    void DrawInvoiceFrame();
    // The packing slip's frame: the same box in the highlight colour.
    void DrawSlipFrame();
    void DrawFormRules(bool narrative);
    void PrintInvoicePageHeader(const QString &title, float y, const QString &invoiceNumber);

    // The steps of the invoice and packing slip. Positions marked for the narrative
    // move one inch down while the page header found a narrative file.
    void PrintInvoiceDataBlock(const QString &account, const QString &invoiceNumber,
                               const QString &date, const QString &reference, bool memo);
    // The stored memo in blue; what does not fit above the closing line is left off.
    void PrintInvoiceMemo();
    void PrintColumnHeadings();
    void PrintDetachLine();
    void PrintSoldTo(const PrintedAddress &address, bool usaStyle);
    // Nothing when the whole address is empty; no ship line for the carrier "None".
    void PrintShippedTo(const PrintedAddress &address, bool usaStyle, const QString &shipVia,
                        const QDate &shipDate, const QDate &today, const QString &reference);
    // The rows, on as many pages as they need.
    void PrintItemBody(const InvoicePrintout &invoice);
    // The narrative between 3.7 in and 5 in; what does not fit is cut and the
    // operator told.
    void PrintNarrative(const QString &invoiceNumber);
    void PrintContinuationPage(const InvoicePrintout &invoice);
    void PrintTotalsLabels(const QString &taxHeading1, const QString &taxHeading2);
    // The totals box and the closing line.
    void PrintTotals(const PrintedTotals &totals, const QString &terms,
                     const QString &taxHeading1, const QString &taxHeading2);

    void PrintSlipPageHeader(bool narrative, const QString &title);
    void PrintSlipHeadings();
    // Rows whose units are empty are not packed.
    void PrintSlipBody(const QList<InvoiceLine> &lines);
    void PrintSlipContinuation();

    // The lines PrintWrapped would print, at most maxLines of them.
    QStringList wrapLines(double width, const QString &text, int maxLines = -1) const;

    // Where the "Narrative is to Big" message goes; none is shown without.
    void setPrompts(Prompts *prompts) { m_prompts = prompts; }
    // The page of the document on which the printed page count starts at 1, for
    // forms that share one document.
    void setFirstPage(int page) { m_firstPage = page; }

    quint32 highlightColour() const { return m_highlight; }
    bool narrative() const { return m_narrative; }
    // The width the page was set to by a form header, else the paper's.
    double pageWidth() const;
    void setPageWidth(double twips) { m_pageWidth = twips; }

    // "/PelmorInvoicer/Narratives/<invoice>.txt"; empty when the number cannot
    // name a file.
    static QString narrativeFile(const QString &invoiceNumber);

private:
    void drawFrameBox(quint32 colour);
    // One inch lower on a page with a narrative.
    float lower(float inches) const { return m_narrative ? inches + 1.0f : inches; }
    void printRightAligned(double right, const QString &text);
    void printAddressLines(double x, const PrintedAddress &address, bool usaStyle,
                           const QString &cityStateSeparator);

    Page &m_page;
    const PrintSettings m_settings;
    const DataFolder &m_data;
    quint32 m_highlight;
    bool m_narrative = false;
    double m_pageWidth = 0;
    Prompts *m_prompts = nullptr;
    int m_firstPage = 1;
};
