#include "printing/printouts.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "printing/printengine.h"
#include "printing/printsettings.h"
#include "pdfwords.h"
#include "printfakes.h"
#include "scriptedprompts.h"
#include "ui/painterpage.h"
#include "ui/printdialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <sys/stat.h>

using Outcome = Printouts::Outcome;

namespace {


QList<PdfWord> wordsNamed(const QList<PdfWord> &words, const QString &text)
{
    QList<PdfWord> found;
    for (const PdfWord &word : words) {
        if (word.text == text)
            found.append(word);
    }
    return found;
}

int pageCount(const QList<PdfWord> &words)
{
    int pages = 0;
    for (const PdfWord &word : words)
        pages = std::max(pages, word.page);
    return pages;
}

// One page of the PDF at 72 dpi: a pixel is a point, 20 twips.
QImage renderPage(const QString &pdf, int page = 1)
{
    const QString prefix = pdf + QStringLiteral(".page");
    QProcess process;
    process.start(pdfTool("pdftoppm"),
                  {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                   QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), QStringLiteral("-singlefile"), pdf, prefix});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The darkest grey in a small square around a point given in twips.
int darkestAround(const QImage &image, double xTwips, double yTwips)
{
    const int cx = int(std::lround(xTwips / 20));
    const int cy = int(std::lround(yTwips / 20));
    int darkest = 255;
    for (int y = cy - 1; y <= cy + 1; ++y) {
        for (int x = cx - 1; x <= cx + 1; ++x) {
            if (image.valid(x, y))
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
    }
    return darkest;
}

bool isGreen(QRgb pixel)
{
    return qGreen(pixel) > 100 && qRed(pixel) < 60 && qBlue(pixel) < 60;
}

PrintSettings headerSettings()
{
    PrintSettings settings;
    settings.business = {QStringLiteral("Pelmor Supply"),
                         QStringLiteral("12 Main St"),
                         QString(),
                         QStringLiteral("Dallas"),
                         QStringLiteral("TX"),
                         QStringLiteral("75001"),
                         QStringLiteral("555-1234"),
                         QString(),
                         QString()};
    settings.colourPrinting = false;
    return settings;
}

QByteArray bigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char((value >> (24 - 8 * i)) & 0xFF);
    return bytes;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

// A PNG header claiming a picture of the given size, with no picture data.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray ihdr = QByteArray("IHDR") + bigEndian32(width) + bigEndian32(height);
    ihdr += QByteArray::fromHex("0802000000"); // 8-bit RGB, no interlace
    QByteArray png = QByteArray::fromHex("89504E470D0A1A0A");
    png += bigEndian32(13) + ihdr + bigEndian32(crc32(ihdr));
    return png;
}

// The start of an enhanced metafile: the header record, type 1, with its " EMF"
// signature at offset 40.
QByteArray emfHeader()
{
    QByteArray bytes(88, '\0');
    bytes[0] = 1;
    bytes[4] = 88;
    bytes.replace(40, 4, " EMF");
    return bytes;
}

} // namespace

class TestPdfOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void pageKeepsItsPositionInTwips();
    void pageStartsANewJobAfterTheEnd();
    void fontThatIsNotInstalledStillPrints();
    void coloursAreBlueGreenRed_data();
    void coloursAreBlueGreenRed();
    void sampleHeaderPutsTitleAndBusinessWhereTheFormSays();
    void longBusinessNamePrintsAtTen_data();
    void longBusinessNamePrintsAtTen();
    void formRulesOnThePaper_data();
    void formRulesOnThePaper();
    void colourPrintingPrintsTheChosenColours_data();
    void colourPrintingPrintsTheChosenColours();
    void logoIsCentredAtItsSize();
    void unreadableLogoDrawsNothing_data();
    void unreadableLogoDrawsNothing();
    void gridReportOfThreePagesHasItsHeadingsOnEveryPage();
    void cancelledDialogIsReported();
    void unwritableFileIsAPrintError();

private:
    Outcome printSample(const PrintSettings &settings);
    QString pdf() const { return m_dir->filePath(QStringLiteral("out.pdf")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    PdfPrintDialogs m_dialogs;
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(14, 30))};
};

void TestPdfOutput::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestPdfOutput::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_dialogs.path = pdf();
    m_dialogs.cancel = false;
    m_prompts.clear();
}

Outcome TestPdfOutput::printSample(const PrintSettings &settings)
{
    DialogPageSource pages(m_dialogs);
    return Printouts(*m_data, pages, m_prompts, m_clock).PrintSample(settings);
}

