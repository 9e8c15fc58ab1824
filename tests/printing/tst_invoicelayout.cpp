#include "printing/printouts.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/linefile.h"
#include "printing/invoiceprintout.h"
#include "printing/printsettings.h"
#include "recordingpage.h"
#include "scriptedprompts.h"
#include "testfiles.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using Kind = RecordingPage::Kind;
using Outcome = Printouts::Outcome;

namespace {

// Recording metrics at 10 points: a character is 100 twips wide, a line 240 high.
constexpr double Line = 240;

const QDate Today(2026, 12, 8);

InvoiceLine line(const QString &units, const QString &description, const QString &amount)
{
    InvoiceLine row;
    row[InvoiceLine::Units] = units;
    row[InvoiceLine::Description] = description;
    row[InvoiceLine::Date] = QStringLiteral("12/8/2026");
    row[InvoiceLine::Price] = QStringLiteral("each ") + amount;
    row[InvoiceLine::Amount] = amount;
    return row;
}

InvoicePrintout sampleInvoice(int lines = 2)
{
    InvoicePrintout invoice;
    invoice.number = QStringLiteral("1001");
    invoice.account = QStringLiteral("SMITH01   ");
    invoice.date = QStringLiteral("12/8/2026");
    invoice.soldTo = {QStringLiteral("Ann Smith"), QStringLiteral("4 Elm St"), QString(),
                      QStringLiteral("Plano"), QStringLiteral("TX"), QStringLiteral("75023")};
    invoice.printShipTo = true;
    invoice.shipTo = {QStringLiteral("Bob Smith"), QStringLiteral("9 Oak Rd"), QString(),
                      QStringLiteral("Waco"), QStringLiteral("TX"), QStringLiteral("76701")};
    invoice.reference = QStringLiteral("PO-7");
    invoice.carrier = QStringLiteral("UPS");
    invoice.shipDate = Today;
    invoice.today = Today;
    invoice.terms = QStringLiteral("2% 10 Net 30");
    for (int i = 1; i <= lines; ++i)
        invoice.lines.append(line(QString::number(i), QStringLiteral("Item %1").arg(i),
                                  QStringLiteral("$%1.00").arg(i)));
    invoice.totals = {QStringLiteral("$3.00"), QStringLiteral("$0.12"), QStringLiteral("$0.00"),
                      QStringLiteral("$3.12"), QString(),              QString(),
                      QString()};
    return invoice;
}

PrintSettings plainSettings()
{
    PrintSettings settings;
    settings.business = {QStringLiteral("Pelmor Supply"), QStringLiteral("12 Main St"), QString(),
                         QStringLiteral("Dallas"), QStringLiteral("TX"), QStringLiteral("75001"),
                         QString(), QString(), QString()};
    settings.colourPrinting = false;
    return settings;
}

QList<RecordingPage::Call> textsOnPage(const RecordingPage &page, int number)
{
    QList<RecordingPage::Call> found;
    for (const auto &call : page.of(Kind::Text)) {
        if (call.page == number)
            found.append(call);
    }
    return found;
}

bool printedOn(const RecordingPage &page, int number, const QString &text)
{
    for (const auto &call : textsOnPage(page, number)) {
        if (call.text == text)
            return true;
    }
    return false;
}

} // namespace

class TestInvoiceLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void elementsStandWhereTheFormSays_data();
    void elementsStandWhereTheFormSays();
    void longInvoiceContinuesOnPageTwo_data();
    void longInvoiceContinuesOnPageTwo();
    void rowThatWrapsBelowTheBodyMovesToTheNextPage();
    void shipLine_data();
    void shipLine();
    void closingLine_data();
    void closingLine();
    void remittancePaperAddsTheSlipLines_data();
    void remittancePaperAddsTheSlipLines();
    void memoPrintsOnlyWhenAskedAndStopsAtItsLimit_data();
    void memoPrintsOnlyWhenAskedAndStopsAtItsLimit();
    void narrativeTooBigIsCutAndReported_data();
    void narrativeTooBigIsCutAndReported();
    void refusedJobIsAPrintError();
    void taxHeadingsComeFromTheSetupUnlessGiven();
    void packingSlipPrintsTheLinesWithUnits();
    void packingSlipReprintsUntilConfirmed();
    void packingSlipCancelled();
    void blankForms_data();
    void blankForms();
    void blankFormsToAFileShareOneDocument();
    void openDefaultAsksOnlyWithoutADefaultPrinter();
    void printoutFromTheDocument();

