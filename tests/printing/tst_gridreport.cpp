#include "printing/printouts.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "printing/printsettings.h"
#include "recordingpage.h"
#include "scriptedprompts.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using Kind = RecordingPage::Kind;
using Outcome = Printouts::Outcome;

namespace {

QList<QStringList> sampleRows(int count)
{
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i) {
        rows.append({QString::number(1000 + i), QStringLiteral("A%1").arg(i),
                     QStringLiteral("Customer %1").arg(i),
                     QStringLiteral("12/%1/2026").arg(i % 28 + 1),
                     QStringLiteral("$%1.00").arg(i * 10)});
    }
    return rows;
}

PrintSettings reportSettings()
{
    PrintSettings settings;
    settings.business = {"Pelmor Supply", "12 Main St", "", "Dallas", "TX",
                         "75001",         "555-1234",   "", ""};
    settings.colourPrinting = false;
    return settings;
}

} // namespace

class TestGridReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void cancelledDialogPrintsNothing();
    void failedDialogIsAPrintError();
    void failedJobIsAPrintError();
    void setsUpAPortraitPageInTheColourMode_data();
    void setsUpAPortraitPageInTheColourMode();
    void pageHeadingCentresTheTitleAboveTheBusinessAndDate();
    void columnHeadings_data();
    void columnHeadings();
    void rowsPrintUnderTheHeadings_data();
    void rowsPrintUnderTheHeadings();
    void amountsAreRightAlignedAtSevenAndAHalfInches();
    void longReportRepeatsItsHeadingOnEveryPage();
    void shortRowsLeaveTheirMissingCellsEmpty();

private:
    Printouts printouts() { return Printouts(*m_data, m_pages, m_prompts, m_clock); }

    QTemporaryDir m_dir;
    std::unique_ptr<DataFolder> m_data;
    RecordingPageSource m_pages;
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(14, 30))};
};

void TestGridReport::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(m_dir.isValid());
    m_data = std::make_unique<DataFolder>(m_dir.path());
}

void TestGridReport::init()
{
    m_pages.answer = PageSource::Choice::Chosen;
    m_pages.paperHeight = 15840;
    m_pages.endDocumentSucceeds = true;
    m_prompts.clear();
}

void TestGridReport::cancelledDialogPrintsNothing()
{
    m_pages.answer = PageSource::Choice::Cancelled;
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", sampleRows(3)),
             Outcome::Cancelled);

    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).kind, QStringLiteral("tell"));
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("The Report will not be Printed"));
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Pelmor Invoicer"));
}

void TestGridReport::failedDialogIsAPrintError()
{
    m_pages.answer = PageSource::Choice::Failed;
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", sampleRows(3)),
             Outcome::Failed);

    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("A Print Error has occurred"));
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Error"));
}

void TestGridReport::failedJobIsAPrintError()
{
    m_pages.endDocumentSucceeds = false;
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", sampleRows(3)),
             Outcome::Failed);

    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("A Print Error has occurred"));
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Error"));
}

void TestGridReport::setsUpAPortraitPageInTheColourMode_data()
{
    QTest::addColumn<bool>("colour");
    QTest::newRow("colour") << true;
    QTest::newRow("monochrome") << false;
}

void TestGridReport::setsUpAPortraitPageInTheColourMode()
{
    QFETCH(bool, colour);
    PrintSettings settings = reportSettings();
    settings.colourPrinting = colour;
    settings.fontName = QStringLiteral("Courier New");
    QCOMPARE(printouts().PrintGridReport(settings, "Customer Report", sampleRows(2)),
             Outcome::Printed);

    RecordingPage &page = *m_pages.last();
    QCOMPARE(page.colourMode, colour);
    QCOMPARE(page.orientation, Page::Orientation::Portrait);
    for (const auto &call : page.of(Kind::Text)) {
        QCOMPARE(call.fontName, QStringLiteral("Courier New"));
        QCOMPARE(call.colour, quint32(0));
    }
    QCOMPARE(m_prompts.shown.size(), 0);
    QCOMPARE(page.calls.last().kind, Kind::EndDocument);
    QCOMPARE(page.of(Kind::EndDocument).size(), 1);
}

void TestGridReport::pageHeadingCentresTheTitleAboveTheBusinessAndDate()
{
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", {}),
             Outcome::Printed);
    RecordingPage &page = *m_pages.last();

    // An empty line at 14 points, then the title centred on the page.
    const auto title = page.text(QStringLiteral("Invoices Report"));
    QCOMPARE(title.fontSize, 14.0);
    QCOMPARE(title.bold, true);
    QCOMPARE(title.y, 14 * 24.0);
    QCOMPARE(title.x, (12240 - 15 * 140.0) / 2);

    const auto name = page.text(QStringLiteral("Pelmor Supply"));
    QCOMPARE(name.x, 1080.0);
    QCOMPARE(name.y, 576.0);
    QCOMPARE(name.fontSize, 12.0);

    const auto date = page.text(QStringLiteral("12/8/2026"));
    QCOMPARE(date.x, 9360.0);
    QCOMPARE(date.y, 1080.0);
    QCOMPARE(date.fontSize, 10.0);
    QCOMPARE(date.bold, false);
}

