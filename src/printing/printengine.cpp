#include "printing/printengine.h"

#include "core/datafolder.h"
#include "core/names.h"
#include "core/textrecord.h"
#include "setup/settingsfiles.h"

#include <cmath>
#include <utility>

namespace printing {

double twips(float inches)
{
    // The figures are written in hundredths of an inch; rounding to a hundredth of
    // a twip drops the noise of the single-precision value (1.3 -> 1872, not 1871.9999).
    return std::round(double(inches) * 1440.0 * 100.0) / 100.0;
}

std::optional<QString> decodeWebSite(const QByteArray &bytes)
{
    TextRecordReader reader(bytes);
    return reader.field();
}

} // namespace printing

using namespace printing;

namespace {

// The frame and rules are six dots wide on a 600 dpi printer, whatever the device.
constexpr double RuleWidth = 6 * TwipsPerInch / 600;

constexpr double FrameLeft = 360;
constexpr double FrameRight = 11880;
constexpr double FrameTop = 504;
constexpr double FrameBottom = 5040;

// Lines are kept 20 twips narrower than the width they are given.
constexpr double WrapSlack = 20;

qsizetype skipBlanks(const QString &text, qsizetype from)
{
    while (from < text.size() && text.at(from) == u' ')
        ++from;
    return from;
}

} // namespace

PrintEngine::PrintEngine(Page &page, PrintSettings settings, const DataFolder &data)
    : m_page(page), m_settings(std::move(settings)), m_data(data),
      // Without colour printing nothing may print in colour, even before the first
      // SetPrintColour.
      m_highlight(m_settings.colourPrinting ? m_settings.borderColour : 0)
{
}

void PrintEngine::SetupPrinter(const QString &orientation, int colour)
{
    m_page.setColourMode(colour == 1);
    m_page.setOrientation(orientation == QLatin1String("Portrait") ? Page::Orientation::Portrait
                                                                   : Page::Orientation::Landscape);
    // A settings file without a font name still prints in the default face.
    const QString font = m_settings.fontName.trimmed();
    m_page.setFontName(font.isEmpty() ? QStringLiteral("Arial") : font);
    m_page.setForeColour(Black);
    SetFont(0, false, false);
}

void PrintEngine::MoveTo(float x, float y)
{
    if (x > 0)
        m_page.setCurrentX(twips(x));
    if (y > 0)
        m_page.setCurrentY(twips(y));
}

void PrintEngine::SetFont(int size, bool bold, bool underline)
{
    if (size > 0)
        m_page.setFontSize(size);
    m_page.setFontBold(bold);
    m_page.setFontUnderline(underline);
}

void PrintEngine::SetPrintColour(bool text)
{
    if (!m_settings.colourPrinting) {
        m_page.setForeColour(Black);
        m_highlight = 0;
        return;
    }
    if (text) {
        m_page.setForeColour(Blue);
        m_highlight = m_settings.textColour;
    } else {
        m_page.setForeColour(m_settings.borderColour);
        m_highlight = m_settings.borderColour;
    }
}

QStringList PrintEngine::wrapLines(double width, const QString &text, int maxLines) const
{
    const double room = width - WrapSlack;
    QStringList lines;
    QString rest = text;
    while (!rest.isEmpty() && (maxLines < 0 || lines.size() < maxLines)) {
        // The last space whose prefix (space included) still fits. Leading blanks
        // are not a break: they would make an empty line.
        qsizetype fitting = -1;
        bool overflow = false;
        for (qsizetype space = rest.indexOf(u' ', skipBlanks(rest, 0)); space >= 0;
             space = rest.indexOf(u' ', space + 1)) {
            if (m_page.textWidth(rest.left(space + 1)) > room) {
                overflow = true;
                break;
            }
            fitting = space;
        }
        // The end of the text is a break point too: a last word that does not fit
        // goes to the next line.
        if (!overflow && fitting >= 0 && m_page.textWidth(rest) > room)
            overflow = true;

        QString line;
        if (!overflow) {
            line = rest;
            rest.clear();
        } else {
            qsizetype end = fitting;
            // Nothing fits before the first break: that word gets a line of its own.
            if (end < 0) {
                end = rest.indexOf(u' ', skipBlanks(rest, 0));
                if (end < 0)
                    end = rest.size();
            }
            line = rest.left(end);
            while (line.endsWith(u' '))
                line.chop(1);
            rest = rest.mid(skipBlanks(rest, end));
        }
        lines.append(line);
    }
    return lines;
}

void PrintEngine::PrintWrapped(double x, double y, double width, const QString &text)
{
    m_page.setCurrentY(y);
    for (const QString &line : wrapLines(width, text)) {
        m_page.setCurrentX(x);
        m_page.printLine(line);
    }
}