private:
    Printouts printouts() { return Printouts(*m_data, m_pages, m_prompts, m_clock); }
    RecordingPage &print(const InvoicePrintout &invoice, const PrintSettings &settings = plainSettings());
    void writeNarrative(const QString &number, const QStringList &lines);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    RecordingPageSource m_pages;
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(Today, QTime(10, 0))};
};

void TestInvoiceLayout::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestInvoiceLayout::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("PelmorInvoicer/Narratives")));
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_pages = RecordingPageSource();
    m_prompts.clear();
}

RecordingPage &TestInvoiceLayout::print(const InvoicePrintout &invoice,
                                        const PrintSettings &settings)
{
    const Outcome outcome = printouts().PrintInvoice(settings, invoice);
    if (outcome != Outcome::Printed)
        qWarning("the invoice did not print");
    return *m_pages.last();
}

void TestInvoiceLayout::writeNarrative(const QString &number, const QStringList &lines)
{
    QVERIFY(testfiles::writeBytes(m_dir->path() + QStringLiteral("/PelmorInvoicer/Narratives/") +
                                      number + QStringLiteral(".txt"),
                                  linefile::encode(lines)));
}

void TestInvoiceLayout::elementsStandWhereTheFormSays_data()
{
    QTest::addColumn<bool>("narrative");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x"); // the left edge, or the right edge when rightAligned
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("rightAligned");

    const auto both = [](const char *name, const QString &text, double x, double y, bool right,
                         bool moves) {
        QTest::addRow("%s", name) << false << text << x << y << right;
        QTest::addRow("%s, narrative", name) << true << text << x << (moves ? y + 1440 : y) << right;
    };
    both("title", QStringLiteral("INVOICE"), 7200, 720, false, false);
    both("date", QStringLiteral("Date 12/8/2026"), 7200, 1296, false, false);
    both("number", QStringLiteral("INVOICE NO: 1001"), 7200, 1296 + Line, false, false);
    both("account trimmed", QStringLiteral("Acct: SMITH01"), 7200, 1296 + 2 * Line, false, false);
    both("page", QStringLiteral("Page 1"), 7200, 1296 + 3 * Line, false, false);
    both("sold to", QStringLiteral("SOLD TO:"), 1080, 2808, false, false);
    both("sold-to name", QStringLiteral("Ann Smith"), 1080, 2808 + Line, false, false);
    both("sold-to city", QStringLiteral("Plano, TX 75023"), 1080, 2808 + 3 * Line, false, false);
    both("shipped to", QStringLiteral("SHIPPED TO:"), 7200, 2808, false, false);
    both("ship-to city", QStringLiteral("Waco,TX 76701"), 7200, 2808 + 3 * Line, false, false);
    both("reference label", QStringLiteral("Reference"), 1296, 5832, false, true);
    // Centred on 1.3 in: four characters, 400 twips.
    both("reference value", QStringLiteral("PO-7"), 1672, 6264, false, true);
    both("carrier", QStringLiteral("UPS"), 4032, 6192, false, true);
    both("shipped on", QStringLiteral("Shipped On - 12/8/2026"), 9216, 6192, false, true);
    both("QTY", QStringLiteral("QTY"), 864, 6552, false, true);
    both("DATE", QStringLiteral("DATE"), 2160, 6552, false, true);
    both("DESCRIPTION", QStringLiteral("DESCRIPTION"), 4464, 6552, false, true);
    both("PRICE", QStringLiteral("PRICE"), 8784, 6552, false, true);
    both("TOTAL", QStringLiteral("TOTAL"), 10800, 6552, false, true);
    both("first units", QStringLiteral("1"), 1224, 7056, true, true);
    both("first description", QStringLiteral("Item 1"), 3312, 7056, false, true);
    both("second description", QStringLiteral("Item 2"), 3312, 7056 + Line, false, true);
    both("second extension", QStringLiteral("$2.00"), 11520, 7056 + Line, true, true);
    both("second unit cost", QStringLiteral("each $2.00"), 9360, 7056 + Line, true, true);
    both("row date", QStringLiteral("12/8/2026"), 2520 - 450, 7056, false, true);
    both("sub-total label", QStringLiteral("Sub-Total"), 8280, 12312, false, false);
    both("tax label", QStringLiteral("Sales Tax"), 8280, 12672, false, false);
    both("total label", QStringLiteral("Total"), 8280, 14112, false, false);
    both("sub-total", QStringLiteral("$3.00"), 11520, 12312, true, false);
    both("grand total", QStringLiteral("$3.12"), 11520, 14112, true, false);
    both("closing line", QStringLiteral("Thank you for your Business"), 1872, 13824, false, false);
    QTest::addRow("details heading") << true << QStringLiteral("Details") << 360.0 << 5328.0 << false;
    QTest::addRow("narrative text") << true << QStringLiteral("Hang two doors") << 360.0 << 5328.0 + Line << false;
}