void TestPdfOutput::pageKeepsItsPositionInTwips()
{
    PainterPage page(PainterPage::pdfPrinter(pdf()));
    QCOMPARE(page.pageWidth(), 12240.0);
    QCOMPARE(page.printableHeight(), 15840.0);
    page.setOrientation(Page::Orientation::Landscape);
    QCOMPARE(page.pageWidth(), 15840.0);
    page.setOrientation(Page::Orientation::Portrait);

    page.setFontSize(10);
    const double height = page.textHeight();
    // Liberation Sans (Arial's metrics) is 1.117 em high: 223 twips at 10 points.
    QVERIFY2(std::abs(height - 223.4) < 3, qPrintable(QString::number(height)));
    page.setCurrentX(1440);
    page.setCurrentY(2000);
    page.printText(QStringLiteral("Amount"));
    QCOMPARE(page.currentX(), 1440 + page.textWidth(QStringLiteral("Amount")));
    QCOMPARE(page.currentY(), 2000.0);
    page.printLine(QStringLiteral("Due"));
    QCOMPARE(page.currentX(), 0.0);
    QCOMPARE(page.currentY(), 2000 + height);
    page.setFontSize(20);
    QVERIFY(page.textHeight() > 1.9 * height);

    page.newPage();
    QCOMPARE(page.pageNumber(), 2);
    QCOMPARE(page.currentY(), 0.0);
    QVERIFY(page.endDocument());
    QCOMPARE(page.pageNumber(), 1);
    QVERIFY(QFileInfo(pdf()).size() > 0);
}

