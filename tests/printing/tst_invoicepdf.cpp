// The printed invoice as it lands in a PDF file, read back with pdftotext -bbox.
#include "printing/printouts.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/linefile.h"
#include "printing/invoiceprintout.h"
#include "printing/printsettings.h"
#include "pdfwords.h"
#include "printfakes.h"
#include "scriptedprompts.h"
#include "testfiles.h"
#include "ui/painterpage.h"
#include "ui/printdialogs.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using Outcome = Printouts::Outcome;

namespace {

const QDate Today(2026, 12, 8);

InvoicePrintout sampleInvoice(int lines)
{
    InvoicePrintout invoice;
    invoice.number = QStringLiteral("1001");
    invoice.account = QStringLiteral("SMITH01");
    invoice.date = QStringLiteral("12/8/2026");
    invoice.soldTo = {QStringLiteral("Ann Smith"), QStringLiteral("4 Elm St"), QString(),
                      QStringLiteral("Plano"), QStringLiteral("TX"), QStringLiteral("75023")};
    invoice.printShipTo = true;
    invoice.shipTo = {QStringLiteral("Bob Smith"), QStringLiteral("9 Oak Rd"), QString(),
                      QStringLiteral("Waco"), QStringLiteral("TX"), QStringLiteral("76701")};
    invoice.reference = QStringLiteral("PO-7");
    invoice.carrier = QStringLiteral("Freight");
    invoice.shipDate = Today;
    invoice.today = Today;
    for (int i = 1; i <= lines; ++i) {
        InvoiceLine row;
        row[InvoiceLine::Units] = QString::number(i);
        row[InvoiceLine::Description] = QStringLiteral("Widget%1").arg(i);
        row[InvoiceLine::Date] = QStringLiteral("12/8/2026");
        row[InvoiceLine::Price] = QStringLiteral("$%1.25").arg(i);
        row[InvoiceLine::Amount] = QStringLiteral("$%1.50").arg(i);
        invoice.lines.append(row);
    }
    invoice.totals = {QStringLiteral("$3.00"), QStringLiteral("$0.12"), QStringLiteral("$0.00"),
                      QStringLiteral("$3.12"), QString(), QString(), QString()};
    return invoice;
}

} // namespace

class TestInvoicePdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void wordsStandWhereTheFormSays_data();
    void wordsStandWhereTheFormSays();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(Today, QTime(10, 0))};
};

void TestInvoicePdf::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestInvoicePdf::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_prompts.clear();
}

void TestInvoicePdf::wordsStandWhereTheFormSays_data()
{
    QTest::addColumn<QString>("invoiceKind");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("x"); // points: the left edge, or the right edge when rightAligned
    // Points: the top of the line; 0 for any, < 0 when the word is absent.
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("rightAligned");

    const auto row = [](const char *kind, const char *word, int page, double x, double y,
                        bool right = false) {
        QTest::addRow("%s: %s p%d", kind, word, page)
            << QString::fromLatin1(kind) << QString::fromUtf8(word) << page << x << y << right;
    };
    const auto absent = [&](const char *kind, const char *word, int page) {
        row(kind, word, page, 0, -1);
    };

    row("plain", "INVOICE", 1, 360, 36);
    row("plain", "SOLD", 1, 54, 140.4);
    row("plain", "SHIPPED", 1, 360, 140.4);
    row("plain", "Reference", 1, 64.8, 291.6);
    row("plain", "QTY", 1, 43.2, 327.6);
    row("plain", "TOTAL", 1, 540, 327.6);
    row("plain", "Widget1", 1, 165.6, 352.8);
    row("plain", "$1.50", 1, 576, 352.8, true);
    row("plain", "$1.25", 1, 468, 352.8, true);
    row("plain", "Freight", 1, 201.6, 309.6);
    row("plain", "Shipped", 1, 460.8, 309.6);
    row("plain", "Sub-Total", 1, 414, 615.6);
    row("plain", "$3.12", 1, 576, 705.6, true);
    row("plain", "Thank", 1, 93.6, 691.2);

    row("narrative", "Details", 1, 18, 266.4);
    row("narrative", "Reference", 1, 64.8, 363.6);
    row("narrative", "QTY", 1, 43.2, 399.6);
    row("narrative", "Widget1", 1, 165.6, 424.8);
    row("narrative", "Shipped", 1, 460.8, 381.6);
    row("narrative", "Sub-Total", 1, 414, 615.6);

    row("two pages", "2", 2, 0, 0); // "Page 2": checked below by its page
    row("two pages", "SOLD", 2, 54, 140.4);
    absent("two pages", "SHIPPED", 2);
    absent("two pages", "Details", 2);
    absent("two pages", "Sub-Total", 1);
    row("two pages", "Sub-Total", 2, 414, 615.6);
    row("two pages", "Widget25", 2, 165.6, 0);

    row("draft", "DRAFT", 1, 360, 36);
    row("draft", "INVOICE", 2, 360, 36);
    absent("draft", "Sub-Total", 1);
    absent("draft", "Sub-Total", 2);
    absent("draft", "Thank", 2);

    row("carrier None", "SHIPPED", 1, 360, 140.4);
    absent("carrier None", "None", 1);
    absent("carrier None", "Shipped", 1);

    row("tomorrow", "Sheduled", 1, 468, 309.6);
    row("tomorrow", "12/9/2026", 1, 0, 309.6);
    absent("tomorrow", "Shipped", 1);
}