void TestInvoiceLayout::elementsStandWhereTheFormSays()
{
    QFETCH(bool, narrative);
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, rightAligned);
    if (narrative)
        writeNarrative(QStringLiteral("1001"), {QStringLiteral("Hang two doors")});

    const RecordingPage &page = print(sampleInvoice());
    const auto call = page.text(text);
    QCOMPARE(call.text, text);
    const double fontWidth = call.fontSize / 2 * 20;
    const double edge = rightAligned ? call.x + fontWidth * text.size() : call.x;
    QCOMPARE(edge, x);
    QCOMPARE(call.y, y);
    QCOMPARE(call.page, 1);
    QCOMPARE(m_prompts.shown.size(), 0);
}

void TestInvoiceLayout::longInvoiceContinuesOnPageTwo_data()
{
    QTest::addColumn<bool>("draft");
    QTest::newRow("invoice") << false;
    QTest::newRow("draft") << true;
}

void TestInvoiceLayout::longInvoiceContinuesOnPageTwo()
{
    QFETCH(bool, draft);
    writeNarrative(QStringLiteral("1001"), {QStringLiteral("Hang two doors")});
    InvoicePrintout invoice = sampleInvoice(25);
    invoice.draft = draft;

    const RecordingPage &page = print(invoice);
    QCOMPARE(page.of(Kind::NewPage).size(), 1);
    QCOMPARE(page.of(Kind::EndDocument).size(), 1);
    // With a narrative the rows start at 5.9 in: (11880 - 8496) / 240 rows fit.
    QVERIFY(printedOn(page, 1, QStringLiteral("Item 14")));
    QVERIFY(printedOn(page, 2, QStringLiteral("Item 15")));
    QCOMPARE(page.text(QStringLiteral("Item 15")).y, 7056.0 + 1440);

    QVERIFY(printedOn(page, 1, QStringLiteral("Page 1")));
    QVERIFY(printedOn(page, 2, QStringLiteral("Page 2")));
    QVERIFY(printedOn(page, 2, QStringLiteral("SOLD TO:")));
    QVERIFY(printedOn(page, 2, QStringLiteral("Ann Smith")));
    QVERIFY(printedOn(page, 2, QStringLiteral("QTY")));
    QVERIFY(printedOn(page, 1, QStringLiteral("SHIPPED TO:")));
    QVERIFY(!printedOn(page, 2, QStringLiteral("SHIPPED TO:")));
    QVERIFY(printedOn(page, 1, QStringLiteral("Details")));
    QVERIFY(!printedOn(page, 2, QStringLiteral("Details")));
    QVERIFY(!printedOn(page, 2, QStringLiteral("Hang two doors")));

    QCOMPARE(printedOn(page, 1, QStringLiteral("DRAFT INVOICE")), draft);
    QCOMPARE(printedOn(page, 1, QStringLiteral("INVOICE")), !draft);
    QVERIFY(printedOn(page, 2, QStringLiteral("INVOICE")));
    QVERIFY(!printedOn(page, 1, QStringLiteral("Sub-Total")));
    QCOMPARE(printedOn(page, 2, QStringLiteral("Sub-Total")), !draft);
    QCOMPARE(printedOn(page, 2, QStringLiteral("$3.12")), !draft);
    QCOMPARE(page.texts().contains(QStringLiteral("Thank you for your Business")), !draft);
}

