#include "printing/printengine.h"

#include "core/datafolder.h"
#include "recordingpage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using Kind = RecordingPage::Kind;

namespace {

// Recording metrics: a character is half the size wide, a line 1.2 times high.
constexpr double LineHeight10 = 240;

struct Segment
{
    double x1, y1, x2, y2;
    bool operator==(const Segment &) const = default;
};

QList<Segment> segments(const RecordingPage &page)
{
    QList<Segment> found;
    for (const auto &call : page.of(Kind::Line))
        found.append({call.x, call.y, call.x2, call.y2});
    return found;
}

char *toString(const Segment &s)
{
    return QTest::toString(
        QStringLiteral("(%1,%2)-(%3,%4)").arg(s.x1).arg(s.y1).arg(s.x2).arg(s.y2));
}

PrintSettings sampleSettings()
{
    PrintSettings settings;
    settings.business = {QStringLiteral("Pelmor Supply"),
                         QStringLiteral("12 Main St"),
                         QStringLiteral("Suite 4"),
                         QStringLiteral("Dallas"),
                         QStringLiteral("TX"),
                         QStringLiteral("75001"),
                         QStringLiteral("555-1234"),
                         QStringLiteral("FEIN 12-345"),
                         QStringLiteral("Open daily")};
    settings.borderColour = 0x0000FF;
    settings.textColour = 0x00FF00;
    settings.frameColour = 0x808080;
    settings.fontName = QStringLiteral("Times New Roman");
    return settings;
}

} // namespace

class TestPrintEngine : public QObject
{
    Q_OBJECT

private slots:
    void webSiteLineIsTheFirstField_data();
    void webSiteLineIsTheFirstField();
    void init();

    void setupPrinterChoosesOrientationAndColour_data();
    void setupPrinterChoosesOrientationAndColour();
    void setupPrinterResetsTheFontButNotItsSize();
    void moveToKeepsACoordinateGivenAsZero_data();
    void moveToKeepsACoordinateGivenAsZero();
    void setFontKeepsTheSizeForZero();
    void setPrintColourFollowsTheColourSetting_data();
    void setPrintColourFollowsTheColourSetting();

    void printWrappedBreaksBetweenWords_data();
    void printWrappedBreaksBetweenWords();
    void printWrappedPlacesEveryLineAtX();

    void printTitleUsesBorderColoursAndLeavesTenBold();
    void businessHeaderAddressStyles_data();
    void businessHeaderAddressStyles();
    void businessHeaderPlacesLinesUnderTheName();
    void businessNameLongerThan25CharactersPrintsAtTen_data();
    void businessNameLongerThan25CharactersPrintsAtTen();
    void businessHeaderEndsWithTheWebSiteLine_data();
    void businessHeaderEndsWithTheWebSiteLine();

    void logoIsCentredOnItsOwnWidth_data();
    void logoIsCentredOnItsOwnWidth();
    void logoWithoutAPictureDrawsNothing_data();
    void logoWithoutAPictureDrawsNothing();

    void invoiceFrameIsDrawnInTheFrameColour();
    void slipFrameIsDrawnInTheHighlightColour();
    void slipFrameBeforeAnyColourChoice_data();
    void slipFrameBeforeAnyColourChoice();
    void formRulesStartHigherWithoutANarrative_data();
    void formRulesStartHigherWithoutANarrative();

