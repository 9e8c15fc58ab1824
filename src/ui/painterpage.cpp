#include "ui/painterpage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinter>

#include <cmath>

namespace {

constexpr double TwipsPerPoint = 20;

} // namespace

PainterPage::PainterPage(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
{
    // Positions are measured from the paper's corner, not the printable area's.
    m_printer->setFullPage(true);
    fontChanged();
}

PainterPage::~PainterPage()
{
    if (m_painter.isActive())
        m_painter.end();
}

std::unique_ptr<QPrinter> PainterPage::letterPrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(true);
    return printer;
}

std::unique_ptr<QPrinter> PainterPage::pdfPrinter(const QString &path)
{
    auto printer = letterPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return printer;
}

QColor PainterPage::colourOf(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

void PainterPage::setFontName(const QString &name)
{
    m_fontName = name;
    fontChanged();
}

void PainterPage::setFontSize(double points)
{
    m_fontSize = points;
    fontChanged();
}

void PainterPage::setFontBold(bool bold)
{
    m_bold = bold;
    fontChanged();
}

void PainterPage::setFontUnderline(bool underline)
{
    m_underline = underline;
    fontChanged();
}

void PainterPage::fontChanged()
{
    // The painter draws in twips, so the font is sized in twips too; the printer's
    // own metrics then measure in twips. A font that is not installed falls back
    // to the closest one the system has.
    m_font = QFont(m_fontName);
    const double size = std::isfinite(m_fontSize) && m_fontSize > 0 ? m_fontSize : 10;
    m_font.setPixelSize(std::max(1, int(std::lround(size * TwipsPerPoint))));
    m_font.setBold(m_bold);
    m_font.setUnderline(m_underline);
    m_font.setHintingPreference(QFont::PreferNoHinting);
    m_font.setKerning(true);
    m_metrics.reset();
    m_painterFontStale = true;
}

const QFontMetricsF &PainterPage::metrics() const
{
    if (!m_metrics)
        m_metrics.emplace(m_font, m_printer.get());
    return *m_metrics;
}

void PainterPage::setColourMode(bool colour)
{
    if (!m_started)
        m_printer->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
}

void PainterPage::setOrientation(Orientation orientation)
{
    if (!m_started)
        m_printer->setPageOrientation(
            orientation == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
}

bool PainterPage::begin()
{
    if (m_started)
        return true;
    if (m_failed)
        return false;
    if (!m_painter.begin(m_printer.get())) {
        m_failed = true;
        return false;
    }
    m_started = true;
    m_painterFontStale = true;
    const double scale = m_printer->resolution() / 1440.0;
    m_painter.scale(scale, scale);
    return true;
}

void PainterPage::drawText(const QString &text)
{
    if (text.isEmpty() || !begin())
        return;
    if (m_painterFontStale) {
        m_painter.setFont(m_font);
        m_painterFontStale = false;
    }
    m_painter.setPen(colourOf(m_colour));
    m_painter.drawText(QPointF(m_x, m_y + metrics().ascent()), text);
}

void PainterPage::printLine(const QString &text)
{
    drawText(text);
    m_x = 0;
    m_y += textHeight();
}

void PainterPage::printText(const QString &text)
{
    drawText(text);
    m_x += textWidth(text);
}

double PainterPage::textWidth(const QString &text) const
{
    return metrics().horizontalAdvance(text);
}

double PainterPage::textHeight(const QString &) const
{
    return metrics().height();
}

void PainterPage::drawLine(double x1, double y1, double x2, double y2)
{
    if (!begin())
        return;
    QPen pen(colourOf(m_colour));
    pen.setWidthF(m_lineWidth);
    pen.setCapStyle(Qt::SquareCap);
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPage::drawRectangle(double x1, double y1, double x2, double y2, Fill fill)
{
    if (!begin())
        return;
    const QColor colour = colourOf(m_colour);
    QPen pen(colour);
    pen.setWidthF(m_lineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(fill == Fill::Filled ? QBrush(colour) : QBrush(Qt::NoBrush));
    m_painter.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
    m_painter.setBrush(Qt::NoBrush);
}

const QImage &PainterPage::picture(const QString &path)
{
    auto found = m_pictures.find(path);
    if (found == m_pictures.end()) {
        // A file that is missing, truncated or in a format Qt cannot read gives a
        // null image; the reader's allocation limit refuses absurd dimensions. Only
        // plain files are opened: a pipe or a device named as the logo would hang
        // the print job or never end.
        QImage image;
        if (QFileInfo(path).isFile()) {
            QImageReader reader(path);
            reader.setAutoTransform(true);
            image = reader.read();
        }
        found = m_pictures.insert(path, image);
    }
    return *found;
}

bool PainterPage::drawPicture(const QString &path, double x, double y, double width, double height)
{
    if (path.isEmpty() || !(width > 0) || !(height > 0))
        return false;
    const QImage &image = picture(path);
    if (image.isNull() || !begin())
        return false;
    m_painter.drawImage(QRectF(x, y, width, height), image);
    return true;
}

void PainterPage::newPage()
{
    if (!begin())
        return;
    m_printer->newPage();
    m_x = 0;
    m_y = 0;
    ++m_pageNumber;
}

bool PainterPage::endDocument()
{
    bool ok = !m_failed;
    if (m_started)
        ok = m_painter.end() && ok;
    ok = ok && m_printer->printerState() != QPrinter::Error;
    m_started = false;
    m_failed = false;
    m_pageNumber = 1;
    m_x = 0;
    m_y = 0;
    m_pictures.clear();
    return ok;
}

double PainterPage::pageWidth() const
{
    return m_printer->pageLayout().fullRect(QPageLayout::Point).width() * TwipsPerPoint;
}

double PainterPage::printableHeight() const
{
    QPageLayout layout = m_printer->pageLayout();
    layout.setUnits(QPageLayout::Point);
    return (layout.fullRect(QPageLayout::Point).height() - layout.minimumMargins().bottom()) *
           TwipsPerPoint;
}

bool PainterPage::printsToFile() const
{
    return !m_printer->outputFileName().isEmpty();
}