void TestInvoiceLayout::rowThatWrapsBelowTheBodyMovesToTheNextPage()
{
    // 19 rows end at 7056 + 19 * 240 = 11616: one more line fits, three do not.
    InvoicePrintout invoice = sampleInvoice(19);
    // 4248 - 20 twips hold 42 characters: this wraps into three lines.
    invoice.lines.append(line(QStringLiteral("1"),
                              QStringLiteral("Forty characters of text to wrap around "
                                             "and forty more characters to wrap again "
                                             "and the end"),
                              QStringLiteral("$1.00")));
    const RecordingPage &page = print(invoice);
    QVERIFY(printedOn(page, 1, QStringLiteral("Item 19")));
    const auto first = page.text(QStringLiteral("Forty characters of text to wrap around"));
    QCOMPARE(first.page, 2);
    QCOMPARE(first.y, 7056.0);
}

void TestInvoiceLayout::shipLine_data()
{
    QTest::addColumn<QString>("carrier");
    QTest::addColumn<QDate>("shipDate");
    QTest::addColumn<bool>("emptyAddress");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<double>("dateX");

    QTest::newRow("shipped today") << QStringLiteral("UPS") << Today << false
                                   << QStringList{"SHIPPED TO:", "UPS", "Shipped On - 12/8/2026"}
                                   << QStringList{} << 9216.0;
    QTest::newRow("tomorrow is scheduled")
        << QStringLiteral("UPS") << Today.addDays(1) << false
        << QStringList{"SHIPPED TO:", "Sheduled - 12/9/2026"}
        << QStringList{"Shipped On - 12/9/2026"} << 9360.0;
    QTest::newRow("carrier None") << QStringLiteral("None") << Today << false
                                  << QStringList{"SHIPPED TO:", "Bob Smith"}
                                  << QStringList{"None", "Shipped On - 12/8/2026"} << 0.0;
    QTest::newRow("empty address prints nothing")
        << QStringLiteral("UPS") << Today << true << QStringList{}
        << QStringList{"SHIPPED TO:", "UPS", "Shipped On - 12/8/2026"} << 0.0;
}

void TestInvoiceLayout::shipLine()
{
    QFETCH(QString, carrier);
    QFETCH(QDate, shipDate);
    QFETCH(bool, emptyAddress);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    QFETCH(double, dateX);

    InvoicePrintout invoice = sampleInvoice();
    invoice.carrier = carrier;
    invoice.shipDate = shipDate;
    if (emptyAddress)
        invoice.shipTo = {};
    const RecordingPage &page = print(invoice);
    const QStringList texts = page.texts();
    for (const QString &text : expected)
        QVERIFY2(texts.contains(text), qPrintable(text));
    for (const QString &text : absent)
        QVERIFY2(!texts.contains(text), qPrintable(text));
    if (dateX > 0)
        QCOMPARE(page.text(expected.last()).x, dateX);
    // The reference prints once, centred, unless the ship line prints it too.
    QCOMPARE(texts.count(QStringLiteral("PO-7")), dateX > 0 ? 2 : 1);
}