void TestInvoicePdf::wordsStandWhereTheFormSays()
{
    QFETCH(QString, invoiceKind);
    QFETCH(QString, word);
    QFETCH(int, page);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, rightAligned);
    if (!pdfToTextInstalled())
        QSKIP("pdftotext is not installed");

    DataFolder data(m_dir->path());
    InvoicePrintout invoice = sampleInvoice(invoiceKind == QLatin1String("two pages") ||
                                                    invoiceKind == QLatin1String("draft")
                                                ? 25
                                                : 2);
    if (invoiceKind != QLatin1String("plain") && invoiceKind != QLatin1String("carrier None") &&
        invoiceKind != QLatin1String("tomorrow")) {
        QVERIFY(testfiles::writeBytes(m_dir->path() + QStringLiteral("/PelmorInvoicer/Narratives/1001.txt"),
                                      linefile::encode({QStringLiteral("Hang two doors")})));
    }
    invoice.draft = invoiceKind == QLatin1String("draft");
    if (invoiceKind == QLatin1String("carrier None"))
        invoice.carrier = QStringLiteral("None");
    if (invoiceKind == QLatin1String("tomorrow"))
        invoice.shipDate = Today.addDays(1);

    PdfPrintDialogs dialogs;
    dialogs.path = m_dir->filePath(QStringLiteral("invoice.pdf"));
    DialogPageSource pages(dialogs);
    PrintSettings settings;
    settings.business[0] = QStringLiteral("Pelmor Supply");
    settings.colourPrinting = false;
    QCOMPARE(Printouts(data, pages, m_prompts, m_clock).PrintInvoice(settings, invoice),
             Outcome::Printed);

    const QList<PdfWord> words = pdfWords(dialogs.path);
    QVERIFY(!words.isEmpty());
    QList<PdfWord> found;
    for (const PdfWord &w : words) {
        if (w.page == page && w.text == word)
            found.append(w);
    }
    if (y < 0) {
        QVERIFY2(found.isEmpty(), qPrintable(word));
        return;
    }
    QVERIFY2(!found.isEmpty(), qPrintable(word));
    if (word == QLatin1String("2")) {
        // The page number follows "Page" on the same line of the data block.
        bool pageTwo = false;
        for (const PdfWord &w : words) {
            if (w.page == 2 && w.text == QLatin1String("Page") && std::abs(w.xMin - 360) < 1) {
                for (const PdfWord &number : found)
                    pageTwo = pageTwo || std::abs(number.yMin - w.yMin) < 1;
            }
        }
        QVERIFY(pageTwo);
        return;
    }
    const PdfWord &w = found.first();
    if (y > 0)
        QVERIFY2(std::abs(w.yMin - y) < 1, qPrintable(QString::number(w.yMin)));
    if (x > 0) {
        const double edge = rightAligned ? w.xMax : w.xMin;
        QVERIFY2(std::abs(edge - x) < 1, qPrintable(QString::number(edge)));
    }
}

QTEST_MAIN(TestInvoicePdf)
#include "tst_invoicepdf.moc"
