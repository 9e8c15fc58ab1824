#include "catalog/catalog.h"
#include "catalog/frmservices.h"
#include "catalogbytes.h"
#include "fakenavigator.h"
#include "screenaccess.h"
#include "core/datafolder.h"
#include "scriptedprompts.h"
#include "ui/navigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using namespace catalogbytes;

namespace {


QStringList rowOf(const QTableWidget *grid, int row)
{
    QStringList cells;
    for (int column = 0; column < grid->columnCount(); ++column)
        cells.append(grid->item(row, column) ? grid->item(row, column)->text() : QString());
    return cells;
}

QStringList headerOf(const QTableWidget *grid)
{
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column)
        texts.append(grid->horizontalHeaderItem(column)->text());
    return texts;
}

} // namespace

class tst_frmServices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Backup")));
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_prompts.clear();
        m_navigator.shown.clear();
    }
    void cleanup()
    {
        m_screen.reset();
        m_catalog.reset();
        m_data.reset();
        m_dir.reset();
    }

    void captionsAndToolTips_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        const auto row = [](int index, const char *caption, const char *toolTip) {
            QTest::addRow("%d", index)
                << index << QString::fromLatin1(caption) << QString::fromLatin1(toolTip);
        };
        row(0, "Menu", "Returns to the main menu");
        row(1, "Add New", "Allows addtion of an Item");
        row(2, "Delete Item", "Deletes this item from file");
        row(3, "Modify Item", "Make Changes to the current item");
        row(4, "Save", "Save the current item");
        row(5, "Clear", "Clears Description, and Charge");
        row(7, "Cancel Add New or Modify", "Cancels the current action");
        row(8, "Add New", "Alows addition of an item");
        row(9, "Modify Item", "Allows changes to the current selected item");
        row(10, "Delete Item", "removes the item from the grid");
        row(11, "Clear Item", "clears the description");
        row(13, "Save Sales Item", "Save the currently selected item");
        row(14, "Cancel Add New or Modify", "Cancels the current action");
        row(24, "Clear Prices", "Clears the cost, sell and discount prices");
        row(25, "No Discount", "Sets discount quantity to 0");
        row(12, "Create General Labor", "Sets 1st Heading to General Labor, enter Rate");
        row(15, "&Clear All", "Clears all Headings and Rates");
        row(16, "Reload from File", "Loads boxes with Labor Headings and Rates");
        row(17, "Save &Labor Rates", "Sets 1st Heading to Genereal Labor, enter Rate");
        row(18, "Add New", "Alows addition of an item");
        row(19, "Modify Item", "Allows changes to the current selected item");
        row(20, "Delete Item", "Deletes item from File");
        row(21, " Clear Item", "Clears the description, Price, Quantity and Discount At");
        row(22, "Save Custom Item", "Save the currently selected item");
        row(23, "Cancel Add New or Modify ", "cancels the current action");
    }
    void captionsAndToolTips()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        open();
        QCOMPARE(button(index)->text(), caption);
        QCOMPARE(button(index)->toolTip(), toolTip);
        QVERIFY(!m_screen->findChild<QPushButton *>(QStringLiteral("cmdServices_6")));
    }

    void screenLayout()
    {
        open();
        QCOMPARE(m_screen->windowTitle(), QStringLiteral("Services & Products Creation Screen"));
        auto *tabs = child<QTabWidget>("tabServices");
        QStringList captions;
        for (int i = 0; i < tabs->count(); ++i)
            captions.append(tabs->tabText(i));
        QCOMPARE(captions, (QStringList{"Services", "Inventoried Items", "Labor Rates",
                                        "Custom Items", "Instructions"}));
        QCOMPARE(headerOf(grid("fgServices")),
                 (QStringList{"Service Description", "Charge", "Allotted Time"}));
        QCOMPARE(headerOf(grid("fgItems")),
                 (QStringList{"Description", "Category", "Cost (Unit)", "Price", "On-Hand",
                              "Disc Price", "Disc Qty", "Reorder", "When At"}));
        QCOMPARE(headerOf(grid("fgCustom")),
                 (QStringList{"Description", "Price", "Discount Price", "Discount Qty"}));
        QCOMPARE(grid("fgItems")->horizontalHeaderItem(2)->textAlignment() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignRight));
        QCOMPARE(box("txtDescription_0")->toolTip(),
                 QStringLiteral("Enter the Description of the Service"));
        QCOMPARE(child<QListWidget>("lstTime")->count(), 33);
        QCOMPARE(child<QListWidget>("lstTime")->item(1)->text(), QStringLiteral("0:15"));
        QCOMPARE(box("txtDescription_0")->maxLength(), 60);
        QCOMPARE(box("txtDescription_1")->maxLength(), 50);
        QCOMPARE(child<QComboBox>("cboCategory")->lineEdit()->maxLength(), 20);
    }

    void entryFieldsCarryTheirToolTips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("service description") << "txtDescription_0"
                                             << "Enter the Description of the Service";
        QTest::newRow("service charge") << "txtCharge_0"
                                        << "Service Price";
        QTest::newRow("allotted time") << "lstTime"
                                       << "How Long to Perform this Service";
        QTest::newRow("item description") << "txtDescription_1"
                                          << "the items name";
        QTest::newRow("category") << "cboCategory"
                                  << "displays all categories for selection or enter new";
        QTest::newRow("keep category") << "ckClearItem"
                                       << "Category data remains constant when changing items";
        QTest::newRow("cost") << "txtCost"
                              << "Cost per Unit (what you pay)";
        QTest::newRow("sell price") << "txtCharge_1"
                                    << "Sell Price";
        QTest::newRow("on hand") << "txtOnHand"
                                 << "Currently On Hand (Units)";
        QTest::newRow("discount price") << "txtCharge_2"
                                        << "Quantity Discount Price";
        QTest::newRow("reorder amount") << "txtReorderAmount"
                                        << "Reorder (Units)";
        QTest::newRow("reorder at") << "txtReorderAt"
                                    << "when On Hand (Units) falls to:";
        QTest::newRow("custom sell price") << "txtCharge_3"
                                           << "Sell Price";
        QTest::newRow("custom discount price") << "txtCharge_4"
                                               << "Quantity Discount Price";
        QTest::newRow("custom discount quantity") << "txtCustomDiscItems"
                                                  << "Apply Quantity Discount when";
        QTest::newRow("labor heading") << "txtLabor_2"
                                       << "Labor Heading";
        QTest::newRow("labor rate") << "txtLaborRate_2"
                                    << "Hourly Rate";
    }
    void entryFieldsCarryTheirToolTips()
    {
        QFETCH(QString, name);
        QFETCH(QString, toolTip);
        open();
        QCOMPARE(child<QWidget>(name.toLatin1().constData())->toolTip(), toolTip);
    }

    void captionsBesideTheFields_data()
    {
        QTest::addColumn<QString>("text");
        for (const char *text :
             {"What will print on invoices", "Price applied when sell qty => Discount Qty",
              "Apply  Discount when", "or more Units Sold", "(Set to 0 to Disable)",
              "Reorder (Units)", "when On Hand (Units) falls to:", "Single Unit Sell Price",
              "Apply Quantity Discount when", "Labor Heading", "Hourly Rate"})
            QTest::newRow(text) << QString::fromLatin1(text);
    }
    void captionsBesideTheFields()
    {
        QFETCH(QString, text);
        open();
        QStringList captions;
        for (const QLabel *caption : m_screen->findChildren<QLabel *>())
            captions.append(caption->text());
        QVERIFY2(captions.contains(text), qPrintable(text));
    }

    void tabsTakeTheFocusAsWritten()
    {
        open();
        auto *tabs = child<QTabWidget>("tabServices");
        QCOMPARE(QApplication::focusWidget(), button(1));
        tabs->setCurrentIndex(1);
        QCOMPARE(QApplication::focusWidget(), button(8));
        tabs->setCurrentIndex(2);
        QCOMPARE(QApplication::focusWidget(), box("txtLabor_0"));
        tabs->setCurrentIndex(3);
        QCOMPARE(QApplication::focusWidget(), button(18));

        auto *image = child<QLabel>("Image1");
        QTest::mouseClick(image, Qt::LeftButton);
        QCOMPARE(tabs->currentIndex(), 4);
        QTest::mouseClick(image, Qt::LeftButton);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void entryStateFollowsAddCancelAndActivation()
    {
        write("/Services.txt", service(QStringLiteral("Alignment"), QStringLiteral("$80.00"), 4));
        open();
        QVERIFY(button(3)->isEnabled());
        QVERIFY(!button(9)->isEnabled());
        for (const char *name : {"txtDescription_1", "txtCharge_1", "txtCharge_2"})
            QVERIFY(!box(name)->isEnabled());

        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        box("txtCost")->setText(QStringLiteral("$2.00"));
        box("txtOnHand")->setText(QStringLiteral("9"));
        click(8);
        for (const char *name : {"txtDescription_1", "txtCharge_1", "txtCharge_2"})
            QVERIFY(box(name)->isEnabled());
        QVERIFY(button(13)->isEnabled());
        QVERIFY(button(11)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), box("txtDescription_1"));
        // Adding clears the entry but keeps the cost.
        QCOMPARE(box("txtOnHand")->text(), QString());
        QCOMPARE(box("txtCost")->text(), QStringLiteral("$2.00"));

        click(25);
        QCOMPARE(box("txtDiscountQty")->text(), QStringLiteral("0"));
        QCOMPARE(box("txtCharge_2")->text(), QStringLiteral("$0.00"));
        click(14);
        QVERIFY(!box("txtDescription_1")->isEnabled());
        QVERIFY(!button(13)->isEnabled());
        QVERIFY(!button(11)->isEnabled());
        QCOMPARE(box("txtDiscountQty")->text(), QString());

        // Leaving in the middle of a change does not leave the grid locked.
        child<QTabWidget>("tabServices")->setCurrentIndex(0);
        grid("fgServices")->selectRow(0);
        click(3);
        QVERIFY(!grid("fgServices")->isEnabled());
        m_screen->Form_Activate();
        QVERIFY(grid("fgServices")->isEnabled());
        QVERIFY(!box("txtDescription_0")->isEnabled());
        QCOMPARE(child<QTabWidget>("tabServices")->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), button(1));
    }

    void typedCatalogIsWrittenExactly()
    {
        open();
        // A service.
        click(1);
        type("txtDescription_0", "Brake inspection");
        type("txtCharge_0", "45");
        child<QListWidget>("lstTime")->setCurrentRow(4);
        click(4);
        QCOMPARE(rowOf(grid("fgServices"), 0), (QStringList{"Brake inspection", "$45.00", "1:00"}));
        QVERIFY(!box("txtDescription_0")->isEnabled());

        // A sales item with volume pricing.
        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        click(8);
        type("txtDescription_1", "Oil filter");
        child<QComboBox>("cboCategory")->setEditText(QStringLiteral("Filters"));
        type("txtCost", "3.5");
        type("txtCharge_1", "7.25");
        type("txtOnHand", "40");
        type("txtCharge_2", "6.5");
        type("txtDiscountQty", "12");
        type("txtReorderAmount", "24");
        type("txtReorderAt", "6");
        QCOMPARE(box("txtCost")->text(), QStringLiteral("$3.50"));
        click(13);
        QCOMPARE(rowOf(grid("fgItems"), 0), (QStringList{"Oil filter", "Filters", "$3.50", "$7.25",
                                                         "40", "$6.50", "12", "24", "6"}));
        QCOMPARE(m_catalog->categories(), QStringList{QStringLiteral("Filters")});

        // A custom item.
        child<QTabWidget>("tabServices")->setCurrentIndex(3);
        click(18);
        type("txtDescription_2", "Vinyl banner");
        type("txtCharge_3", "80");
        type("txtCharge_4", "72.5");
        type("txtCustomDiscItems", "5");
        click(22);
        QCOMPARE(rowOf(grid("fgCustom"), 0),
                 (QStringList{"Vinyl banner", "$80.00", "$72.50", "5"}));

        // Labor rates.
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        QCOMPARE(box("txtLabor_0")->text(), QStringLiteral("General Labor"));
        QCOMPARE(box("txtLaborRate_0")->text(), QStringLiteral("$0.00"));
        type("txtLaborRate_0", "35");
        type("txtLabor_1", "Welding");
        type("txtLaborRate_1", "55.5");
        QTest::keyClick(box("txtLaborRate_1"), Qt::Key_Tab);
        QCOMPARE(box("txtLaborRate_1")->text(), QStringLiteral("$55.50"));
        click(17);
        QCOMPARE(child<QTabWidget>("tabServices")->currentIndex(), 0);

        click(0);
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
        QVERIFY(m_prompts.shown.isEmpty());

        const QByteArray services =
            service(QStringLiteral("Brake inspection"), QStringLiteral("$45.00"), 4);
        const QByteArray items = item({QStringLiteral("Oil filter"), QStringLiteral("Filters"),
                                       3'5000, 7'2500, 40, 6'5000, 12, 24, 6});
        const QByteArray customs = custom(QStringLiteral("Vinyl banner"), 80'0000, 72'5000, 5);
        const QByteArray labor("\"General Labor\",\"$35.00\"\r\n"
                               "\"Welding\",\"$55.50\"\r\n"
                               "\"\",\"$0.00\"\r\n");
        QCOMPARE(read("/Services.txt"), services);
        QCOMPARE(read("/PIInventoriedItems.txt"), items);
        QCOMPARE(read("/CustomItems.txt"), customs);
        QCOMPARE(read("/Labor.txt"), labor);

        // Read back by a new run and saved again, nothing changes.
        m_screen.reset();
        m_catalog.reset();
        open();
        QCOMPARE(rowOf(grid("fgItems"), 0), (QStringList{"Oil filter", "Filters", "$3.50", "$7.25",
                                                         "40", "$6.50", "12", "24", "6"}));
        QCOMPARE(box("txtLaborRate_1")->text(), QStringLiteral("$55.50"));
        click(0);
        click(17);
        QCOMPARE(read("/Services.txt"), services);
        QCOMPARE(read("/PIInventoriedItems.txt"), items);
        QCOMPARE(read("/CustomItems.txt"), customs);
        QCOMPARE(read("/Labor.txt"), labor);
    }

    void zeroPriceIsReplacedByTypingButNotByTab()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        click(8);
        click(24);
        QCOMPARE(box("txtCharge_1")->text(), QStringLiteral("$0.00"));
        QCOMPARE(QApplication::focusWidget(), box("txtCost"));
        QTest::keyClick(box("txtCost"), Qt::Key_Tab);
        QCOMPARE(box("txtCost")->text(), QStringLiteral("$0.00"));
        box("txtCharge_1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box("txtCharge_1"), Qt::Key_Left);
        QCOMPARE(box("txtCharge_1")->text(), QStringLiteral("$0.00"));
        QTest::keyClicks(box("txtCharge_1"), QStringLiteral("12"));
        QCOMPARE(box("txtCharge_1")->text(), QStringLiteral("12"));
        QTest::keyClick(box("txtCharge_1"), Qt::Key_Tab);
        QCOMPARE(box("txtCharge_1")->text(), QStringLiteral("$12.00"));
    }

    void discountPriceLeftEmptyOrWrongTakesTheSellPrice()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        click(8);
        type("txtCharge_1", "9.5");
        box("txtCharge_2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box("txtCharge_2"), Qt::Key_Tab);
        QCOMPARE(box("txtCharge_2")->text(), QStringLiteral("$9.50"));
        QCOMPARE(m_prompts.beeps, 1);
        box("txtCharge_2")->setText(QStringLiteral("."));
        box("txtCharge_2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box("txtCharge_2"), Qt::Key_Tab);
        QCOMPARE(box("txtCharge_2")->text(), QStringLiteral("$9.50"));
    }

    void sellPriceLeftEmptyBecomesZeroAndKeepsTheCursor()
    {
        open();
        click(1);
        box("txtCharge_0")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box("txtCharge_0"), Qt::Key_Tab);
        QCOMPARE(box("txtCharge_0")->text(), QStringLiteral("$0.00"));
        QCOMPARE(QApplication::focusWidget(), box("txtCharge_0"));
        QCOMPARE(m_prompts.beeps, 1);
    }

    void salesItemChecks_data()
    {
        QTest::addColumn<QString>("onHand");
        QTest::addColumn<QString>("reorderAt");
        QTest::addColumn<QString>("discountQty");
        QTest::addColumn<QString>("shownOnHand");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");
        QTest::newRow("on hand not a number") << "abc"
                                              << ""
                                              << "1"
                                              << "0"
                                              << "txtOnHand"
                                              << "";
        QTest::newRow("on hand beyond its field")
            << "40000"
            << ""
            << "1"
            << "40000"
            << "txtOnHand"
            << "On Hand must be a whole number from -32768 to 32767";
        QTest::newRow("reorder level beyond its field")
            << "5"
            << "70000"
            << "1"
            << "5"
            << "txtReorderAt"
            << "Reorder At must be a whole number from -32768 to 32767";
        QTest::newRow("discount quantity not a number")
            << "5"
            << ""
            << "x"
            << "5"
            << "txtDiscountQty"
            << "Discount Qty must be a whole number from -2147483648 to 2147483647";
    }
    void salesItemChecks()
    {
        QFETCH(QString, onHand);
        QFETCH(QString, reorderAt);
        QFETCH(QString, discountQty);
        QFETCH(QString, shownOnHand);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        click(8);
        type("txtDescription_1", "Gasket");
        type("txtCharge_1", "2");
        type("txtCharge_2", "2");
        box("txtOnHand")->setText(onHand);
        box("txtReorderAt")->setText(reorderAt);
        box("txtDiscountQty")->setText(discountQty);
        m_prompts.clear();
        click(13);
        QCOMPARE(grid("fgItems")->rowCount(), 0);
        QCOMPARE(box("txtOnHand")->text(), shownOnHand);
        QCOMPARE(QApplication::focusWidget(), box(focus));
        QCOMPARE(m_prompts.beeps, 1);
        QCOMPARE(m_prompts.shown.isEmpty() ? QString() : m_prompts.shown.first().text, message);
    }

    void emptyCostIsSavedAsZero()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        click(8);
        type("txtDescription_1", "Gasket");
        type("txtCharge_1", "2");
        type("txtCharge_2", "1.5");
        type("txtOnHand", "3");
        box("txtCost")->clear();
        click(13);
        QCOMPARE(rowOf(grid("fgItems"), 0),
                 (QStringList{"Gasket", "", "$0.00", "$2.00", "3", "$1.50", "0", "0", "0"}));
        QCOMPARE(box("txtCost")->text(), QStringLiteral("$0.00"));
    }

    void serviceChargeTooLongForItsFieldIsRefused()
    {
        open();
        click(1);
        type("txtDescription_0", "Engine rebuild");
        box("txtCharge_0")->setText(QStringLiteral("100000"));
        click(4);
        QCOMPARE(grid("fgServices")->rowCount(), 0);
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY(m_prompts.shown.first().text.contains(QStringLiteral("$100,000.00")));
    }

    void modifyingOneKindDoesNotOverwriteAnother()
    {
        write("/Services.txt", service(QStringLiteral("Alignment"), QStringLiteral("$80.00"), 4));
        write("/PIInventoriedItems.txt",
              item({QStringLiteral("Wiper"), QStringLiteral("Parts"), 0, 5'0000, 3, 5'0000, 0}));
        open();
        grid("fgServices")->selectRow(0);
        click(3);
        QVERIFY(!grid("fgServices")->isEnabled());
        QCOMPARE(box("txtDescription_0")->text(), QStringLiteral("Alignment"));

        child<QTabWidget>("tabServices")->setCurrentIndex(1);
        click(8);
        type("txtDescription_1", "Bulb");
        type("txtCharge_1", "1");
        type("txtCharge_2", "1");
        type("txtOnHand", "8");
        click(13);
        QCOMPARE(grid("fgItems")->rowCount(), 2);
        QCOMPARE(rowOf(grid("fgItems"), 0).at(0), QStringLiteral("Wiper"));
        QCOMPARE(rowOf(grid("fgItems"), 1).at(0), QStringLiteral("Bulb"));

        child<QTabWidget>("tabServices")->setCurrentIndex(0);
        box("txtCharge_0")->setText(QStringLiteral("85"));
        click(4);
        QCOMPARE(grid("fgServices")->rowCount(), 1);
        QCOMPARE(rowOf(grid("fgServices"), 0), (QStringList{"Alignment", "$85.00", "1:00"}));
        QVERIFY(grid("fgServices")->isEnabled());
    }

    void changeSurvivesAReloadOfItsGrid()
    {
        const QByteArray first = service(QStringLiteral("Wash"), QStringLiteral("$1.00"), 1);
        write("/Services.txt", first + service(QStringLiteral("Wash"), QStringLiteral("$2.00"), 1));
        write("/CustomItems.txt", custom(QStringLiteral("Sign"), 1'0000, 1'0000, 0) +
                                      custom(QStringLiteral("Tag"), 1'0000, 1'0000, 0));
        open();
        grid("fgServices")->selectRow(1);
        click(3);
        box("txtCharge_0")->setText(QStringLiteral("$5.00"));

        // Deleting elsewhere saves and reads every file again.
        child<QTabWidget>("tabServices")->setCurrentIndex(3);
        grid("fgCustom")->selectRow(0);
        m_prompts.answerNext(true);
        click(20);

        child<QTabWidget>("tabServices")->setCurrentIndex(0);
        click(4);
        QCOMPARE(rowOf(grid("fgServices"), 0), (QStringList{"Wash", "$1.00", "0:15"}));
        QCOMPARE(rowOf(grid("fgServices"), 1), (QStringList{"Wash", "$5.00", "0:15"}));
    }

    void deleteNeedsASelectedRowAndNoOpenEntry()
    {
        write("/CustomItems.txt", custom(QStringLiteral("Sign"), 1'0000, 1'0000, 0));
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(3);
        QVERIFY(!button(20)->isEnabled());
        grid("fgCustom")->selectRow(0);
        QVERIFY(button(20)->isEnabled());
        QVERIFY(button(19)->isEnabled());
        click(18);
        QVERIFY(!button(20)->isEnabled());
        grid("fgCustom")->selectRow(0);
        QVERIFY(!button(20)->isEnabled());
        click(23);

        grid("fgCustom")->clearSelection();
        m_prompts.clear();
        button(19)->click();
        QCOMPARE(m_prompts.beeps, 1);
        QVERIFY(!box("txtDescription_2")->isEnabled());
    }

    void deletingAskesAndRewritesOrRemovesTheFile()
    {
        const QByteArray a = service(QStringLiteral("A"), QStringLiteral("$1.00"), 1);
        const QByteArray b = service(QStringLiteral("B"), QStringLiteral("$2.00"), 1);
        write("/Services.txt", b + a);
        write("/Backup/Services.txt", b + a);
        open();

        grid("fgServices")->selectRow(1);
        m_prompts.answerNext(false);
        click(2);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).kind, QStringLiteral("ask"));
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("This will DELETE the Selected Service"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Delete Service Item"));
        QCOMPARE(read("/Services.txt"), b + a);

        m_prompts.answerNext(true);
        click(2);
        QCOMPARE(read("/Services.txt"), a);
        QVERIFY(!QFileInfo::exists(m_dir->path() + "/Backup/Services.txt"));
        QVERIFY(!button(2)->isEnabled());
        QCOMPARE(grid("fgServices")->rowCount(), 1);

        write("/Backup/Services.txt", a);
        grid("fgServices")->selectRow(0);
        QVERIFY(button(2)->isEnabled());
        m_prompts.clear();
        m_prompts.answerNext(true);
        click(2);
        QCOMPARE(m_prompts.shown.size(), 1);
        QVERIFY(!QFileInfo::exists(m_dir->path() + "/Services.txt"));
        QVERIFY(!QFileInfo::exists(m_dir->path() + "/Backup/Services.txt"));
        QCOMPARE(grid("fgServices")->rowCount(), 0);
    }

    void deleteQuestionsPerTab_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("sales item") << 1 << 10 << "fgItems"
                                    << "This will DELETE the Selected Sales Item"
                                    << "Delete Sales Item";
        QTest::newRow("custom item") << 3 << 20 << "fgCustom"
                                     << "This will DELETE the Selected Custom Item"
                                     << "Delete Sales Item";
    }
    void deleteQuestionsPerTab()
    {
        QFETCH(int, tab);
        QFETCH(int, button);
        QFETCH(QString, gridName);
        QFETCH(QString, text);
        QFETCH(QString, title);
        write("/PIInventoriedItems.txt", item({QStringLiteral("Wiper"), QString(), 0, 1, 1, 1, 0}));
        write("/CustomItems.txt", custom(QStringLiteral("Sign"), 1, 1, 0));
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(tab);
        grid(gridName)->selectRow(0);
        m_prompts.answerNext(false);
        click(button);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, text);
        QCOMPARE(m_prompts.shown.at(0).title, title);
        QCOMPARE(grid(gridName)->rowCount(), 1);
    }

    // After a delete the grid highlights the row that took the deleted one's place;
    // a click on it must offer it for deleting and changing again.
    void clickOnTheHighlightedRowSelectsIt_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<int>("deleteButton");
        QTest::addColumn<int>("modifyButton");
        QTest::newRow("services") << 0 << "fgServices" << 2 << 3;
        QTest::newRow("sales items") << 1 << "fgItems" << 10 << 9;
        QTest::newRow("custom items") << 3 << "fgCustom" << 20 << 19;
    }
    void clickOnTheHighlightedRowSelectsIt()
    {
        QFETCH(int, tab);
        QFETCH(QString, gridName);
        QFETCH(int, deleteButton);
        QFETCH(int, modifyButton);
        QByteArray services;
        QByteArray items;
        QByteArray customs;
        for (const char *name : {"A", "B", "C"}) {
            services += service(QLatin1String(name), QStringLiteral("$1.00"), 1);
            items += item({QLatin1String(name), QLatin1String(name), 0, 1'0000, 1, 1'0000, 0});
            customs += custom(QLatin1String(name), 1'0000, 1'0000, 0);
        }
        write("/Services.txt", services);
        write("/PIInventoriedItems.txt", items);
        write("/CustomItems.txt", customs);
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(tab);
        QTableWidget *table = grid(gridName);
        const auto clickRow = [table](int row) {
            const QRect cell = table->visualRect(table->model()->index(row, 0));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        };
        clickRow(0);
        QVERIFY(button(deleteButton)->isEnabled());
        m_prompts.answerNext(true);
        click(deleteButton);
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(!button(deleteButton)->isEnabled());

        clickRow(0);
        QVERIFY(button(deleteButton)->isEnabled());
        click(modifyButton);
        QCOMPARE(child<QLineEdit>(tab == 0   ? "txtDescription_0"
                                  : tab == 1 ? "txtDescription_1"
                                             : "txtDescription_2")
                     ->text(),
                 QStringLiteral("B"));
    }

    void tabLeavesTheGrid()
    {
        write("/Services.txt", service(QStringLiteral("A"), QStringLiteral("$1.00"), 1) +
                                   service(QStringLiteral("B"), QStringLiteral("$2.00"), 1));
        open();
        QTableWidget *table = grid("fgServices");
        table->setFocus(Qt::TabFocusReason);
        table->setCurrentCell(0, 0);
        QTest::keyClick(table, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>("lstTime"));
    }

    void saveLaborRatesWritesTheDefaultsWhenAsked()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        click(17);
        QCOMPARE(read("/Labor.txt"), QByteArray("\"General Labor\",\"$0.00\"\r\n"
                                                "\"\",\"$0.00\"\r\n\"\",\"$0.00\"\r\n"));
        QVERIFY(button(16)->isEnabled());
    }

    void laborRateIsRequiredOnlyUnderAHeading()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        click(15);
        QCOMPARE(QApplication::focusWidget(), box("txtLabor_0"));
        // Two empty rows: the cursor passes through without a word.
        box("txtLaborRate_1")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box("txtLaborRate_1"), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(QApplication::focusWidget(), box("txtLaborRate_2"));

        click(12);
        QCOMPARE(box("txtLabor_0")->text(), QStringLiteral("General Labor"));
        QCOMPARE(QApplication::focusWidget(), box("txtLaborRate_0"));
        QTest::keyClick(box("txtLaborRate_0"), Qt::Key_Tab);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("Labor Rate must be greater than Zero"));
        QCOMPARE(m_prompts.shown.at(0).title, QStringLiteral("Pelmor Invoicer"));
        QCOMPARE(QApplication::focusWidget(), box("txtLaborRate_0"));

        // Two rows with headings and no rates: one message, and the cursor stays put.
        box("txtLabor_1")->setText(QStringLiteral("Overtime"));
        m_prompts.clear();
        box("txtLaborRate_1")->setFocus(Qt::MouseFocusReason);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(QApplication::focusWidget(), box("txtLaborRate_0"));
        QCOMPARE(box("txtLaborRate_1")->text(), QString());
    }

    void laborHeadingRefusesTheQuote()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        box("txtLabor_1")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box("txtLabor_1"), QStringLiteral("Sign \"A\""));
        QCOMPARE(box("txtLabor_1")->text(), QStringLiteral("Sign A"));
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("This character, (\") is invalid for this field"));
    }

    void reloadFromFileFollowsTheFile()
    {
        open();
        QVERIFY(!button(16)->isEnabled());
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        type("txtLaborRate_0", "20");
        click(17);
        QVERIFY(button(16)->isEnabled());
        box("txtLabor_0")->setText(QStringLiteral("Changed"));
        click(16);
        QCOMPARE(box("txtLabor_0")->text(), QStringLiteral("General Labor"));
        QCOMPARE(m_catalog->laborHeading(0), QStringLiteral("General Labor"));
    }

    void closeBoxSavesEverythingAndAsksToEnd()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(3);
        click(18);
        type("txtDescription_2", "Decal");
        type("txtCharge_3", "4");
        type("txtCharge_4", "4");
        click(22);
        QSignalSpy ending(m_screen.get(), &Screen::closeRequested);
        m_screen->close();
        QCOMPARE(ending.size(), 1);
        QCOMPARE(read("/CustomItems.txt"), custom(QStringLiteral("Decal"), 4'0000, 4'0000, 0));
        // The untouched defaults of an absent labor file leave no file behind.
        QVERIFY(!QFileInfo::exists(m_dir->path() + "/Labor.txt"));
    }

    void closeBoxSavesChangedLaborRates()
    {
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        type("txtLaborRate_0", "20");
        QSignalSpy ending(m_screen.get(), &Screen::closeRequested);
        m_screen->close();
        QCOMPARE(ending.size(), 1);
        QCOMPARE(read("/Labor.txt"), QByteArray("\"General Labor\",\"$20.00\"\r\n"
                                                "\"\",\"$0.00\"\r\n\"\",\"$0.00\"\r\n"));
    }

    void menuWithAnUnreadableFileReportsOnceAndReturns()
    {
        // A pipe is there but cannot be read; reading it would wait for a writer.
        const QString fifo = m_dir->path() + "/Services.txt";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        open();
        click(1);
        type("txtDescription_0", "Brake inspection");
        type("txtCharge_0", "45");
        click(4);
        m_prompts.clear();
        click(0);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QStringLiteral("The file \"/Services.txt\" could not be written."));
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
        QVERIFY(!QFileInfo(fifo).isFile());
        QVERIFY(QFileInfo::exists(fifo));
    }

    // A button started with Alt and its letter leaves the box first, as a click does.
    void commandKeyLeavesTheBoxFirst_data()
    {
        QTest::addColumn<bool>("altKey");
        QTest::newRow("Alt+L") << true;
        QTest::newRow("click") << false;
    }
    void commandKeyLeavesTheBoxFirst()
    {
        QFETCH(bool, altKey);
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(2);
        click(12);
        QCOMPARE(QApplication::focusWidget(), box("txtLaborRate_0"));
        QTest::keyClicks(box("txtLaborRate_0"), QStringLiteral("35"));

        if (altKey)
            QTest::keyClick(box("txtLaborRate_0"), Qt::Key_L, Qt::AltModifier);
        else
            click(17);

        QTRY_COMPARE(read("/Labor.txt"), QByteArray("\"General Labor\",\"$35.00\"\r\n"
                                                    "\"\",\"\"\r\n\"\",\"\"\r\n"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void enterPressesTheFocusedButton()
    {
        open();
        button(1)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button(1), Qt::Key_Return);
        QVERIFY(box("txtDescription_0")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), box("txtDescription_0"));
    }

    // Tab goes through the entry boxes as they read.
    void tabFollowsReadingOrder_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("addButton");
        QTest::addColumn<QStringList>("chain");

        // After the allotted time comes Save: Space on "Add New" would wipe the entry.
        QTest::newRow("Services") << 0 << 1
                                  << QStringList{"txtDescription_0", "txtCharge_0", "lstTime",
                                                 "cmdServices_4"};
        // Down the prices column, then down the stock column.
        QTest::newRow("Inventoried Items")
            << 1 << 8
            << QStringList{"txtDescription_1", "txtCost",     "txtCharge_1", "txtCharge_2",
                           "cboCategory",      "ckClearItem", "txtOnHand",   "txtDiscountQty",
                           "txtReorderAmount", "txtReorderAt", "cmdServices_13"};
        QTest::newRow("Custom Items")
            << 3 << 18
            << QStringList{"txtDescription_2", "txtCharge_3", "txtCharge_4",
                           "txtCustomDiscItems", "cmdServices_22"};
    }
    void tabFollowsReadingOrder()
    {
        QFETCH(int, tab);
        QFETCH(int, addButton);
        QFETCH(QStringList, chain);
        open();
        child<QTabWidget>("tabServices")->setCurrentIndex(tab);
        click(addButton);
        for (const char *name :
             {"txtCharge_0", "txtCost", "txtCharge_1", "txtCharge_2", "txtCharge_3", "txtCharge_4"})
            box(QLatin1String(name))->setText(QStringLiteral("$1.00"));
        for (const char *name :
             {"txtOnHand", "txtDiscountQty", "txtReorderAmount", "txtCustomDiscItems"})
            box(QLatin1String(name))->setText(QStringLiteral("1"));

        QStringList seen{QApplication::focusWidget()->objectName()};
        while (seen.size() < chain.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, chain);
        QVERIFY(m_prompts.shown.isEmpty());
    }