void TestInvoiceLayout::closingLine_data()
{
    QTest::addColumn<QString>("discount");
    QTest::addColumn<QByteArray>("termsFile");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no discount, no terms file")
        << QString() << QByteArray() << QStringList{"Thank you for your Business"};
    QTest::newRow("no discount, default terms")
        << QString() << QByteArray("Net 30 Days\r\nsecond\r\n") << QStringList{"Net 30 Days"};
    QTest::newRow("zero discount still offers")
        << QStringLiteral("$0.00") << QByteArray("Net 30 Days\r\n")
        << QStringList{"2% 10 Net 30", "in the amount of $0.00"};
    QTest::newRow("discount") << QStringLiteral("$1.50") << QByteArray()
                              << QStringList{"2% 10 Net 30", "in the amount of $1.50"};
}

void TestInvoiceLayout::closingLine()
{
    QFETCH(QString, discount);
    QFETCH(QByteArray, termsFile);
    QFETCH(QStringList, expected);
    if (!termsFile.isEmpty())
        QVERIFY(testfiles::writeBytes(m_dir->path() + QStringLiteral("/StatementTerms.txt"), termsFile));

    InvoicePrintout invoice = sampleInvoice();
    invoice.totals.discount = discount;
    const RecordingPage &page = print(invoice);
    const QStringList texts = page.texts();
    const QStringList closing = texts.mid(texts.size() - expected.size());
    QCOMPARE(closing, expected);
    for (int i = 0; i < expected.size(); ++i) {
        const auto call = page.text(expected.at(i));
        QCOMPARE(call.x, 1872.0);
        QCOMPARE(call.y, 13824.0 + i * call.fontSize * 1.2 * 20);
    }
}

void TestInvoiceLayout::remittancePaperAddsTheSlipLines_data()
{
    QTest::addColumn<bool>("remittance");
    QTest::newRow("plain") << false;
    QTest::newRow("perforated") << true;
}

void TestInvoiceLayout::remittancePaperAddsTheSlipLines()
{
    QFETCH(bool, remittance);
    PrintSettings settings = plainSettings();
    settings.paper = remittance ? PrintSettings::Paper::Remittance : PrintSettings::Paper::Plain;
    const RecordingPage &page = print(sampleInvoice(), settings);
    const QString enclosed = QStringLiteral("Amount Enclosed              _______________");
    const QString detach = QStringLiteral("Detach Here and Return Top Section");
    QCOMPARE(page.texts().contains(enclosed), remittance);
    QCOMPARE(page.texts().contains(detach), remittance);
    // The account line moves down one line for the amount enclosed.
    QCOMPARE(page.text(QStringLiteral("Acct: SMITH01")).y, 1296 + (remittance ? 3 : 2) * Line);
    if (remittance) {
        QCOMPARE(page.text(enclosed).y, 1296 + 2 * Line);
        const auto line = page.text(detach);
        QCOMPARE(line.x, 4320.0);
        QCOMPARE(line.y, 5184.0);
        QCOMPARE(line.fontSize, 6.0);
    }
}

void TestInvoiceLayout::memoPrintsOnlyWhenAskedAndStopsAtItsLimit_data()
{
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("fields");
    QTest::newRow("ticked") << true << 2;
    QTest::newRow("not ticked") << false << 2;
    QTest::newRow("longer than the space") << true << 40;
}

void TestInvoiceLayout::memoPrintsOnlyWhenAskedAndStopsAtItsLimit()
{
    QFETCH(bool, asked);
    QFETCH(int, fields);
    QByteArray memo;
    for (int i = 1; i <= fields; ++i)
        memo += "\"Memo line " + QByteArray::number(i) + "\"\r\n";
    QVERIFY(testfiles::writeBytes(m_dir->path() + QStringLiteral("/InvoiceMemo.txt"), memo));

    InvoicePrintout invoice = sampleInvoice();
    invoice.printMemo = asked;
    PrintSettings settings = plainSettings();
    const RecordingPage &page = print(invoice, settings);
    int printed = 0;
    for (const auto &call : page.of(Kind::Text)) {
        if (!call.text.startsWith(QLatin1String("Memo line")))
            continue;
        ++printed;
        QCOMPARE(call.x, 1872.0);
        QCOMPARE(call.colour, 0xFF0000u);
        QVERIFY(call.y <= 13824);
    }
    // From 8.6 in, one line each, while the line starts at 9.6 in at the latest.
    const int expected = asked ? std::min(fields, int((13824 - 12384) / Line) + 1) : 0;
    QCOMPARE(printed, expected);
    QCOMPARE(page.text(QStringLiteral("Memo line 1")).y, asked ? 12384.0 : 0.0);
}

