#include "catalogbytes.h"
#include "catalog/catalog.h"
#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "fakenavigator.h"
#include "postedbytes.h"
#include "recordingpage.h"
#include "records/frmsalesreport.h"
#include "scripteddesktop.h"
#include "scriptedprompts.h"
#include "screenaccess.h"
#include "setup/businesssettings.h"
#include "testfiles.h"
#include "ui/navigator.h"

#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

using screen::column;

} // namespace

class tst_frmSalesReport final : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<Catalog> m_catalog;
    std::unique_ptr<BusinessSettings> m_settings;
    std::unique_ptr<frmSalesReport> m_screen;
    ApplicationState m_state;
    ScriptedPrompts m_prompts;
    FakeNavigator m_navigator;
    RecordingPageSource m_pages;
    FixedClock m_clock{QDateTime(QDate(2025, 1, 15), QTime(10, 0))};

    QString root() const { return m_dir->path(); }
    template <typename T> T *child(const QString &name) { return screen::child<T>(m_screen.get(), name); }
    QPushButton *button(const QString &name) { return child<QPushButton>(name); }
    void click(const QString &name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void tick(const QString &product)
    {
        auto *list = child<QListWidget>("lstSalesItems");
        const auto items = list->findItems(product, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        items.first()->setCheckState(Qt::Checked);
    }
    void build()
    {
        m_catalog = std::make_unique<Catalog>(*m_data);
        m_settings = std::make_unique<BusinessSettings>(
            *m_data, m_state, [](const QByteArray &) { return std::optional<QSizeF>(); });
        m_settings->setProfile({"Pelmor Plumbing", "1 Main St", "", "Springfield", "IL", "62701",
                                "555-1234", "", ""});
        m_screen = std::make_unique<frmSalesReport>(*m_catalog, *m_settings, *m_data, m_prompts,
                                                    m_navigator, m_pages, m_clock);
        m_catalog->LoadAll();
        m_screen->show();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(m_dir->path() + "/Backup"));
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_prompts.clear();
        m_navigator.shown.clear();
        m_pages = RecordingPageSource();
        m_clock.set(QDateTime(QDate(2025, 1, 15), QTime(10, 0)));
        catalogbytes::Item bolt{"Bolt", "Hardware"}, nut{"Nut", "Hardware"};
        QVERIFY(testfiles::writeBytes(root() + "/PIInventoriedItems.txt",
                                      catalogbytes::item(bolt) + catalogbytes::item(nut)));
        QVERIFY(testfiles::writeBytes(root() + "/CustomItems.txt",
                                      catalogbytes::custom("Bolt", 1, 0, 0) +
                                          catalogbytes::custom("Arch", 1, 0, 0)));
        QVERIFY(testfiles::writeBytes(
            root() + "/SoldItems.txt",
            postedbytes::soldItem("Bolt", QDate(2024, 12, 1), "101", 2) +
                postedbytes::soldItem("Nut", QDate(2024, 12, 31), "102", 5) +
                postedbytes::soldItem("Bolt", QDate(2025, 1, 1), "103", 1) +
                postedbytes::soldItem("Bolt", QDate(2024, 11, 30), "100", 7)));
    }
    void cleanup()
    {
        m_screen.reset();
        m_settings.reset();
        m_catalog.reset();
        m_data.reset();
        m_dir.reset();
    }

    void exportWritesBothGrids()
    {
        build();
        ScriptedDesktop desktop;
        m_screen->setDesktop(desktop);
        tick("Bolt");
        tick("Nut");
        click("cmdIncome_3");
        desktop.saveAnswers.append(root() + "/sales.csv");
        click("cmdExportCsv");
        QCOMPARE(desktop.asked, QStringList{"Export to CSV|ItemSalesReport.csv"});
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(testfiles::readBytes(root() + "/sales.csv"),
                 QByteArray("\xEF\xBB\xBF" "Description,Date,Date (ISO),Invoice Number,Units Sold\r\n"
                            "Bolt,12/1/2024,2024-12-01,101,2\r\n"
                            "Nut,12/31/2024,2024-12-31,102,5\r\n"
                            "Bolt,1/1/2025,2025-01-01,103,1\r\n"
                            "Bolt,11/30/2024,2024-11-30,100,7\r\n"
                            "\r\n"
                            "Product Description,Units Sold\r\n"
                            "Bolt,10\r\n"
                            "Nut,5\r\n"));
    }

    void controlsAtLoad()
    {
        build();
        QMap<QString, QString> captions;
        for (const QString &name : {"cmdIncome_0", "cmdIncome_1", "cmdIncome_2", "cmdIncome_3", "cmdSales_0",
                                    "cmdSales_1", "cmdSales_2", "cmdSales_3", "cmdSales_4", "cmdSales_5"})
            captions.insert(name, button(name)->text() + '|' + button(name)->toolTip());
        QCOMPARE(captions, (QMap<QString, QString>{
                               {"cmdIncome_0", "&L M|Generates a Report for last Month"},
                               {"cmdIncome_1", "M&TD|Generates a Report for this Month"},
                               {"cmdIncome_2", "&YTD|Generates a Report for Current Year"},
                               {"cmdIncome_3", "&Eternity|Generates a Report for all time"},
                               {"cmdSales_0", "&Menu|"},
                               {"cmdSales_1", "Select All Products|"},
                               {"cmdSales_2", "Reset All Products|"},
                               {"cmdSales_3", "Load &Grid|"},
                               {"cmdSales_4", "Print Report|"},
                               {"cmdSales_5", "&Close Instructions Window|"}}));
        QVERIFY(!button("cmdSales_4")->isEnabled());
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2025, 1, 1));
        QCOMPARE(child<QDateEdit>("DTPicker1_1")->maximumDate(), QDate(2025, 1, 15));
        auto *list = child<QListWidget>("lstSalesItems");
        QStringList products;
        for (int row = 0; row < list->count(); ++row)
            products.append(list->item(row)->text());
        // "Bolt" stands in both catalog files: one tick counts it once.
        QCOMPARE(products, (QStringList{"Bolt", "Nut", "Arch"}));
    }

    void activationShowsLastThirtyDaysAndLoadsTicked()
    {
        build();
        tick("Bolt");
        m_screen->navigateTo();
        QCOMPARE(m_screen->windowTitle(), QStringLiteral("Item Sales Report for Pelmor Plumbing"));
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2024, 12, 16));
        QCOMPARE(child<QDateEdit>("DTPicker1_1")->date(), QDate(2025, 1, 15));
        QCOMPARE(column(child<QTableView>("fgSalesItems"), 2), QStringList{"103"});
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void lastMonthPresetLoadsBothEndsAndTotals()
    {
        build();
        tick("Bolt");
        tick("Nut");
        tick("Arch");
        click("cmdIncome_0");
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2024, 12, 1));
        QCOMPARE(child<QDateEdit>("DTPicker1_1")->date(), QDate(2024, 12, 31));
        auto *rows = child<QTableView>("fgSalesItems");
        QCOMPARE(column(rows, 0), (QStringList{"Bolt", "Nut"}));
        QCOMPARE(column(rows, 1), (QStringList{"12/1/2024", "12/31/2024"}));
        auto *totals = child<QTableView>("fgTotals");
        QCOMPARE(column(totals, 0), (QStringList{"Bolt", "Nut"}));
        QCOMPARE(column(totals, 1), (QStringList{"2", "5"}));
        QVERIFY(button("cmdSales_4")->isEnabled());
        QVERIFY(m_prompts.shown.isEmpty());

        click("cmdSales_4");
        RecordingPage *page = m_pages.last();
        QVERIFY(page);
        QVERIFY(page->texts().contains("Item Sales Report"));
        QVERIFY(page->texts().contains("Report Date Range: 12/1/2024 to 12/31/2024"));
        QVERIFY(page->texts().contains("Total Items Sold (This Date Range)"));
        QCOMPARE(page->of(RecordingPage::Kind::EndDocument).size(), 1);
        QVERIFY(!button("cmdSales_4")->isEnabled());

        click("cmdSales_2");
        QCOMPARE(rows->model()->rowCount(), 0);
        QCOMPARE(totals->model()->rowCount(), 0);
    }

    void loadWithoutTicksOrFile()
    {
        build();
        click("cmdIncome_3");
        QVERIFY(m_prompts.shown.isEmpty());
        click("cmdSales_1");
        QFile::remove(root() + "/SoldItems.txt");
        click("cmdSales_3");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("No Items Found"));
    }

    void typedEndBeforeStartIsCorrected()
    {
        build();
        m_screen->navigateTo();
        auto *end = child<QDateEdit>("DTPicker1_1");
        end->setFocus();
        end->setDate(QDate(2024, 12, 1));
        QTest::keyClick(end, Qt::Key_Return);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("Your Calendar Selection is Invalid"));
        QCOMPARE(end->date(), QDate(2024, 12, 16));
    }

    void printCancelledSaysSo()
    {
        build();
        tick("Bolt");
        click("cmdIncome_3");
        m_pages.answer = PageSource::Choice::Cancelled;
        click("cmdSales_4");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QStringLiteral("The Document will not be Printed"));
    }

    void deletingEverythingReturnsToTheMenu()
    {
        QVERIFY(testfiles::writeBytes(root() + "/Backup/SoldItems.txt", "old"));
        build();
        click("cmdIncome_3");
        m_prompts.answerNext(true);
        m_prompts.answerNext(true);
        m_screen->mnuDelete_Click();
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("This will delete ALL Sales Item Records dated\r\n1/1/2000 through "
                                "1/15/2025\r\nClick Yes to Delete"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Delete Sales Records"));
        QCOMPARE(m_prompts.shown.at(1).text, QStringLiteral("Are you Sure?"));
        QCOMPARE(m_prompts.shown.at(1).title, QStringLiteral("Delete Verification"));
        QVERIFY(!QFileInfo::exists(root() + "/SoldItems.txt"));
        QVERIFY(!QFileInfo::exists(root() + "/Backup/SoldItems.txt"));
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    }

    void deleteAnsweredNoKeepsEverything()
    {
        build();
        const QByteArray before = testfiles::readBytes(root() + "/SoldItems.txt");
        m_prompts.answerNext(true);
        m_prompts.answerNext(false);
        m_screen->mnuDelete_Click();
        QCOMPARE(testfiles::readBytes(root() + "/SoldItems.txt"), before);
        QVERIFY(m_navigator.shown.isEmpty());
    }

    void deleteKeepingRecordsRunsTheActivation()
    {
        build();
        tick("Bolt");
        click("cmdIncome_0");
        m_prompts.answerNext(true);
        m_prompts.answerNext(true);
        m_screen->mnuDelete_Click();
        QCOMPARE(posting::SoldItemRecord::decodeAll(testfiles::readBytes(root() + "/SoldItems.txt")).size(), 2);
        QCOMPARE(child<QDateEdit>("DTPicker1_0")->date(), QDate(2024, 12, 16));
        QVERIFY(m_navigator.shown.isEmpty());
    }

    void instructionsToggle()
    {
        build();
        auto *frame = child<QGroupBox>("fraInstructions");
        QVERIFY(!frame->isVisible());
        m_screen->mnuInstructions_Click();
        QVERIFY(frame->isVisible());
        m_screen->mnuInstructions_Click();
        QVERIFY(!frame->isVisible());
    }
};

QTEST_MAIN(tst_frmSalesReport)
#include "tst_frmsalesreport.moc"
