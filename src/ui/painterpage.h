#pragma once

#include "printing/page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

class QPrinter;

// The page on a printer or a PDF file. It paints with the origin at the paper's
// top-left corner, in twips, and measures text with the printer's font metrics.
// The painter starts at the first drawing call, so the colour mode and the
// orientation can still be set after the printer was chosen.
class PainterPage final : public Page
{
public:
    explicit PainterPage(std::unique_ptr<QPrinter> printer);
    ~PainterPage() override;
    PainterPage(const PainterPage &) = delete;
    PainterPage &operator=(const PainterPage &) = delete;

    // A printer on US Letter, portrait, for the dialog to start from.
    static std::unique_ptr<QPrinter> letterPrinter();
    // The same, writing a PDF file.
    static std::unique_ptr<QPrinter> pdfPrinter(const QString &path);

    QPrinter &printer() { return *m_printer; }

    double currentX() const override { return m_x; }
    void setCurrentX(double twips) override { m_x = twips; }
    double currentY() const override { return m_y; }
    void setCurrentY(double twips) override { m_y = twips; }

    QString fontName() const override { return m_fontName; }
    void setFontName(const QString &name) override;
    double fontSize() const override { return m_fontSize; }
    void setFontSize(double points) override;
    bool fontBold() const override { return m_bold; }
    void setFontBold(bool bold) override;
    bool fontUnderline() const override { return m_underline; }
    void setFontUnderline(bool underline) override;

    quint32 foreColour() const override { return m_colour; }
    void setForeColour(quint32 bgr) override { m_colour = bgr; }
    void setLineWidth(double twips) override { m_lineWidth = twips; }

    void setColourMode(bool colour) override;
    void setOrientation(Orientation orientation) override;

    void printLine(const QString &text) override;
    void printText(const QString &text) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text = {}) const override;

    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawRectangle(double x1, double y1, double x2, double y2,
                       Fill fill = Fill::Outline) override;
    bool drawPicture(const QString &path, double x, double y, double width, double height) override;

    void newPage() override;
    bool endDocument() override;

    double pageWidth() const override;
    double printableHeight() const override;
    int pageNumber() const override { return m_pageNumber; }
    bool printsToFile() const override;

    // 0x00BBGGRR to a colour; bits above the 24 colour bits are ignored.
    static QColor colourOf(quint32 bgr);

private:
    bool begin();
    void drawText(const QString &text);
    void fontChanged();
    const QFontMetricsF &metrics() const;
    const QImage &picture(const QString &path);

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    bool m_started = false;
    bool m_failed = false;

    double m_x = 0;
    double m_y = 0;
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_bold = false;
    bool m_underline = false;
    quint32 m_colour = 0;
    double m_lineWidth = 0;
    int m_pageNumber = 1;

    QFont m_font;
    bool m_painterFontStale = true;
    mutable std::optional<QFontMetricsF> m_metrics;
    // Decoded once per job: a logo is drawn on every page.
    QHash<QString, QImage> m_pictures;
};