void TestInvoiceLayout::narrativeTooBigIsCutAndReported_data()
{
    QTest::addColumn<QStringList>("narrative");
    QTest::newRow("1,000 lines") << QStringList(1000, QStringLiteral("Line of the narrative"));
    QTest::newRow("one long line") << QStringList{QString(20000, u'x').replace(
        QRegularExpression(QStringLiteral("x{9}")), QStringLiteral("xxxxxxxx "))};
}

void TestInvoiceLayout::narrativeTooBigIsCutAndReported()
{
    QFETCH(QStringList, narrative);
    writeNarrative(QStringLiteral("1001"), narrative);
    const RecordingPage &page = print(sampleInvoice());

    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Narrative is to Big"));
    QCOMPARE(m_prompts.shown.at(0).text,
             QStringLiteral("Your Narrative will not fit completely in the allotted area\r\n"
                            "Review the Invoice after Printing\r\n"
                            "Answer NO if the invoice is unacceptable\r\n"
                            "Re-enter your Narrative"));
    int lines = 0;
    for (const auto &call : page.of(Kind::Text)) {
        if (call.x == 360 && call.text != QLatin1String("Details")) {
            ++lines;
            QVERIFY2(call.y + Line <= 7200, qPrintable(QString::number(call.y)));
        }
    }
    QCOMPARE(lines, 6);
    // The invoice still prints after the cut.
    QCOMPARE(page.text(QStringLiteral("Item 1")).y, 8496.0);
    QVERIFY(page.texts().contains(QStringLiteral("$3.12")));
}

void TestInvoiceLayout::refusedJobIsAPrintError()
{
    m_pages.endDocumentSucceeds = false;
    QCOMPARE(printouts().PrintInvoice(plainSettings(), sampleInvoice()), Outcome::Failed);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("A Print Error has occurred"));
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Error"));

    m_prompts.clear();
    m_pages.answer = PageSource::Choice::Cancelled;
    QCOMPARE(printouts().PrintInvoice(plainSettings(), sampleInvoice()), Outcome::Cancelled);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("The Invoice(s) will not be Printed"));
    QCOMPARE(m_prompts.shown.at(0).title, DefaultMessageTitle);
}

void TestInvoiceLayout::taxHeadingsComeFromTheSetupUnlessGiven()
{
    PrintSettings settings = plainSettings();
    settings.taxHeading1 = QStringLiteral("GST");
    settings.taxHeading2 = QStringLiteral("PST");
    RecordingPage &fromSetup = print(sampleInvoice(), settings);
    QCOMPARE(fromSetup.text(QStringLiteral("GST")).y, 12672.0);
    QCOMPARE(fromSetup.text(QStringLiteral("PST")).y, 12672.0 + 360);

    InvoicePrintout invoice = sampleInvoice();
    invoice.taxHeadings = std::array<QString, 2>{QStringLiteral("VAT"), QStringLiteral("Levy")};
    RecordingPage &given = print(invoice, settings);
    QVERIFY(given.texts().contains(QStringLiteral("VAT")));
    QVERIFY(given.texts().contains(QStringLiteral("Levy")));
    QVERIFY(!given.texts().contains(QStringLiteral("GST")));
}