    void pageHeaderDrawsFrameRulesTitleLogoAndBusiness();
    void pageHeaderMovesTheRulesDownForANarrative_data();
    void pageHeaderMovesTheRulesDownForANarrative();
    void jobPrintsTheSettingsItStartedWith();

private:
    QString root() const { return m_dir->path(); }
    void writeFile(const QString &relative, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPrintEngine::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPrintEngine::writeFile(const QString &relative, const QByteArray &bytes)
{
    const QString path = root() + relative;
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestPrintEngine::setupPrinterChoosesOrientationAndColour_data()
{
    QTest::addColumn<QString>("orientation");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<bool>("colour");

    QTest::newRow("portrait in colour") << "Portrait" << 1 << true << true;
    QTest::newRow("landscape monochrome") << "Landscape" << 0 << false << false;
    QTest::newRow("only the exact word is portrait") << "portrait" << 1 << false << true;
    QTest::newRow("only 1 is colour") << "Portrait" << -1 << true << false;
}

void TestPrintEngine::setupPrinterChoosesOrientationAndColour()
{
    QFETCH(QString, orientation);
    QFETCH(int, flag);
    QFETCH(bool, portrait);
    QFETCH(bool, colour);

    RecordingPage page;
    page.colourMode = !colour;
    page.orientation = portrait ? Page::Orientation::Landscape : Page::Orientation::Portrait;
    const PrintSettings settings;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.SetupPrinter(orientation, flag);

    QCOMPARE(page.orientation,
             portrait ? Page::Orientation::Portrait : Page::Orientation::Landscape);
    QCOMPARE(page.colourMode, colour);
}

void TestPrintEngine::setupPrinterResetsTheFontButNotItsSize()
{
    RecordingPage page;
    page.setFontName(QStringLiteral("Courier"));
    page.setFontSize(14);
    page.setFontBold(true);
    page.setFontUnderline(true);
    page.setForeColour(0x0000FF);
    const PrintSettings settings = sampleSettings();
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.SetupPrinter(QStringLiteral("Portrait"), 1);

    QCOMPARE(page.fontName(), QStringLiteral("Times New Roman"));
    QCOMPARE(page.fontSize(), 14.0);
    QCOMPARE(page.fontBold(), false);
    QCOMPARE(page.fontUnderline(), false);
    QCOMPARE(page.foreColour(), quint32(0));

    PrintSettings unnamed;
    unnamed.fontName = QStringLiteral("  ");
    PrintEngine(page, unnamed, data).SetupPrinter(QStringLiteral("Portrait"), 1);
    QCOMPARE(page.fontName(), QStringLiteral("Arial"));
}

void TestPrintEngine::moveToKeepsACoordinateGivenAsZero_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<double>("expectedX");
    QTest::addColumn<double>("expectedY");

    QTest::newRow("y only") << 0.0f << 4.9f << 100.0 << 7056.0;
    QTest::newRow("x only") << 1.3f << 0.0f << 1872.0 << 200.0;
    QTest::newRow("both") << 8.25f << 3.5f << 11880.0 << 5040.0;
    QTest::newRow("neither") << 0.0f << 0.0f << 100.0 << 200.0;
    QTest::newRow("negative keeps too") << -1.0f << 0.75f << 100.0 << 1080.0;
}

void TestPrintEngine::moveToKeepsACoordinateGivenAsZero()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(double, expectedX);
    QFETCH(double, expectedY);

    RecordingPage page;
    page.setCurrentX(100);
    page.setCurrentY(200);
    const PrintSettings settings;
    DataFolder data(root());
    PrintEngine(page, settings, data).MoveTo(x, y);

    QCOMPARE(page.currentX(), expectedX);
    QCOMPARE(page.currentY(), expectedY);
}

void TestPrintEngine::setFontKeepsTheSizeForZero()
{
    RecordingPage page;
    const PrintSettings settings;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);

    engine.SetFont(14, true, true);
    QCOMPARE(page.fontSize(), 14.0);
    QCOMPARE(page.fontBold(), true);
    QCOMPARE(page.fontUnderline(), true);

    engine.SetFont(0, false);
    QCOMPARE(page.fontSize(), 14.0);
    QCOMPARE(page.fontBold(), false);
    QCOMPARE(page.fontUnderline(), false);
}

void TestPrintEngine::setPrintColourFollowsTheColourSetting_data()
{
    QTest::addColumn<bool>("colourPrinting");
    QTest::addColumn<bool>("textMode");
    QTest::addColumn<quint32>("fore");
    QTest::addColumn<quint32>("highlight");

    // Border 0x0000FF (red), text 0x00FF00 (green).
    QTest::newRow("colour, text") << true << true << quint32(0xFF0000) << quint32(0x00FF00);
    QTest::newRow("colour, borders") << true << false << quint32(0x0000FF) << quint32(0x0000FF);
    QTest::newRow("monochrome, text") << false << true << quint32(0) << quint32(0);
    QTest::newRow("monochrome, borders") << false << false << quint32(0) << quint32(0);
}

