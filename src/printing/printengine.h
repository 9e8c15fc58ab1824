#pragma once

#include "printing/page.h"
#include "printing/printsettings.h"

#include <QString>

#include <optional>

class DataFolder;

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

    Page &m_page;
    const PrintSettings m_settings;
    const DataFolder &m_data;
    quint32 m_highlight;
    bool m_narrative = false;
    double m_pageWidth = 0;
};