void TestInvoiceLayout::packingSlipPrintsTheLinesWithUnits()
{
    QList<InvoiceLine> lines = sampleInvoice(3).lines;
    lines[1][InvoiceLine::Units].clear();
    m_prompts.answerNext(true);
    QCOMPARE(printouts().PrintPackingSlip(plainSettings(), lines), Outcome::Printed);
    const RecordingPage &page = *m_pages.last();
    QVERIFY(page.texts().contains(QStringLiteral("Packing Slip")));
    QCOMPARE(page.text(QStringLiteral("Qty")).y, 5832.0);
    QCOMPARE(page.text(QStringLiteral("Packed By")).x, 2016.0);
    QCOMPARE(page.text(QStringLiteral("Description")).x, 3600.0);
    QVERIFY(!page.texts().contains(QStringLiteral("Item 2")));
    const auto first = page.text(QStringLiteral("Item 1"));
    QCOMPARE(first.x, 3456.0);
    QCOMPARE(first.y, 6912.0);
    QCOMPARE(page.text(QStringLiteral("Item 3")).y, 6912.0 + Line);
    // Right-aligned on 0.9 in.
    QCOMPARE(page.text(QStringLiteral("3")).x + 100, 1296.0);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("Was the Packing Slip printed Correctly?"));
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Confirmation"));
}

void TestInvoiceLayout::packingSlipReprintsUntilConfirmed()
{
    m_prompts.answerNext(false); // printed correctly?
    m_prompts.answerNext(true);  // reprint?
    m_prompts.answerNext(false);
    m_prompts.answerNext(false);
    QCOMPARE(printouts().PrintPackingSlip(plainSettings(), sampleInvoice(40).lines),
             Outcome::Printed);
    QCOMPARE(m_pages.asked(), 1);
    const RecordingPage &page = *m_pages.last();
    QCOMPARE(page.of(Kind::EndDocument).size(), 2);
    // 40 rows do not fit above 8.5 in: each copy continues on a second page.
    QCOMPARE(page.of(Kind::NewPage).size(), 2);
    QCOMPARE(m_prompts.shown.size(), 4);
    QCOMPARE(m_prompts.shown.at(1).text, QStringLiteral("Would you like to reprint it?"));
    QCOMPARE(m_prompts.shown.at(1).title, QStringLiteral("Reprint Confirmation"));
}

void TestInvoiceLayout::packingSlipCancelled()
{
    m_pages.answer = PageSource::Choice::Cancelled;
    QCOMPARE(printouts().PrintPackingSlip(plainSettings(), sampleInvoice().lines),
             Outcome::Cancelled);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("The Packing Slip will not be Printed"));
}

void TestInvoiceLayout::blankForms_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("jobs");
    QTest::addColumn<bool>("error");

    QTest::newRow("three") << QStringLiteral("3") << 3 << false;
    QTest::newRow("blanks around") << QStringLiteral(" 2 ") << 2 << false;
    QTest::newRow("zero") << QStringLiteral("0") << 0 << false;
    QTest::newRow("negative") << QStringLiteral("-4") << 0 << false;
    QTest::newRow("empty") << QString() << 0 << true;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0 << true;
    QTest::newRow("not whole") << QStringLiteral("2.5") << 0 << true;
    QTest::newRow("above 32767") << QStringLiteral("32768") << 0 << true;
}

