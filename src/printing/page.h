#pragma once

#include <QString>

#include <memory>

// Everything a printout draws goes through one page. Positions and sizes are in
// twips (1440 to the inch) from the paper's top-left corner, y growing downward.
// The current y is the top of a text line; printing a line moves it down by the
// height of the current font and x back to the left edge (0).
// Colours are 0x00BBGGRR (255 is red, 0xFF0000 blue).
class Page
{
public:
    enum class Orientation
    {
        Portrait,
        Landscape
    };
    enum class Fill
    {
        Outline,
        Filled
    };

    virtual ~Page() = default;

    virtual double currentX() const = 0;
    virtual void setCurrentX(double twips) = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentY(double twips) = 0;

    virtual QString fontName() const = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual double fontSize() const = 0; // points
    virtual void setFontSize(double points) = 0;
    virtual bool fontBold() const = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual bool fontUnderline() const = 0;
    virtual void setFontUnderline(bool underline) = 0;

    virtual quint32 foreColour() const = 0;
    virtual void setForeColour(quint32 bgr) = 0;
    // Width of lines and rectangle outlines; 0 is the thinnest the device draws.
    virtual void setLineWidth(double twips) = 0;

    // Both take effect for a job that has not drawn anything yet.
    virtual void setColourMode(bool colour) = 0;
    virtual void setOrientation(Orientation orientation) = 0;

    // Prints at the current position and ends the line.
    virtual void printLine(const QString &text) = 0;
    // Prints at the current position and stays on the line, after the text.
    virtual void printText(const QString &text) = 0;
    virtual double textWidth(const QString &text) const = 0;
    // The height of one line of the current font.
    virtual double textHeight(const QString &text = {}) const = 0;

    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawRectangle(double x1, double y1, double x2, double y2,
                               Fill fill = Fill::Outline) = 0;
    // Paints the picture file scaled into the box. False, and nothing drawn, when
    // the file is missing or not a picture the page can read.
    virtual bool drawPicture(const QString &path, double x, double y, double width,
                             double height) = 0;

    // Ends the page; the next one starts at (0, 0).
    virtual void newPage() = 0;
    // Ends the job and hands it to the printer; false when the printer or the file
    // failed. A later drawing call starts a new job.
    virtual bool endDocument() = 0;

    virtual double pageWidth() const = 0;
    // The lowest y the printer can print at.
    virtual double printableHeight() const = 0;
    // 1 on the first page of a job.
    virtual int pageNumber() const = 0;
    // True when each job would replace the last (a file): printouts of several
    // jobs put them on the pages of one.
    virtual bool printsToFile() const { return false; }
};

// Asks the operator for a printer and opens a page on it for one job.
class PageSource
{
public:
    enum class Choice
    {
        Chosen,
        Cancelled,
        Failed
    };
    struct Opened
    {
        Choice choice = Choice::Cancelled;
        std::unique_ptr<Page> page; // set when Chosen
    };

    virtual ~PageSource() = default;
    virtual Opened choosePrinter() = 0;
    // The system's default printer without a dialog; where the system has none,
    // the operator is asked as choosePrinter() does.
    virtual Opened openDefault() { return choosePrinter(); }
};