void PrintEngine::PrintTitle(const QString &title, float y)
{
    SetFont(28, true);
    SetPrintColour(false);
    MoveTo(5.0f, y);
    m_page.printLine(title);
    SetPrintColour(false);
    SetFont(10, true);
}

void PrintEngine::PrintBusinessHeader(float x, float y, int size)
{
    const auto &field = m_settings.business;
    const double left = twips(x);
    const auto printAtLeft = [&](const QString &text) {
        m_page.setCurrentX(left);
        m_page.printLine(text);
    };

    MoveTo(x, y);
    SetFont(size, true);
    if (field[0].size() > 25)
        SetFont(10, true);
    m_page.printLine(field[0]);
    SetFont(10, false);

    printAtLeft(field[1]);
    if (!field[2].isEmpty())
        printAtLeft(field[2]);

    if (m_settings.addressStyle == PrintSettings::AddressStyle::Usa) {
        QString line = field[3].isEmpty() ? QString() : field[3] + QStringLiteral(", ");
        if (!field[4].isEmpty())
            line += field[4] + QStringLiteral(". ") + field[5];
        if (!line.isEmpty())
            printAtLeft(line);
    } else {
        if (!field[3].isEmpty())
            printAtLeft(field[3]);
        if (!field[4].isEmpty())
            printAtLeft(field[4]);
    }

    if (!field[6].isEmpty())
        printAtLeft(QStringLiteral("Telephone: ") + field[6]);
    if (!field[7].isEmpty())
        printAtLeft(field[7]);
    if (!field[8].isEmpty())
        printAtLeft(field[8]);

    if (m_data.FileIsPresent(settingsfiles::WebSiteFile)) {
        if (const auto address =
                printing::decodeWebSite(m_data.ReadFile(settingsfiles::WebSiteFile)))
            printAtLeft(*address);
    }
}

void PrintEngine::PrintLogo(double y)
{
    const double width = m_settings.logoWidth;
    const double height = m_settings.logoHeight;
    if (m_settings.logoPath.isEmpty() || !std::isfinite(width) || !std::isfinite(height) ||
        width <= 0 || height <= 0)
        return;
    // Centred on the width it is drawn at, so a resized logo stays in the middle.
    m_page.drawPicture(m_settings.logoPath, (pageWidth() - width) / 2, y, width, height);
}

void PrintEngine::drawFrameBox(quint32 colour)
{
    m_page.setLineWidth(RuleWidth);
    m_page.setForeColour(colour);
    m_page.drawRectangle(FrameLeft, FrameTop, FrameRight, FrameBottom);
}

void PrintEngine::DrawInvoiceFrame()
{
    drawFrameBox(m_settings.frameColour);
}

void PrintEngine::DrawSlipFrame()
{
    drawFrameBox(m_highlight);
}

void PrintEngine::DrawFormRules(bool narrative)
{
    const double top = narrative ? 7200 : 5760;
    const double left = FrameLeft;
    const double right = FrameRight;
    const double bottom = 14400;

    for (const double y : {top, top + 360, top + 720, top + 1080, 12240.0, 13680.0, bottom})
        m_page.drawLine(left, y, right, y);
    for (const double y : {12600.0, 12960.0, 13320.0, 13680.0, 14040.0})
        m_page.drawLine(7920, y, right, y);

    m_page.drawLine(left, top, left, bottom);
    m_page.drawLine(1800, top + 720, 1800, bottom);
    m_page.drawLine(7920, top, 7920, bottom);
    m_page.drawLine(10080, top + 720, 10080, bottom);
    m_page.drawLine(right, top, right, bottom);
    m_page.drawLine(3240, top, 3240, 12240);
}

void PrintEngine::PrintInvoicePageHeader(const QString &title, float y,
                                         const QString &invoiceNumber)
{
    setPageWidth(FormWidth);
    const QString narrativePath = narrativeFile(invoiceNumber);
    m_narrative = !narrativePath.isEmpty() && m_data.FileIsPresent(narrativePath);

    SetPrintColour(false);
    DrawInvoiceFrame();
    DrawFormRules(m_narrative);

    SetPrintColour(true);
    PrintTitle(title, 0.5f);
    PrintLogo(720);
    PrintBusinessHeader(0.75f, y, 12);
}

double PrintEngine::pageWidth() const
{
    return m_pageWidth > 0 ? m_pageWidth : m_page.pageWidth();
}

QString PrintEngine::narrativeFile(const QString &invoiceNumber)
{
    if (!names::isSafeFileName(invoiceNumber))
        return {};
    return QStringLiteral("/PelmorInvoicer/Narratives/") + invoiceNumber + QStringLiteral(".txt");
}
