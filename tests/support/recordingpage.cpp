#include "recordingpage.h"

#include <QFileInfo>

QList<RecordingPage::Call> RecordingPage::of(Kind kind) const
{
    QList<Call> found;
    for (const Call &call : calls) {
        if (call.kind == kind)
            found.append(call);
    }
    return found;
}

QStringList RecordingPage::texts() const
{
    QStringList found;
    for (const Call &call : calls) {
        if (call.kind == Kind::Text)
            found.append(call.text);
    }
    return found;
}

RecordingPage::Call RecordingPage::text(const QString &text) const
{
    for (const Call &call : calls) {
        if (call.kind == Kind::Text && call.text == text)
            return call;
    }
    return {};
}

RecordingPage::Call RecordingPage::stamped(Kind kind) const
{
    Call call;
    call.kind = kind;
    call.x = m_x;
    call.y = m_y;
    call.fontName = m_fontName;
    call.fontSize = m_fontSize;
    call.bold = m_bold;
    call.underline = m_underline;
    call.colour = m_colour;
    call.lineWidth = m_lineWidth;
    call.page = m_page;
    return call;
}

void RecordingPage::printLine(const QString &text)
{
    Call call = stamped(Kind::Text);
    call.text = text;
    call.lineEnd = true;
    calls.append(call);
    m_x = 0;
    m_y += textHeight();
}

void RecordingPage::printText(const QString &text)
{
    Call call = stamped(Kind::Text);
    call.text = text;
    calls.append(call);
    m_x += textWidth(text);
}

double RecordingPage::textWidth(const QString &text) const
{
    return text.size() * m_fontSize * 10;
}

double RecordingPage::textHeight(const QString &) const
{
    return m_fontSize * 24;
}

void RecordingPage::drawLine(double x1, double y1, double x2, double y2)
{
    Call call = stamped(Kind::Line);
    call.x = x1;
    call.y = y1;
    call.x2 = x2;
    call.y2 = y2;
    calls.append(call);
}

void RecordingPage::drawRectangle(double x1, double y1, double x2, double y2, Fill fill)
{
    Call call = stamped(Kind::Rectangle);
    call.x = x1;
    call.y = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.filled = fill == Fill::Filled;
    calls.append(call);
}

bool RecordingPage::drawPicture(const QString &path, double x, double y, double width,
                                double height)
{
    if (!QFileInfo(path).isFile())
        return false;
    Call call = stamped(Kind::Picture);
    call.x = x;
    call.y = y;
    call.x2 = width;
    call.y2 = height;
    call.text = path;
    calls.append(call);
    return true;
}

void RecordingPage::newPage()
{
    calls.append(stamped(Kind::NewPage));
    m_x = 0;
    m_y = 0;
    ++m_page;
}

bool RecordingPage::endDocument()
{
    calls.append(stamped(Kind::EndDocument));
    m_x = 0;
    m_y = 0;
    m_page = 1;
    return endDocumentSucceeds;
}

double RecordingPage::pageWidth() const
{
    return orientation == Orientation::Portrait ? 12240 : paperHeight;
}

double RecordingPage::printableHeight() const
{
    return orientation == Orientation::Portrait ? paperHeight : 12240;
}

namespace {

// What the job owns: a page that forwards to one the source keeps.
class ForwardingPage final : public Page
{
public:
    explicit ForwardingPage(Page &to) : m(to) {}
    double currentX() const override { return m.currentX(); }
    void setCurrentX(double v) override { m.setCurrentX(v); }
    double currentY() const override { return m.currentY(); }
    void setCurrentY(double v) override { m.setCurrentY(v); }
    QString fontName() const override { return m.fontName(); }
    void setFontName(const QString &v) override { m.setFontName(v); }
    double fontSize() const override { return m.fontSize(); }
    void setFontSize(double v) override { m.setFontSize(v); }
    bool fontBold() const override { return m.fontBold(); }
    void setFontBold(bool v) override { m.setFontBold(v); }
    bool fontUnderline() const override { return m.fontUnderline(); }
    void setFontUnderline(bool v) override { m.setFontUnderline(v); }
    quint32 foreColour() const override { return m.foreColour(); }
    void setForeColour(quint32 v) override { m.setForeColour(v); }
    void setLineWidth(double v) override { m.setLineWidth(v); }
    void setColourMode(bool v) override { m.setColourMode(v); }
    void setOrientation(Orientation v) override { m.setOrientation(v); }
    void printLine(const QString &t) override { m.printLine(t); }
    void printText(const QString &t) override { m.printText(t); }
    double textWidth(const QString &t) const override { return m.textWidth(t); }
    double textHeight(const QString &t) const override { return m.textHeight(t); }
    void drawLine(double x1, double y1, double x2, double y2) override
    {
        m.drawLine(x1, y1, x2, y2);
    }
    void drawRectangle(double x1, double y1, double x2, double y2, Fill f) override
    {
        m.drawRectangle(x1, y1, x2, y2, f);
    }
    bool drawPicture(const QString &p, double x, double y, double w, double h) override
    {
        return m.drawPicture(p, x, y, w, h);
    }
    void newPage() override { m.newPage(); }
    bool endDocument() override { return m.endDocument(); }
    double pageWidth() const override { return m.pageWidth(); }
    double printableHeight() const override { return m.printableHeight(); }
    int pageNumber() const override { return m.pageNumber(); }
    bool printsToFile() const override { return m.printsToFile(); }

private:
    Page &m;
};

} // namespace

PageSource::Opened RecordingPageSource::choosePrinter()
{
    if (answer != Choice::Chosen) {
        ++m_refused;
        return {answer, nullptr};
    }
    auto page = std::make_unique<RecordingPage>();
    page->paperHeight = paperHeight;
    page->endDocumentSucceeds = endDocumentSucceeds;
    page->toFile = toFile;
    m_pages.push_back(std::move(page));
    return {Choice::Chosen, std::make_unique<ForwardingPage>(*m_pages.back())};
}

PageSource::Opened RecordingPageSource::openDefault()
{
    if (!hasDefaultPrinter)
        return choosePrinter();
    const Choice saved = answer;
    answer = Choice::Chosen;
    Opened opened = choosePrinter();
    answer = saved;
    ++m_defaultOpened;
    return opened;
}