void TestPrintEngine::setPrintColourFollowsTheColourSetting()
{
    QFETCH(bool, colourPrinting);
    QFETCH(bool, textMode);
    QFETCH(quint32, fore);
    QFETCH(quint32, highlight);

    RecordingPage page;
    page.setForeColour(0x123456);
    PrintSettings settings = sampleSettings();
    settings.colourPrinting = colourPrinting;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.SetPrintColour(textMode);

    QCOMPARE(page.foreColour(), fore);
    QCOMPARE(engine.highlightColour(), highlight);
}

void TestPrintEngine::printWrappedBreaksBetweenWords_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    // At 10 points a character is 100 twips; a line holds (width - 20) / 100 characters.
    QTest::newRow("fits") << 2520.0 << "John Smith" << QStringList{"John Smith"};
    QTest::newRow("last word that does not fit goes down")
        << 2520.0 << "Alexander Hamilton Jonesey" << QStringList{"Alexander Hamilton", "Jonesey"};
    QTest::newRow("exactly the room fits") << 1020.0 << "aaaa bbbbb" << QStringList{"aaaa bbbbb"};
    QTest::newRow("within the slack wraps")
        << 1010.0 << "aaaa bbbbb" << QStringList{"aaaa", "bbbbb"};
    QTest::newRow("one twip past the text wraps")
        << 1001.0 << "aaaa bbbbb" << QStringList{"aaaa", "bbbbb"};
    QTest::newRow("breaks at the last space that fits")
        << 1020.0 << "aaaa bbbb cccc dddd" << QStringList{"aaaa bbbb", "cccc dddd"};
    QTest::newRow("several lines") << 1020.0 << "aaaa bbbb cccc dddd eeee ffff gg"
                                   << QStringList{"aaaa bbbb", "cccc dddd", "eeee ffff", "gg"};
    QTest::newRow("blanks between words are dropped at a break")
        << 1020.0 << "aaaa   bbbb cccc" << QStringList{"aaaa", "bbbb cccc"};
    QTest::newRow("one long word stays whole")
        << 1020.0 << "Supercalifragilistic" << QStringList{"Supercalifragilistic"};
    QTest::newRow("long first word on its own line")
        << 1020.0 << "Supercalifragilistic ab cd" << QStringList{"Supercalifragilistic", "ab cd"};
    QTest::newRow("long middle word on its own line")
        << 1020.0 << "ab Supercalifragilistic cd"
        << QStringList{"ab", "Supercalifragilistic", "cd"};
    QTest::newRow("long last word on its own line")
        << 1020.0 << "ab cd Supercalifragilistic" << QStringList{"ab cd", "Supercalifragilistic"};
    QTest::newRow("leading blanks are not an empty line")
        << 1020.0 << "  Supercalifragilistic ab" << QStringList{"  Supercalifragilistic", "ab"};
    QTest::newRow("empty text prints nothing") << 1020.0 << "" << QStringList{};
    QTest::newRow("narrower than the slack") << 10.0 << "ab cd" << QStringList{"ab", "cd"};
}

void TestPrintEngine::printWrappedBreaksBetweenWords()
{
    QFETCH(double, width);
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    RecordingPage page;
    const PrintSettings settings;
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintWrapped(720, 3000, width, text);

    QCOMPARE(page.texts(), lines);
    QCOMPARE(page.currentY(), 3000 + lines.size() * LineHeight10);
}

void TestPrintEngine::printWrappedPlacesEveryLineAtX()
{
    RecordingPage page;
    page.setCurrentX(5000);
    page.setCurrentY(100);
    const PrintSettings settings;
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintWrapped(2880, 6000, 1020, "aaaa bbbb cccc dddd eeee");

    const auto texts = page.of(Kind::Text);
    QCOMPARE(texts.size(), 3);
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(texts.at(i).x, 2880.0);
        QCOMPARE(texts.at(i).y, 6000 + i * LineHeight10);
        QCOMPARE(texts.at(i).lineEnd, true);
    }
}

void TestPrintEngine::printTitleUsesBorderColoursAndLeavesTenBold()
{
    RecordingPage page;
    const PrintSettings settings = sampleSettings();
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.SetPrintColour(true);
    engine.PrintTitle(QStringLiteral("INVOICE"), 0.5f);

    const auto title = page.text(QStringLiteral("INVOICE"));
    QCOMPARE(title.x, 7200.0);
    QCOMPARE(title.y, 720.0);
    QCOMPARE(title.fontSize, 28.0);
    QCOMPARE(title.bold, true);
    QCOMPARE(title.colour, settings.borderColour);
    QCOMPARE(title.lineEnd, true);

    QCOMPARE(page.fontSize(), 10.0);
    QCOMPARE(page.fontBold(), true);
    QCOMPARE(page.foreColour(), settings.borderColour);
    QCOMPARE(page.currentY(), 720 + 28 * 24.0);
}