void TestPdfOutput::pageStartsANewJobAfterTheEnd()
{
    if (pdfTool("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    PainterPage page(PainterPage::pdfPrinter(pdf()));
    page.printLine(QStringLiteral("First"));
    page.newPage();
    page.printLine(QStringLiteral("Second"));
    QVERIFY(page.endDocument());
    QCOMPARE(pageCount(pdfWords(pdf())), 2);

    // A reprint on the same printer is a job of its own.
    page.setCurrentY(1440);
    page.printLine(QStringLiteral("Reprint"));
    QCOMPARE(page.pageNumber(), 1);
    QVERIFY(page.endDocument());
    const auto words = pdfWords(pdf());
    QCOMPARE(pageCount(words), 1);
    QCOMPARE(words.size(), 1);
    QCOMPARE(words.at(0).text, QStringLiteral("Reprint"));
    QVERIFY(std::abs(words.at(0).yMin - 72) < 2);
}

void TestPdfOutput::fontThatIsNotInstalledStillPrints()
{
    PainterPage page(PainterPage::pdfPrinter(pdf()));
    page.setFontName(QStringLiteral("No Such Font Pelmor"));
    page.setFontSize(12);
    QVERIFY(page.textWidth(QStringLiteral("Invoice")) > 300);
    QVERIFY(page.textHeight() > 200);
    page.printLine(QStringLiteral("Invoice"));
    QVERIFY(page.endDocument());
    if (!pdfTool("pdftotext").isEmpty())
        QCOMPARE(wordsNamed(pdfWords(pdf()), QStringLiteral("Invoice")).size(), 1);
}

void TestPdfOutput::coloursAreBlueGreenRed_data()
{
    QTest::addColumn<quint32>("stored");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("black") << quint32(0) << QColor(0, 0, 0);
    QTest::newRow("red") << quint32(255) << QColor(255, 0, 0);
    QTest::newRow("blue") << quint32(0xFF0000) << QColor(0, 0, 255);
    QTest::newRow("mixed") << quint32(0x123456) << QColor(0x56, 0x34, 0x12);
    QTest::newRow("bits above the colour") << quint32(0xFF0000FF) << QColor(255, 0, 0);
}

void TestPdfOutput::coloursAreBlueGreenRed()
{
    QFETCH(quint32, stored);
    QFETCH(QColor, colour);
    QCOMPARE(PainterPage::colourOf(stored), colour);
}

void TestPdfOutput::sampleHeaderPutsTitleAndBusinessWhereTheFormSays()
{
    if (pdfTool("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    QCOMPARE(printSample(headerSettings()), Outcome::Printed);
    const auto words = pdfWords(pdf());
    QCOMPARE(pageCount(words), 1);

    // The title at 5.0 in across, its line top at 0.5 in.
    const auto title = wordsNamed(words, QStringLiteral("INVOICE"));
    QCOMPARE(title.size(), 1);
    QVERIFY2(std::abs(title.at(0).xMin - 360) < 2, qPrintable(QString::number(title.at(0).xMin)));
    QVERIFY2(std::abs(title.at(0).yMin - 36) < 2, qPrintable(QString::number(title.at(0).yMin)));

    // The business block at 0.75 in, from 0.4 in down, one line under the other.
    const auto name = wordsNamed(words, QStringLiteral("Pelmor"));
    QCOMPARE(name.size(), 1);
    QVERIFY(std::abs(name.at(0).xMin - 54) < 2);
    QVERIFY2(std::abs(name.at(0).yMin - 28.8) < 2, qPrintable(QString::number(name.at(0).yMin)));
    double previous = name.at(0).yMin;
    for (const char *first : {"12", "Dallas,", "Telephone:"}) {
        const auto line = wordsNamed(words, QString::fromLatin1(first));
        QCOMPARE(line.size(), 1);
        QVERIFY(std::abs(line.at(0).xMin - 54) < 2);
        QVERIFY(line.at(0).yMin > previous + 10 && line.at(0).yMin < previous + 16);
        previous = line.at(0).yMin;
    }
    QCOMPARE(wordsNamed(words, QStringLiteral("TX.")).size(), 1);
    QCOMPARE(wordsNamed(words, QStringLiteral("555-1234")).size(), 1);
}

void TestPdfOutput::longBusinessNamePrintsAtTen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("size");

    QTest::newRow("25 characters") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY") << 12.0;
    QTest::newRow("26 characters") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ") << 10.0;
}

void TestPdfOutput::longBusinessNamePrintsAtTen()
{
    QFETCH(QString, name);
    QFETCH(double, size);
    if (pdfTool("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");

    PrintSettings settings = headerSettings();
    settings.business[0] = name;
    QCOMPARE(printSample(settings), Outcome::Printed);
    const auto words = pdfWords(pdf());

    const auto printed = wordsNamed(words, name);
    QCOMPARE(printed.size(), 1);
    // Against the telephone line, which is always 10 points.
    const auto reference = wordsNamed(words, QStringLiteral("Telephone:"));
    QCOMPARE(reference.size(), 1);
    const double ratio = printed.at(0).height() / reference.at(0).height();
    QVERIFY2(std::abs(ratio - size / 10) < 0.03, qPrintable(QString::number(ratio)));
}

void TestPdfOutput::formRulesOnThePaper_data()
{
    QTest::addColumn<bool>("narrative");
    QTest::newRow("plain form") << false;
    QTest::newRow("narrative form") << true;
}

void TestPdfOutput::formRulesOnThePaper()
{
    QFETCH(bool, narrative);
    if (pdfTool("pdftoppm").isEmpty())
        QSKIP("pdftoppm is not installed");

    if (narrative) {
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("PelmorInvoicer/Narratives"))));
        QFile file(m_dir->filePath(QStringLiteral("PelmorInvoicer/Narratives/12345.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Deliver to the back door\r\n");
    }
    QCOMPARE(printSample(headerSettings()), Outcome::Printed);
    const QImage image = renderPage(pdf());
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(612, 792));

    const double top = narrative ? 7200 : 5760;
    const double otherTop = narrative ? 5760 : 7200;
    const int dark = 160;
    const int light = 230;

    // The frame, top and bottom.
    QVERIFY(darkestAround(image, 6000, 504) < dark);
    QVERIFY(darkestAround(image, 6000, 5040) < dark);
    // The four rules at the top of the body, across the form.
    for (const double y : {top, top + 360, top + 720, top + 1080})
        QVERIFY2(darkestAround(image, 2000, y) < dark, qPrintable(QString::number(y)));
    QVERIFY(darkestAround(image, 2000, otherTop) > light);
    // Above the body nothing but the frame's sides.
    QVERIFY(darkestAround(image, 2000, top - 200) > light);
    QVERIFY(darkestAround(image, 360, top - 200) > light);
    QVERIFY(darkestAround(image, 360, top + 200) < dark);
    // The description column ends at the totals; the date column runs to the foot.
    QVERIFY(darkestAround(image, 3240, 12000) < dark);
    QVERIFY(darkestAround(image, 3240, 13000) > light);
    QVERIFY(darkestAround(image, 1800, 13000) < dark);
    QVERIFY(darkestAround(image, 1800, top + 400) > light);
    // The totals rows only on the right.
    QVERIFY(darkestAround(image, 10000, 12960) < dark);
    QVERIFY(darkestAround(image, 6000, 12960) > light);
    QVERIFY(darkestAround(image, 6000, 14400) < dark);
    QVERIFY(darkestAround(image, 6000, 14700) > light);
}

void TestPdfOutput::colourPrintingPrintsTheChosenColours_data()
{
    QTest::addColumn<bool>("colour");
    QTest::newRow("colour") << true;
    QTest::newRow("monochrome") << false;
}

void TestPdfOutput::colourPrintingPrintsTheChosenColours()
{
    QFETCH(bool, colour);
    if (pdfTool("pdftoppm").isEmpty())
        QSKIP("pdftoppm is not installed");

    PrintSettings settings = headerSettings();
    settings.colourPrinting = colour;
    settings.borderColour = 0x0000FF; // red
    settings.frameColour = 0xFF0000;  // blue
    QCOMPARE(printSample(settings), Outcome::Printed);
    const QImage image = renderPage(pdf());
    QVERIFY(!image.isNull());

    int red = 0;
    int blue = 0;
    int tinted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100)
                ++red;
            if (qBlue(p) > 150 && qRed(p) < 100 && qGreen(p) < 100)
                ++blue;
            if (std::max({qRed(p), qGreen(p), qBlue(p)}) -
                    std::min({qRed(p), qGreen(p), qBlue(p)}) >
                30)
                ++tinted;
        }
    }
    if (colour) {
        // The title and business block in the border colour, the frame in its own.
        QVERIFY2(red > 200, qPrintable(QString::number(red)));
        QVERIFY2(blue > 200, qPrintable(QString::number(blue)));
    } else {
        QCOMPARE(tinted, 0);
    }
}

