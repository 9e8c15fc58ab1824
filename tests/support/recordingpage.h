#pragma once

#include "printing/page.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

// A page that records every drawing call with its position and the state it was
// drawn in. Text is measured with fixed metrics so layouts can be checked exactly:
// every character is half the font size wide (10 points: 100 twips) and a line is
// 1.2 times the size high (10 points: 240 twips).
class RecordingPage final : public Page
{
public:
    enum class Kind
    {
        Text,
        Line,
        Rectangle,
        Picture,
        NewPage,
        EndDocument
    };

    struct Call
    {
        Kind kind = Kind::Text;
        // Text: the top-left corner; line and rectangle: the first point;
        // picture: the box's corner.
        double x = 0;
        double y = 0;
        // Line and rectangle: the second point; picture: width and height.
        double x2 = 0;
        double y2 = 0;
        QString text; // text; picture: the file
        bool lineEnd = false;
        bool filled = false;
        QString fontName;
        double fontSize = 0;
        bool bold = false;
        bool underline = false;
        quint32 colour = 0;
        double lineWidth = 0;
        int page = 1;
    };

    QList<Call> calls;
    bool colourMode = true;
    Orientation orientation = Orientation::Portrait;
    double paperHeight = 15840;
    bool endDocumentSucceeds = true;
    bool toFile = false;

    // The calls of one kind, in order.
    QList<Call> of(Kind kind) const;
    // The texts printed, in order.
    QStringList texts() const;
    // The first text call with this text; a default Call (empty text) when none.
    Call text(const QString &text) const;

    double currentX() const override { return m_x; }
    void setCurrentX(double twips) override { m_x = twips; }
    double currentY() const override { return m_y; }
    void setCurrentY(double twips) override { m_y = twips; }

    QString fontName() const override { return m_fontName; }
    void setFontName(const QString &name) override { m_fontName = name; }
    double fontSize() const override { return m_fontSize; }
    void setFontSize(double points) override { m_fontSize = points; }
    bool fontBold() const override { return m_bold; }
    void setFontBold(bool bold) override { m_bold = bold; }
    bool fontUnderline() const override { return m_underline; }
    void setFontUnderline(bool underline) override { m_underline = underline; }

    quint32 foreColour() const override { return m_colour; }
    void setForeColour(quint32 bgr) override { m_colour = bgr; }
    void setLineWidth(double twips) override { m_lineWidth = twips; }

    void setColourMode(bool colour) override { colourMode = colour; }
    void setOrientation(Orientation value) override { orientation = value; }

    void printLine(const QString &text) override;
    void printText(const QString &text) override;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text = {}) const override;

    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawRectangle(double x1, double y1, double x2, double y2,
                       Fill fill = Fill::Outline) override;
    // Draws any file that exists.
    bool drawPicture(const QString &path, double x, double y, double width, double height) override;

    void newPage() override;
    bool endDocument() override;

    double pageWidth() const override;
    double printableHeight() const override;
    int pageNumber() const override { return m_page; }
    bool printsToFile() const override { return toFile; }

private:
    Call stamped(Kind kind) const;

    double m_x = 0;
    double m_y = 0;
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_bold = false;
    bool m_underline = false;
    quint32 m_colour = 0;
    double m_lineWidth = 0;
    int m_page = 1;
};

// Answers the printer dialog as scripted. A chosen printer gets a new recording
// page that stays here after the job has ended, for the assertions.
class RecordingPageSource final : public PageSource
{
public:
    Choice answer = Choice::Chosen;
    // Applied to every new page.
    double paperHeight = 15840;
    bool endDocumentSucceeds = true;
    bool toFile = false;
    // openDefault() answers without asking while true.
    bool hasDefaultPrinter = true;

    Opened choosePrinter() override;
    Opened openDefault() override;
    int defaultOpened() const { return m_defaultOpened; }

    // How often the dialog was shown.
    int asked() const { return int(m_pages.size()) + m_refused - m_defaultOpened; }
    // The page of the last job; nullptr before the first.
    RecordingPage *last() const { return m_pages.empty() ? nullptr : m_pages.back().get(); }

private:
    std::vector<std::unique_ptr<RecordingPage>> m_pages;
    int m_refused = 0;
    int m_defaultOpened = 0;
};