private:
    void open()
    {
        m_catalog = std::make_unique<Catalog>(*m_data);
        m_screen = std::make_unique<frmServices>(*m_catalog, m_prompts, m_navigator);
        m_screen->navigateTo();
        QApplication::setActiveWindow(m_screen.get());
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        m_screen->Form_Activate();
    }
    template <typename T> T *child(const char *name) const
    {
        return screen::child<T>(m_screen.get(), QLatin1String(name));
    }
    QPushButton *button(int index) const
    {
        return child<QPushButton>(
            QStringLiteral("cmdServices_%1").arg(index).toLatin1().constData());
    }
    QLineEdit *box(const QString &name) const
    {
        return child<QLineEdit>(name.toLatin1().constData());
    }
    QTableWidget *grid(const QString &name) const
    {
        return child<QTableWidget>(name.toLatin1().constData());
    }
    // A click as the operator makes it: the button takes the focus first.
    void click(int index) { QTest::mouseClick(button(index), Qt::LeftButton); }
    // Types into a box reached with Tab, then leaves it with Tab.
    void type(const QString &name, const QString &text)
    {
        QLineEdit *target = box(name);
        target->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Tab);
    }
    void write(const QString &relative, const QByteArray &bytes)
    {
        QFile file(m_dir->path() + relative);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &relative) const
    {
        QFile file(m_dir->path() + relative);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<Catalog> m_catalog;
    std::unique_ptr<frmServices> m_screen;
    ScriptedPrompts m_prompts;
    FakeNavigator m_navigator;
};

QTEST_MAIN(tst_frmServices)
#include "tst_frmservices.moc"