void TestPdfOutput::logoIsCentredAtItsSize()
{
    if (pdfTool("pdftoppm").isEmpty())
        QSKIP("pdftoppm is not installed");
    QImage logo(60, 30, QImage::Format_RGB32);
    logo.fill(QColor(0, 160, 0));
    const QString path = m_dir->filePath(QStringLiteral("logo.png"));
    QVERIFY(logo.save(path));

    PrintSettings settings = headerSettings();
    settings.colourPrinting = true;
    settings.logoPath = path;
    settings.logoWidth = 2880; // 2 in by 1 in
    settings.logoHeight = 1440;
    QCOMPARE(printSample(settings), Outcome::Printed);
    const QImage image = renderPage(pdf());
    QVERIFY(!image.isNull());

    // From (12240 - 2880) / 2 = 4680 to 7560 across, 720 to 2160 down.
    QVERIFY(isGreen(image.pixel(4680 / 20 + 3, 1900 / 20)));
    QVERIFY(isGreen(image.pixel(7560 / 20 - 3, 1900 / 20)));
    QVERIFY(!isGreen(image.pixel(4680 / 20 - 3, 1900 / 20)));
    QVERIFY(!isGreen(image.pixel(7560 / 20 + 3, 1900 / 20)));
    QVERIFY(isGreen(image.pixel(6120 / 20, 720 / 20 + 3)));
    QVERIFY(!isGreen(image.pixel(6120 / 20, 720 / 20 - 3)));
    QVERIFY(isGreen(image.pixel(6120 / 20, 2160 / 20 - 3)));
    QVERIFY(!isGreen(image.pixel(6120 / 20, 2160 / 20 + 3)));
}

void TestPdfOutput::unreadableLogoDrawsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    QImage good(40, 40, QImage::Format_RGB32);
    good.fill(Qt::green);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        good.save(&buffer, "PNG");
    }

    QTest::newRow("missing") << "" << QByteArray();
    QTest::newRow("empty file") << "logo.png" << QByteArray();
    QTest::newRow("truncated picture") << "logo.png" << png.left(40);
    QTest::newRow("text named as a picture") << "logo.bmp" << QByteArray("not a picture\r\n");
    QTest::newRow("enhanced metafile") << "logo.EMF" << emfHeader();
    QTest::newRow("absurd size") << "logo.png" << pngClaiming(200000, 200000);
    QTest::newRow("a folder") << "folder.png" << QByteArray("folder");
    // Opening a pipe waits for a writer that never comes.
    QTest::newRow("a named pipe") << "pipe.png" << QByteArray("pipe");
}