void TestPrintEngine::businessHeaderAddressStyles_data()
{
    QTest::addColumn<bool>("usa");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("usa, every field")
        << true << QStringList{"Pelmor Supply", "12 Main St", "Suite 4",     "Dallas",    "TX",
                               "75001",         "555-1234",   "FEIN 12-345", "Open daily"}
        << QStringList{"Pelmor Supply",       "12 Main St",  "Suite 4",   "Dallas, TX. 75001",
                       "Telephone: 555-1234", "FEIN 12-345", "Open daily"};
    QTest::newRow("usa, no city") << true << QStringList{"Pelmor", "12 Main St", "", "", "TX",
                                                         "75001",  "",           "", ""}
                                  << QStringList{"Pelmor", "12 Main St", "TX. 75001"};
    QTest::newRow("usa, city only")
        << true << QStringList{"Pelmor", "12 Main St", "", "Dallas", "", "75001", "", "", ""}
        << QStringList{"Pelmor", "12 Main St", "Dallas, "};
    QTest::newRow("usa, neither city nor state")
        << true << QStringList{"Pelmor", "12 Main St", "", "", "", "75001", "555", "", ""}
        << QStringList{"Pelmor", "12 Main St", "Telephone: 555"};
    QTest::newRow("the street prints even when empty")
        << true << QStringList{"Pelmor", "", "", "", "", "", "", "", "VAT 1"}
        << QStringList{"Pelmor", "", "VAT 1"};
    QTest::newRow("international")
        << false << QStringList{"Pelmor Ltd", "5 High St", "Unit 5", "Leeds", "LS1 4AB",
                                "99999",      "0113 496",  "",       ""}
        << QStringList{"Pelmor Ltd", "5 High St", "Unit 5",
                       "Leeds",      "LS1 4AB",   "Telephone: 0113 496"};
    QTest::newRow("international, empty lines skipped")
        << false << QStringList{"Pelmor Ltd", "5 High St", "", "", "LS1 4AB", "", "", "", ""}
        << QStringList{"Pelmor Ltd", "5 High St", "LS1 4AB"};
}

void TestPrintEngine::businessHeaderAddressStyles()
{
    QFETCH(bool, usa);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, lines);

    PrintSettings settings;
    for (int i = 0; i < 9; ++i)
        settings.business[i] = fields.at(i);
    settings.addressStyle =
        usa ? PrintSettings::AddressStyle::Usa : PrintSettings::AddressStyle::International;
    RecordingPage page;
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintBusinessHeader(0.75f, 0.4f, 12);

    QCOMPARE(page.texts(), lines);
}

void TestPrintEngine::businessHeaderPlacesLinesUnderTheName()
{
    const PrintSettings settings = sampleSettings();
    RecordingPage page;
    page.setCurrentX(9000);
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintBusinessHeader(0.75f, 0.4f, 12);

    const auto texts = page.of(Kind::Text);
    QCOMPARE(texts.size(), 7);
    // The name at 12 points bold, then lines of 10 regular.
    QCOMPARE(texts.at(0).x, 1080.0);
    QCOMPARE(texts.at(0).y, 576.0);
    QCOMPARE(texts.at(0).fontSize, 12.0);
    QCOMPARE(texts.at(0).bold, true);
    double y = 576 + 12 * 24;
    for (int i = 1; i < texts.size(); ++i) {
        QCOMPARE(texts.at(i).x, 1080.0);
        QCOMPARE(texts.at(i).y, y);
        QCOMPARE(texts.at(i).fontSize, 10.0);
        QCOMPARE(texts.at(i).bold, false);
        y += LineHeight10;
    }
}

void TestPrintEngine::businessNameLongerThan25CharactersPrintsAtTen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("printedSize");

    QTest::newRow("25 characters") << QString(25, u'N') << 12 << 12.0;
    QTest::newRow("26 characters") << QString(26, u'N') << 12 << 10.0;
    QTest::newRow("26 characters, small header") << QString(26, u'N') << 8 << 10.0;
}