void TestInvoiceLayout::blankForms()
{
    QFETCH(QString, count);
    QFETCH(int, jobs);
    QFETCH(bool, error);

    PrintSettings settings = plainSettings();
    settings.paper = PrintSettings::Paper::Remittance;
    QCOMPARE(printouts().PrintBlankForms(settings, count), error ? Outcome::Failed : Outcome::Printed);
    QCOMPARE(m_pages.asked(), 1);
    const RecordingPage &page = *m_pages.last();
    QCOMPARE(page.of(Kind::EndDocument).size(), jobs);
    QCOMPARE(page.texts().count(QStringLiteral("Page 1")), jobs);
    QCOMPARE(page.texts().count(QStringLiteral("INVOICE NO: ")), jobs);
    QCOMPARE(page.texts().count(QStringLiteral("Date 12/8/2026")), jobs);
    QCOMPARE(page.texts().count(QStringLiteral("Detach Here and Return Top Section")), jobs);
    QCOMPARE(page.of(Kind::NewPage).size(), 0);
    if (error) {
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("A Print Error has occurred"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Error"));
    } else {
        QCOMPARE(m_prompts.shown.size(), 0);
    }
}

void TestInvoiceLayout::blankFormsToAFileShareOneDocument()
{
    QVERIFY(testfiles::writeBytes(m_dir->path() + QStringLiteral("/InvoiceMemo.txt"),
                                  "\"Happy Holidays\"\r\n"));
    m_pages.toFile = true;
    QCOMPARE(printouts().PrintBlankForms(plainSettings(), QStringLiteral("3")), Outcome::Printed);
    const RecordingPage &page = *m_pages.last();
    QCOMPARE(page.of(Kind::EndDocument).size(), 1);
    QCOMPARE(page.of(Kind::NewPage).size(), 2);
    for (int number = 1; number <= 3; ++number) {
        QVERIFY(printedOn(page, number, QStringLiteral("Page 1")));
        QVERIFY(printedOn(page, number, QStringLiteral("Happy Holidays")));
        QVERIFY(printedOn(page, number, QStringLiteral("QTY")));
    }
    QVERIFY(!page.texts().contains(QStringLiteral("Amount Enclosed              _______________")));
    QVERIFY(!page.texts().contains(QStringLiteral("Detach Here and Return Top Section")));
}

void TestInvoiceLayout::openDefaultAsksOnlyWithoutADefaultPrinter()
{
    QVERIFY(m_pages.openDefault().page);
    QCOMPARE(m_pages.asked(), 0);
    m_pages.hasDefaultPrinter = false;
    m_pages.answer = PageSource::Choice::Cancelled;
    QCOMPARE(m_pages.openDefault().choice, PageSource::Choice::Cancelled);
    QCOMPARE(m_pages.asked(), 1);
}

void TestInvoiceLayout::printoutFromTheDocument()
{
    InvoiceDocument document;
    document.number = QStringLiteral("20260007");
    document.AcctNo = QStringLiteral("SMITH01   ");
    document.Customer = QStringLiteral("Ann Smith");
    document.Address3 = QStringLiteral("Plano");
    document.Address4 = QStringLiteral("75023");
    document.shipTo[0] = QStringLiteral("  Bob  ");
    document.lines.append(line(QStringLiteral("1"), QStringLiteral("Bolt"), QStringLiteral("$1.00")));
    document.Total = Money::fromUnits(12345000);
    document.GrandTotal = Money::fromUnits(12345000);
    document.Ship = Money::fromUnits(0);
    document.Misc = Money::fromUnits(25000);
    document.discountOption = DiscountOption::Calculate;
    document.options.addMemo = true;
    document.PrintingDraft = true;

    const InvoicePrintout out = invoicePrintout(document, Today, false);
    QCOMPARE(out.account, QStringLiteral("SMITH01   "));
    QCOMPARE(out.date, QStringLiteral("12/8/2026"));
    QCOMPARE(out.soldTo[3], QStringLiteral("Plano"));
    QCOMPARE(out.soldTo[5], QStringLiteral("75023"));
    QCOMPARE(out.shipTo[0], QStringLiteral("Bob"));
    QCOMPARE(out.totals.subTotal, QStringLiteral("$1,234.50"));
    QCOMPARE(out.totals.shipping, QString());
    QCOMPARE(out.totals.handling, QStringLiteral("$2.50"));
    QCOMPARE(out.totals.discount, QStringLiteral("$0.00"));
    QVERIFY(out.draft && out.printMemo && !out.usaStyle);
    QCOMPARE(out.lines, document.lines);

    document.discountOption = DiscountOption::None;
    QCOMPARE(invoicePrintout(document, Today, true).totals.discount, QString());
}

QTEST_MAIN(TestInvoiceLayout)
#include "tst_invoicelayout.moc"