void TestPdfOutput::unreadableLogoDrawsNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    QString path = m_dir->filePath(name.isEmpty() ? QStringLiteral("gone.png") : name);
    if (bytes == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (bytes == "pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (!name.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    {
        PainterPage page(PainterPage::pdfPrinter(pdf()));
        QCOMPARE(page.drawPicture(path, 4680, 720, 1440, 1440), false);
        page.printLine(QStringLiteral("still printing"));
        QVERIFY(page.endDocument());
    }

    PrintSettings settings = headerSettings();
    settings.logoPath = path;
    QCOMPARE(printSample(settings), Outcome::Printed);
    QVERIFY(QFileInfo(pdf()).size() > 0);
    if (!pdfTool("pdftotext").isEmpty())
        QCOMPARE(wordsNamed(pdfWords(pdf()), QStringLiteral("INVOICE")).size(), 1);
}

void TestPdfOutput::gridReportOfThreePagesHasItsHeadingsOnEveryPage()
{
    if (pdfTool("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");

    // Rows of 10 points from 2.5 in down to 11 in: a little over 50 to a page.
    QList<QStringList> rows;
    for (int i = 1; i <= 130; ++i) {
        rows.append({QString::number(5000 + i), QStringLiteral("A%1").arg(i),
                     QStringLiteral("Name%1").arg(i), QStringLiteral("12/8/2026"),
                     QStringLiteral("$%1.00").arg(i * 7)});
    }
    DialogPageSource pages(m_dialogs);
    Printouts printouts(*m_data, pages, m_prompts, m_clock);
    QCOMPARE(printouts.PrintGridReport(headerSettings(), QStringLiteral("Invoices Report"), rows),
             Outcome::Printed);
    QCOMPARE(m_prompts.shown.size(), 0);

    const auto words = pdfWords(pdf());
    QCOMPARE(pageCount(words), 3);
    for (int page = 1; page <= 3; ++page) {
        QList<PdfWord> onPage;
        for (const PdfWord &word : words) {
            if (word.page == page)
                onPage.append(word);
        }
        for (const char *text : {"Invoices", "Report", "Pelmor", "12/8/2026", "Invoice", "No.",
                                 "Account", "No", "Date", "Amount"})
            QVERIFY2(!wordsNamed(onPage, QString::fromLatin1(text)).isEmpty(),
                     qPrintable(QStringLiteral("page %1 lacks %2").arg(page).arg(text)));

        const auto amount = wordsNamed(onPage, QStringLiteral("Amount")).first();
        QVERIFY(std::abs(amount.xMax - 540) < 1.5);
        QVERIFY(std::abs(amount.yMin - 158.4) < 2);

        // The rows of every page start below the headings, at 2.5 in, and stay
        // on the paper.
        double firstRow = 1e9;
        for (const PdfWord &word : onPage) {
            if (word.text.startsWith(u'5') && word.text.size() == 4) {
                firstRow = std::min(firstRow, word.yMin);
                QVERIFY(word.yMax <= 792);
            }
            if (word.text.startsWith(u'$'))
                QVERIFY2(std::abs(word.xMax - 540) < 1.5, qPrintable(word.text));
        }
        QVERIFY2(std::abs(firstRow - 180) < 2, qPrintable(QString::number(firstRow)));
    }
    QCOMPARE(wordsNamed(words, QStringLiteral("5001")).first().page, 1);
    QCOMPARE(wordsNamed(words, QStringLiteral("5130")).first().page, 3);
    int rowsPrinted = 0;
    for (const PdfWord &word : words)
        rowsPrinted += word.text.startsWith(u'5') && word.text.size() == 4 ? 1 : 0;
    QCOMPARE(rowsPrinted, 130);
}

void TestPdfOutput::cancelledDialogIsReported()
{
    m_dialogs.cancel = true;
    DialogPageSource pages(m_dialogs);
    Printouts printouts(*m_data, pages, m_prompts, m_clock);
    QCOMPARE(printouts.PrintGridReport(headerSettings(), QStringLiteral("Invoices Report"), {}),
             Outcome::Cancelled);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("The Report will not be Printed"));
    QVERIFY(!QFileInfo::exists(pdf()));
}

void TestPdfOutput::unwritableFileIsAPrintError()
{
    m_dialogs.path = m_dir->filePath(QStringLiteral("no/such/folder/out.pdf"));
    DialogPageSource pages(m_dialogs);
    Printouts printouts(*m_data, pages, m_prompts, m_clock);
    QCOMPARE(printouts.PrintGridReport(headerSettings(), QStringLiteral("Invoices Report"),
                                       {{"5001", "A1", "Name", "12/8/2026", "$1.00"}}),
             Outcome::Failed);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("A Print Error has occurred"));
    QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Print Error"));
}

QTEST_MAIN(TestPdfOutput)
#include "tst_pdfoutput.moc"