void TestPrintEngine::businessNameLongerThan25CharactersPrintsAtTen()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(double, printedSize);

    PrintSettings settings;
    settings.business[0] = name;
    RecordingPage page;
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintBusinessHeader(0.75f, 0.4f, size);

    const auto printed = page.text(name);
    QCOMPARE(printed.text, name);
    QCOMPARE(printed.fontSize, printedSize);
    QCOMPARE(printed.bold, true);
}

void TestPrintEngine::businessHeaderEndsWithTheWebSiteLine_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const QStringList plain{"Pelmor", "1 Elm St", "Telephone: 555"};
    QTest::newRow("absent") << "" << QByteArray() << plain;
    QTest::newRow("present") << "/MyWebSite.txt"
                             << QByteArray("\"www.pelmor.example\",\"second\"\r\n")
                             << plain + QStringList{"www.pelmor.example"};
    QTest::newRow("restored from the backup")
        << "/Backup/MyWebSite.txt" << QByteArray("\"www.pelmor.example\"\r\n")
        << plain + QStringList{"www.pelmor.example"};
    QTest::newRow("empty file") << "/MyWebSite.txt" << QByteArray() << plain;
}

void TestPrintEngine::businessHeaderEndsWithTheWebSiteLine()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    if (!file.isEmpty())
        writeFile(file, bytes);
    PrintSettings settings;
    settings.business = {"Pelmor", "1 Elm St", "", "", "", "", "555", "", ""};
    RecordingPage page;
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintBusinessHeader(0.75f, 0.4f, 12);

    QCOMPARE(page.texts(), lines);
    QCOMPARE(page.of(Kind::Text).last().x, 1080.0);
}

void TestPrintEngine::logoIsCentredOnItsOwnWidth_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("x");

    QTest::newRow("default size") << false << 1440.0 << 1440.0 << 5400.0;
    QTest::newRow("wider") << false << 2000.0 << 1000.0 << 5120.0;
    QTest::newRow("narrow") << false << 360.0 << 1800.0 << 5940.0;
    QTest::newRow("landscape paper") << true << 2000.0 << 1000.0 << 6920.0;
}

void TestPrintEngine::logoIsCentredOnItsOwnWidth()
{
    QFETCH(bool, landscape);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, x);

    writeFile(QStringLiteral("/logo.png"), "picture");
    PrintSettings settings;
    settings.logoPath = root() + QStringLiteral("/logo.png");
    settings.logoWidth = width;
    settings.logoHeight = height;
    RecordingPage page;
    if (landscape)
        page.setOrientation(Page::Orientation::Landscape);
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintLogo(720);

    const auto pictures = page.of(Kind::Picture);
    QCOMPARE(pictures.size(), 1);
    QCOMPARE(pictures.at(0).text, settings.logoPath);
    QCOMPARE(pictures.at(0).x, x);
    QCOMPARE(pictures.at(0).y, 720.0);
    QCOMPARE(pictures.at(0).x2, width);
    QCOMPARE(pictures.at(0).y2, height);
}

void TestPrintEngine::logoWithoutAPictureDrawsNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("no logo stored") << "" << 1440.0 << 1440.0;
    QTest::newRow("file gone") << "/gone.png" << 1440.0 << 1440.0;
    QTest::newRow("zero width") << "/logo.png" << 0.0 << 1440.0;
    QTest::newRow("negative height") << "/logo.png" << 1440.0 << -50.0;
    QTest::newRow("not a number") << "/logo.png" << nan << 1440.0;
}

void TestPrintEngine::logoWithoutAPictureDrawsNothing()
{
    QFETCH(QString, file);
    QFETCH(double, width);
    QFETCH(double, height);

    writeFile(QStringLiteral("/logo.png"), "picture");
    PrintSettings settings;
    settings.logoPath = file.isEmpty() ? QString() : root() + file;
    settings.logoWidth = width;
    settings.logoHeight = height;
    RecordingPage page;
    DataFolder data(root());
    PrintEngine(page, settings, data).PrintLogo(720);

    QCOMPARE(page.calls.size(), 0);
}