void TestGridReport::columnHeadings_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("amount");

    QTest::newRow("invoices report") << "Invoices Report" << true;
    QTest::newRow("other report") << "Customer Report" << false;
    QTest::newRow("title must match exactly") << "Invoices report" << false;
}

void TestGridReport::columnHeadings()
{
    QFETCH(QString, title);
    QFETCH(bool, amount);

    QCOMPARE(printouts().PrintGridReport(reportSettings(), title, {}), Outcome::Printed);
    RecordingPage &page = *m_pages.last();

    const QList<std::pair<QString, double>> headings{
        {"Invoice No.", 1440}, {"Account No", 3240}, {"Account", 5040}, {"Date", 7920}};
    for (const auto &[text, x] : headings) {
        const auto call = page.text(text);
        QCOMPARE(call.text, text);
        QCOMPARE(call.x, x);
        QCOMPARE(call.y, 3168.0);
        QCOMPARE(call.bold, true);
        QCOMPARE(call.lineEnd, false);
    }
    const auto amountHeading = page.text(QStringLiteral("Amount"));
    QCOMPARE(amountHeading.text.isEmpty(), !amount);
    if (amount) {
        QCOMPARE(amountHeading.x + 6 * 100.0, 10800.0);
        QCOMPARE(amountHeading.y, 3168.0);
        QCOMPARE(amountHeading.lineEnd, true);
    }
    QCOMPARE(page.fontBold(), false);
}

void TestGridReport::rowsPrintUnderTheHeadings_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("amount");

    QTest::newRow("invoices report") << "Invoices Report" << true;
    QTest::newRow("other report") << "Customer Report" << false;
}

void TestGridReport::rowsPrintUnderTheHeadings()
{
    QFETCH(QString, title);
    QFETCH(bool, amount);

    const auto rows = sampleRows(4);
    QCOMPARE(printouts().PrintGridReport(reportSettings(), title, rows), Outcome::Printed);
    RecordingPage &page = *m_pages.last();

    const double columns[] = {1440, 3240, 5040, 7920};
    for (int r = 0; r < rows.size(); ++r) {
        const double y = 3600 + r * 240.0;
        for (int c = 0; c < 4; ++c) {
            const auto call = page.text(rows.at(r).at(c));
            QCOMPARE(call.x, columns[c]);
            QCOMPARE(call.y, y);
            QCOMPARE(call.bold, false);
            QCOMPARE(call.fontSize, 10.0);
        }
        QCOMPARE(page.text(rows.at(r).at(4)).text.isEmpty(), !amount);
    }
}

void TestGridReport::amountsAreRightAlignedAtSevenAndAHalfInches()
{
    QList<QStringList> rows{{"1001", "A1", "Smith", "12/1/2026", "$5.00"},
                            {"1002", "A2", "Jones", "12/2/2026", "$12,345.67"}};
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", rows),
             Outcome::Printed);
    RecordingPage &page = *m_pages.last();

    for (const auto &row : rows) {
        const auto call = page.text(row.at(4));
        QCOMPARE(call.x + page.textWidth(row.at(4)), 10800.0);
        QCOMPARE(call.lineEnd, true);
    }
}

void TestGridReport::longReportRepeatsItsHeadingOnEveryPage()
{
    // Rows start at 3600; on paper 6000 high, nine rows of 240 fit on each page.
    m_pages.paperHeight = 6000;
    const auto rows = sampleRows(25);
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", rows),
             Outcome::Printed);
    RecordingPage &page = *m_pages.last();

    QCOMPARE(page.of(Kind::NewPage).size(), 2);
    for (int p = 1; p <= 3; ++p) {
        QStringList onPage;
        for (const auto &call : page.of(Kind::Text)) {
            if (call.page == p)
                onPage.append(call.text);
        }
        for (const char *text : {"Invoices Report", "Pelmor Supply", "12/8/2026", "Invoice No.",
                                 "Account No", "Account", "Date", "Amount"})
            QVERIFY2(onPage.contains(QString::fromLatin1(text)),
                     qPrintable(QStringLiteral("page %1 lacks %2").arg(p).arg(text)));
    }
    for (int r = 0; r < rows.size(); ++r) {
        const auto call = page.text(rows.at(r).at(0));
        QCOMPARE(call.page, r / 9 + 1);
        // Every page continues below its headings, at 2.5 in.
        QCOMPARE(call.y, 3600 + (r % 9) * 240.0);
        QVERIFY(call.y + 240 <= 6000);
    }
}

void TestGridReport::shortRowsLeaveTheirMissingCellsEmpty()
{
    QList<QStringList> rows{{"1001"}, {}};
    QCOMPARE(printouts().PrintGridReport(reportSettings(), "Invoices Report", rows),
             Outcome::Printed);
    RecordingPage &page = *m_pages.last();

    QCOMPARE(page.text(QStringLiteral("1001")).y, 3600.0);
    // Both rows print every cell, empty or not, on a line of their own.
    int rowTexts = 0;
    for (const auto &call : page.of(Kind::Text)) {
        if (call.y >= 3600)
            ++rowTexts;
    }
    QCOMPARE(rowTexts, 10);
    QCOMPARE(page.of(Kind::Text).last().y, 3600 + 240.0);
}

QTEST_MAIN(TestGridReport)
#include "tst_gridreport.moc"