void TestPrintEngine::invoiceFrameIsDrawnInTheFrameColour()
{
    const PrintSettings settings = sampleSettings();
    RecordingPage page;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.SetPrintColour(false);
    engine.DrawInvoiceFrame();

    const auto boxes = page.of(Kind::Rectangle);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(Segment({boxes.at(0).x, boxes.at(0).y, boxes.at(0).x2, boxes.at(0).y2}),
             Segment({360, 504, 11880, 5040}));
    QCOMPARE(boxes.at(0).filled, false);
    QCOMPARE(boxes.at(0).colour, settings.frameColour);
    // Six dots of a 600 dpi printer.
    QCOMPARE(boxes.at(0).lineWidth, 14.4);
}

void TestPrintEngine::slipFrameIsDrawnInTheHighlightColour()
{
    PrintSettings settings = sampleSettings();
    RecordingPage page;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.SetPrintColour(true);
    engine.DrawSlipFrame();

    const auto boxes = page.of(Kind::Rectangle);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).colour, settings.textColour);
    QCOMPARE(Segment({boxes.at(0).x, boxes.at(0).y, boxes.at(0).x2, boxes.at(0).y2}),
             Segment({360, 504, 11880, 5040}));
}

void TestPrintEngine::slipFrameBeforeAnyColourChoice_data()
{
    QTest::addColumn<bool>("colourPrinting");
    QTest::addColumn<bool>("frameInBorderColour");
    QTest::newRow("colour") << true << true;
    QTest::newRow("monochrome") << false << false;
}

void TestPrintEngine::slipFrameBeforeAnyColourChoice()
{
    QFETCH(bool, colourPrinting);
    QFETCH(bool, frameInBorderColour);
    PrintSettings settings = sampleSettings();
    settings.colourPrinting = colourPrinting;
    RecordingPage page;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.DrawSlipFrame();

    const auto boxes = page.of(Kind::Rectangle);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.at(0).colour, frameInBorderColour ? settings.borderColour : quint32(0));
}

void TestPrintEngine::formRulesStartHigherWithoutANarrative_data()
{
    QTest::addColumn<bool>("narrative");
    QTest::addColumn<double>("top");

    QTest::newRow("plain") << false << 5760.0;
    QTest::newRow("narrative") << true << 7200.0;
}

void TestPrintEngine::formRulesStartHigherWithoutANarrative()
{
    QFETCH(bool, narrative);
    QFETCH(double, top);

    const double t = top;
    const QList<Segment> expected{
        // body rules across the form
        {360, t, 11880, t},
        {360, t + 360, 11880, t + 360},
        {360, t + 720, 11880, t + 720},
        {360, t + 1080, 11880, t + 1080},
        {360, 12240, 11880, 12240},
        {360, 13680, 11880, 13680},
        {360, 14400, 11880, 14400},
        // totals rows
        {7920, 12600, 11880, 12600},
        {7920, 12960, 11880, 12960},
        {7920, 13320, 11880, 13320},
        {7920, 13680, 11880, 13680},
        {7920, 14040, 11880, 14040},
        // columns
        {360, t, 360, 14400},
        {1800, t + 720, 1800, 14400},
        {7920, t, 7920, 14400},
        {10080, t + 720, 10080, 14400},
        {11880, t, 11880, 14400},
        {3240, t, 3240, 12240},
    };

    RecordingPage page;
    page.setForeColour(0x808080);
    const PrintSettings settings;
    DataFolder data(root());
    PrintEngine(page, settings, data).DrawFormRules(narrative);

    QCOMPARE(segments(page), expected);
    for (const auto &call : page.calls)
        QCOMPARE(call.colour, quint32(0x808080));
}

void TestPrintEngine::pageHeaderDrawsFrameRulesTitleLogoAndBusiness()
{
    writeFile(QStringLiteral("/logo.png"), "picture");
    PrintSettings settings = sampleSettings();
    settings.logoPath = root() + QStringLiteral("/logo.png");
    RecordingPage page;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.PrintInvoicePageHeader(QStringLiteral("INVOICE"), 0.4f, QStringLiteral("12345"));

    // Frame first, then the rules, then the title, the logo and the business block.
    QCOMPARE(page.calls.at(0).kind, Kind::Rectangle);
    for (int i = 1; i <= 18; ++i)
        QCOMPARE(page.calls.at(i).kind, Kind::Line);
    QCOMPARE(page.calls.at(19).kind, Kind::Text);
    QCOMPARE(page.calls.at(19).text, QStringLiteral("INVOICE"));
    QCOMPARE(page.calls.at(20).kind, Kind::Picture);
    QCOMPARE(page.calls.at(21).text, QStringLiteral("Pelmor Supply"));

    QCOMPARE(page.calls.at(0).colour, settings.frameColour);
    QCOMPARE(page.calls.at(18).colour, settings.frameColour);
    const auto title = page.calls.at(19);
    QCOMPARE(title.x, 7200.0);
    QCOMPARE(title.y, 720.0);
    QCOMPARE(title.colour, settings.borderColour);
    QCOMPARE(page.calls.at(20).x, (12240.0 - 1440) / 2);
    QCOMPARE(page.calls.at(20).y, 720.0);
    const auto name = page.calls.at(21);
    QCOMPARE(name.x, 1080.0);
    QCOMPARE(name.y, 576.0);
    QCOMPARE(name.colour, settings.borderColour);
    QCOMPARE(engine.highlightColour(), settings.borderColour);
}

void TestPrintEngine::pageHeaderMovesTheRulesDownForANarrative_data()
{
    QTest::addColumn<QString>("invoice");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("narrative");

    QTest::newRow("no narrative") << "12345"
                                  << "" << false;
    QTest::newRow("narrative") << "12345"
                               << "/PelmorInvoicer/Narratives/12345.txt" << true;
    QTest::newRow("restored narrative") << "12345"
                                        << "/Backup/PelmorInvoicer/Narratives/12345.txt" << true;
    QTest::newRow("another invoice's narrative") << "12346"
                                                 << "/PelmorInvoicer/Narratives/12345.txt" << false;
    QTest::newRow("number that is not a file name")
        << "../Narratives/12345"
        << "/PelmorInvoicer/Narratives/12345.txt" << false;
}

void TestPrintEngine::pageHeaderMovesTheRulesDownForANarrative()
{
    QFETCH(QString, invoice);
    QFETCH(QString, file);
    QFETCH(bool, narrative);

    // The folder exists in every data tree; the restore copies into it.
    QVERIFY(QDir().mkpath(root() + QStringLiteral("/PelmorInvoicer/Narratives")));
    if (!file.isEmpty())
        writeFile(file, "Deliver to the back door\r\n");
    const PrintSettings settings = sampleSettings();
    RecordingPage page;
    DataFolder data(root());
    PrintEngine engine(page, settings, data);
    engine.PrintInvoicePageHeader(QStringLiteral("INVOICE"), 0.4f, invoice);

    QCOMPARE(engine.narrative(), narrative);
    const auto lines = segments(page);
    QCOMPARE(lines.size(), 18);
    QCOMPARE(lines.first().y1, narrative ? 7200.0 : 5760.0);
}

void TestPrintEngine::jobPrintsTheSettingsItStartedWith()
{
    RecordingPage page;
    DataFolder data(root());
    auto settings = std::make_unique<PrintSettings>(sampleSettings());
    PrintEngine engine(page, *settings, data);
    // The setup may change, or the caller's copy go away, while a job is printing.
    settings->business[0] = QStringLiteral("Changed");
    settings->borderColour = 0x123456;
    settings.reset();
    engine.SetPrintColour(false);
    engine.PrintBusinessHeader(0.75f, 0.4f, 12);

    QCOMPARE(page.texts().value(0), QStringLiteral("Pelmor Supply"));
    QCOMPARE(page.of(Kind::Text).value(0).colour, quint32(0x0000FF));
}

void TestPrintEngine::webSiteLineIsTheFirstField_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<QString>>("expected");
    QTest::newRow("quoted keeps its comma")
        << QByteArray("\"www.acme.example, since 1990\"\r\n")
        << std::optional<QString>(QStringLiteral("www.acme.example, since 1990"));
    QTest::newRow("bare stops at a comma")
        << QByteArray("www.acme.example, since 1990\r\n")
        << std::optional<QString>(QStringLiteral("www.acme.example"));
    QTest::newRow("empty") << QByteArray() << std::optional<QString>();
}

void TestPrintEngine::webSiteLineIsTheFirstField()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<QString>, expected);
    QCOMPARE(printing::decodeWebSite(bytes), expected);
}

QTEST_MAIN(TestPrintEngine)
#include "tst_printengine.moc"
