#include "catalogbytes.h"
#include "core/appstate.h"
#include "core/clock.h"
#include "fakeplatform.h"
#include "invoiceroad.h"
#include "screenaccess.h"
#include "scriptedprompts.h"
#include "startup/pelmormastermodule.h"
#include "testfiles.h"
#include "ui/screen.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using Target = Navigator::Target;

namespace {

QByteArray catalogFiles(const QString &name)
{
    using namespace catalogbytes;
    if (name == "/Services.txt")
        return service("Leak repair", "$120.00", 0) + service("Drain cleaning", "$85.00", 0) +
               service("Leach field", "$300.00", 0);
    if (name == "/PIInventoriedItems.txt")
        return item({"Faucet", "Fixtures", 0, 499900, 4, 0, 0}) +
               item({"Washer", "Parts", 0, 15000, 100, 10000, 10}) +
               item({"Wax ring", "Parts", 0, 40000, 10, 0, 0});
    return custom("Custom shelf", 12300, 10000, 5) + custom("Cabinet", 2500000, 0, 0);
}

} // namespace

class TestFrmInvoice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString root = m_dir->path();
        for (const char *name : {"/Services.txt", "/PIInventoriedItems.txt", "/CustomItems.txt"})
            QVERIFY(testfiles::writeBytes(root + name, catalogFiles(name)));
        QVERIFY(testfiles::writeBytes(root + "/Labor.txt",
                                      "\"General Labor\",\"$45.00\"\r\n\"\",\"\"\r\n"
                                      "\"Welding\",\"$60.00\"\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/TaxSettings.txt",
                                      "\"Sales Tax\",\"County Tax\",\"4.0\",\"1.5\",1,1\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/PelmorInvoicerSettings.txt",
                                      "1,1,0,1,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/StatementTerms.txt",
                                      "Payment due in Full within 15 Days\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/MyBusinessData.txt",
                                      "\"Acme\",\"1 Pipe Rd\",\"\",\"Springfield\",\"IL\",\"62701\","
                                      "\"555-1234\",\"\",\"\"\r\n"));
        m_prompts.clear();
        m_program = std::make_unique<PelmorMasterModule>(root, m_prompts, m_clock, fakeplatform::make());
        m_program->setQuit([] {});
        QVERIFY(m_program->Main());
        SoldTo &soldTo = m_program->invoice().soldTo();
        soldTo = SoldTo{"Nia Moss", "4 Elm St", "Apt 2", "Springfield", "IL", "62704", "555-0101", "N1"};
        QVERIFY(m_program->show(Target::Invoice, m_program->screen(Target::MainMenu)));
        m_screen = m_program->screen(Target::Invoice);
        QVERIFY(m_screen && m_screen->isVisible());
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
        m_prompts.clear();
    }

    void cleanup()
    {
        if (m_program)
            m_program->ExitApplication();
        m_program.reset();
    }

    void activationSetsUpANewInvoice()
    {
        QCOMPARE(m_screen->windowTitle(), QString("Invoice Creation"));
        QCOMPARE(text("txtInvoiceNo"), QString("20260001"));
        QCOMPARE(testfiles::readBytes(m_dir->path() + "/PIInvoiceNo.txt"), QByteArray("20260001\r\n"));
        QCOMPARE(button("cmdInvoice_0")->text(), QString("Continue......"));
        QCOMPARE(button("cmdInvoice_0")->toolTip(), QString("Create this Invoice"));
        QVERIFY(label("lblInvoiceNo")->isVisible());
        QVERIFY(button("cmdInvoice_2")->isEnabled());
        QVERIFY(!box("txtInvoiceNo")->isReadOnly());
        QCOMPARE(child<QDateEdit>("DTShip")->date(), QDate(2026, 3, 14));
        QCOMPARE(child<QDateEdit>("DTPicker1")->date(), QDate(2026, 3, 14));
        QCOMPARE(label("lblTax")->text(), QString("Sales Tax"));
        QCOMPARE(label("lblTax2")->text(), QString("County Tax"));
        QVERIFY(child<QCheckBox>("ck2ndTax")->isEnabled());
        QVERIFY(child<QCheckBox>("ck2ndTax")->isChecked());
        QVERIFY(button("cmdAddDiscount")->isEnabled());
        QVERIFY(!button("cmdInvoiceContinue")->isEnabled());
        QVERIFY(!label("lblDiscountPrice")->isVisible());
        QVERIFY(child<QGroupBox>("fraSetup")->isVisible());
        QVERIFY(child<QGroupBox>("fraInstructions_0")->isVisible());
        QVERIFY(!child<QGroupBox>("fraTemplates")->isVisible());
        // The default terms become the text and select their own entry, adding none.
        QCOMPARE(child<QComboBox>("cboTerms")->count(), 11);
        QCOMPARE(child<QComboBox>("cboTerms")->currentIndex(), 2);
        QCOMPARE(child<QComboBox>("cboShipping")->count(), 10);
        // The discount lists show the settings file's default discount.
        QCOMPARE(child<QComboBox>("cboDiscount")->currentText(), QString("0.0"));
        QCOMPARE(child<QComboBox>("cboDays")->currentText(), QString("0"));
        const QStringList soldTo{"Nia Moss", "4 Elm St", "Apt 2", "Springfield", "IL", "62704"};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(label(QString("lblCustomer_%1").arg(i))->text(), soldTo.at(i % 6));
        QCOMPARE(label("lblAcct")->text(), QString("N1"));
        QCOMPARE(label("lblAcctNo")->text(), QString("N1"));
        QCOMPARE(label("lblLaborHeading_0")->text(), QString("General Labor at $45.00 per Hour"));
        QVERIFY(!label("lblLaborHeading_1")->isVisibleTo(m_screen));
        QCOMPARE(label("lblLaborHeading_2")->text(), QString("Welding at $60.00 per Hour"));
        QCOMPARE(m_screen->focusWidget(), box("txtShipto_6"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void startButtonChecksTheNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << "You have not entered an Invoice Number";
        QTest::newRow("used by a completed invoice")
            << "20250007"
            << "Invoice Number 20250007 is already used by a completed invoice.\r\n"
               "Enter another Invoice Number";
        QTest::newRow("not a whole number")
            << "12.5"
            << "The Invoice Number \"12.5\" cannot be used.\r\n"
               "Enter a whole number from 1 to 2147483646";
        QTest::newRow("accepted") << "20260001" << "";
    }

    void startButtonChecksTheNumber()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/CompletedInvoices/20250007.txt", "x"));
        box("txtInvoiceNo")->setText(number);
        screen::click(button("cmdInvoice_0"));
        if (message.isEmpty()) {
            QVERIFY(m_prompts.shown.isEmpty());
            QCOMPARE(text("txtReference"), QString("Prepared 3/14/2026"));
            QVERIFY(child<QTableView>("fgInvoice")->isVisible());
            QVERIFY(child<QGroupBox>("fraInstructions_1")->isVisible());
            QVERIFY(button("cmdTemplate_2")->isEnabled());
            QVERIFY(!button("cmdPrint")->isVisible());
        } else {
            QCOMPARE(m_prompts.shown.size(), 1);
            QCOMPARE(m_prompts.shown.at(0).text, message);
            QCOMPARE(m_prompts.shown.at(0).title, QString("Pelmor Invoicer"));
            QCOMPARE(m_screen->focusWidget(), box("txtInvoiceNo"));
            QCOMPARE(text("txtReference"), QString());
        }
    }

    void everyLineKindReachesTheGrid()
    {
        start();
        child<QCheckBox>("ckApplyVolumeDiscount")->setChecked(true);

        // Services, by type-ahead: the completed tail is selected and the price follows.
        trigger("mnuServices");
        QLineEdit *service = combo("cboDescription_0")->lineEdit();
        QTest::keyClicks(service, "Lea");
        QCOMPARE(service->text(), QString("Leach field"));
        QCOMPARE(service->selectedText(), QString("ch field"));
        QTest::keyClicks(service, "k");
        QCOMPARE(service->text(), QString("Leak repair"));
        QCOMPARE(combo("cboPrice_0")->currentText(), QString("$120.00"));
        screen::click(button("cmdPost_0"));
        // After a post the list offers its first entry again.
        QCOMPARE(combo("cboDescription_0")->currentText(), QString("Drain cleaning"));
        QCOMPARE(combo("cboPrice_0")->currentText(), QString("$85.00"));

        // Inventoried items of one category, at the volume price.
        trigger("mnuItems");
        QListWidget *categories = child<QListWidget>("lstCategories");
        QCOMPARE(categories->count(), 3);
        QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                          categories->visualItemRect(categories->item(2)).center());
        QCOMPARE(combo("cboDescription_1")->count(), 2);
        QTest::keyClicks(combo("cboDescription_1")->lineEdit(), "W");
        QCOMPARE(combo("cboDescription_1")->currentText(), QString("Washer"));
        QTest::keyClicks(box("txtUnits"), "10");
        screen::click(button("cmdPost_1"));
        QVERIFY(label("lblDiscountPrice")->isVisible());

        // Custom items: Money extension.
        trigger("mnuCItems");
        QTest::keyClicks(combo("cboDescription_2")->lineEdit(), "Cu");
        QTest::keyClicks(box("txtCUnits"), "1.5");
        screen::click(button("cmdPost_3"));

        // Labor: the zero is replaced by the first key.
        trigger("mnuLabor");
        QCOMPARE(m_screen->focusWidget(), box("txtHours_0"));
        QTest::keyClicks(box("txtHours_0"), "2");
        QCOMPARE(text("txtHours_0"), QString("2"));
        screen::click(button("cmdLabor_0"));
        QCOMPARE(label("lblLaborCharge_3")->text(), QString("$90.00"));
        QVERIFY(button("cmdLabor_1")->isEnabled());
        screen::click(button("cmdLabor_1"));
        QVERIFY(!button("cmdLabor_1")->isEnabled());
        QVERIFY(child<QGroupBox>("fraServices")->isVisible());

        // Manual line without units.
        trigger("mnuManual");
        QCOMPARE(text("txtManual_1"), QString("$0.00"));
        QTest::keyClicks(box("txtManual_0"), "Trip fee");
        box("txtManual_1")->clear();
        QTest::keyClicks(box("txtManual_1"), "12.5");
        child<QCheckBox>("ckManualTax")->setChecked(true);
        screen::click(button("cmdPost_2"));

        const QList<QStringList> expected{
            {"", "Leak repair", "3/14/2026", "$120.00", "$120.00", "True"},
            {"10", "Washer", "", "$1.00", "$10.00", "True"},
            {"1.5", "Custom shelf", "", "$1.23", "$1.85", "True"},
            {"2 Hrs", "General Labor", "", "$45.00", "$90.00", "False"},
            {"1", "Trip fee", "", "$12.50", "$12.50", "True"},
            {"", "", "", "", "", ""},
        };
        QCOMPARE(gridRows(6), expected);
        QCOMPARE(m_program->invoice().LineCount(), 5);
        QVERIFY(button("cmdPrint")->isVisible());
        QVERIFY(button("cmdPrint")->isEnabled());
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void backspaceSuppressesOneCompletion()
    {
        start();
        trigger("mnuServices");
        QLineEdit *service = combo("cboDescription_0")->lineEdit();
        QTest::keyClicks(service, "dra");
        // The typed letters stay as typed; the completed tail is the entry's.
        QCOMPARE(service->text(), QString("drain cleaning"));
        QCOMPARE(service->selectedText(), QString("in cleaning"));
        QTest::keyClick(service, Qt::Key_Backspace);
        QCOMPARE(service->text(), QString("dra"));
        QCOMPARE(combo("cboPrice_0")->currentText(), QString());
        QTest::keyClicks(service, "i");
        QCOMPARE(service->text(), QString("drain cleaning"));
        QCOMPARE(combo("cboPrice_0")->currentText(), QString("$85.00"));
    }

    void typedPriceTakesNoVolumePrice()
    {
        start();
        child<QCheckBox>("ckApplyVolumeDiscount")->setChecked(true);
        trigger("mnuItems");
        QTest::keyClicks(combo("cboDescription_1")->lineEdit(), "Wash");
        combo("cboPrice_1")->lineEdit()->selectAll();
        QTest::keyClicks(combo("cboPrice_1")->lineEdit(), "2");
        QCOMPARE(combo("cboPrice_1")->currentText(), QString("2"));
        QTest::keyClicks(box("txtUnits"), "10");
        QCOMPARE(combo("cboPrice_1")->currentText(), QString("2"));
        screen::click(button("cmdPost_1"));
        QCOMPARE(gridRows(1), (QList<QStringList>{{"10", "Washer", "", "$2.00", "$20.00", "True"}}));
        QVERIFY(!label("lblDiscountPrice")->isVisible());
    }

    void refusedEntriesPostNothing()
    {
        start();
        trigger("mnuItems");
        QTest::keyClicks(combo("cboDescription_1")->lineEdit(), "Fau");
        screen::click(button("cmdPost_1"));
        QCOMPARE(m_prompts.beeps, 1);
        QCOMPARE(m_screen->focusWidget(), box("txtUnits"));
        QTest::keyClicks(box("txtUnits"), "40000");
        screen::click(button("cmdPost_1"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("The Units may not be more than 32767"));
        QCOMPARE(m_program->invoice().LineCount(), 0);
        QVERIFY(!button("cmdPrint")->isVisible());
    }

    void gridEditingAndDeletion()
    {
        start();
        addManual("Pipe", "2.00", "3");
        addManual("Valve", "5.00", "1");
        QTableView *grid = child<QTableView>("fgInvoice");
        // Units of line 1: Backspace empties, digits type, Enter recomputes.
        clickCell(1, 0);
        QVERIFY(child<QWidget>("UpDown1")->isEnabled());
        QTest::keyClick(grid, Qt::Key_Backspace);
        QTest::keyClicks(grid, "4");
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(gridRows(1), (QList<QStringList>{{"4", "Pipe", "", "$2.00", "$8.00", "False"}}));
        // The taxable flag toggles with a click.
        clickCell(1, 5);
        QCOMPARE(cell(1, 5), QString("True"));
        // Down moves the line; the selection keeps its row.
        clickCell(1, 1);
        QTest::mouseClick(child<QToolButton>("UpDown1Down"), Qt::LeftButton);
        QCOMPARE(cell(1, 1), QString("Valve"));
        QCOMPARE(cell(2, 1), QString("Pipe"));
        // Rows past the last line take no edits.
        clickCell(5, 0);
        QVERIFY(!child<QWidget>("UpDown1")->isEnabled());
        QTest::keyClicks(grid, "7");
        QCOMPARE(cell(5, 0), QString());

        m_prompts.answerNext(true);
        openGridMenu(1);
        trigger("mnuDeleteItem");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).kind, QString("ask"));
        QCOMPARE(m_prompts.shown.at(0).text, QString("Delete item Valve from Invoice?"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Item Deletion"));
        QCOMPARE(gridRows(2), (QList<QStringList>{{"4", "Pipe", "", "$2.00", "$8.00", "True"},
                                                  {"", "", "", "", "", ""}}));
    }

    void laborLinesRefuseGridEdits()
    {
        start();
        trigger("mnuLabor");
        QTest::keyClicks(box("txtHours_2"), "1.5");
        screen::click(button("cmdLabor_0"));
        screen::click(button("cmdLabor_1"));
        QCOMPARE(gridRows(1), (QList<QStringList>{{"1.5 Hrs", "Welding", "", "$60.00", "$90.00", "False"}}));
        clickCell(1, 3);
        QTest::keyClicks(child<QTableView>("fgInvoice"), "9");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QString("Labor cannot be changed inside the Invoice Body\r\n"
                         "Delete the Labor Item and Re-enter from the labor Grid)"));
        QCOMPARE(cell(1, 3), QString("$60.00"));
    }

    void hundredthLineFillsTheInvoice()
    {
        start();
        InvoiceLine line;
        line.cells = {"1", "Filler", "", "$1.00", "$1.00", "False"};
        for (int n = 1; n < 100; ++n)
            m_program->invoice().lines.append(line);
        addManual("Last", "1.00", "1");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("The Invoice is full"));
        QCOMPARE(m_prompts.beeps, 1);
        QVERIFY(!button("cmdPost_2")->isEnabled());
        QVERIFY(!button("cmdPost_0")->isEnabled());
        // Labor cannot write past the hundredth line either.
        m_prompts.clear();
        trigger("mnuLabor");
        QTest::keyClicks(box("txtHours_0"), "1");
        screen::click(button("cmdLabor_0"));
        QVERIFY(!button("cmdLabor_1")->isEnabled());
        QCOMPARE(m_program->invoice().LineCount(), 100);
        // A deletion makes room again.
        m_prompts.answerNext(true);
        openGridMenu(100);
        trigger("mnuDeleteItem");
        QVERIFY(button("cmdPost_2")->isEnabled());
        QVERIFY(button("cmdPost_0")->isEnabled());
    }

    void serviceDateRefusesTheFuture()
    {
        start();
        addManual("Pipe", "2.00", "3");
        clickCell(1, 1);
        auto *picker = child<QDateEdit>("DTPicker1");
        emit picker->calendarWidget()->clicked(QDate(2026, 3, 15));
        QCOMPARE(m_prompts.beeps, 1);
        QCOMPARE(picker->date(), QDate(2026, 3, 14));
        QCOMPARE(cell(1, 2), QString());
        picker->setDate(QDate(2026, 3, 10));
        emit picker->calendarWidget()->clicked(QDate(2026, 3, 10));
        QCOMPARE(cell(1, 2), QString("3/10/2026"));
        screen::click(button("cmdResetDate"));
        QCOMPARE(cell(1, 2), QString());
    }

    void returnToMenuAbandonsTheInvoice()
    {
        start();
        addManual("Pipe", "2.00", "3");
        m_program->state().resumedPartial = true;
        screen::click(button("cmdExit"));
        QVERIFY(!m_screen->isVisible());
        QVERIFY(m_program->screen(Target::MainMenu)->isVisible());
        QVERIFY(!m_program->state().resumedPartial);
        QCOMPARE(m_program->invoice().LineCount(), 0);
        QCOMPARE(text("txtInvoiceNo"), QString());
        QCOMPARE(m_program->invoice().Customer, QString("Nia Moss"));
    }

    void menuKeepsTheInvoice()
    {
        start();
        addManual("Pipe", "2.00", "3");
        screen::click(button("cmdInvoice_1"));
        QVERIFY(!m_screen->isVisible());
        QCOMPARE(m_program->invoice().LineCount(), 1);
        QCOMPARE(text("txtInvoiceNo"), QString("20260001"));
    }

    void recalledInvoiceShowsTheDocument()
    {
        InvoiceDocument &doc = m_program->invoice();
        doc.number = "20250042";
        doc.CreationDate = QDate(2026, 2, 1);
        doc.reference = "PO 9";
        InvoiceLine line;
        line.cells = {"2", "Pipe", "", "$2.00", "$4.00", "True"};
        doc.lines = {line};
        m_program->state().resumedPartial = true;
        QVERIFY(m_program->show(Target::Invoice, nullptr));
        QCOMPARE(button("cmdInvoice_0")->text(), QString("Add To......."));
        QCOMPARE(button("cmdInvoice_0")->toolTip(), QString("Continues the Creation of this Invoice"));
        QVERIFY(!button("cmdInvoice_2")->isEnabled());
        QVERIFY(box("txtInvoiceNo")->isReadOnly());
        QVERIFY(!label("lblInvoiceNo")->isVisible());
        QCOMPARE(text("txtInvoiceNo"), QString("20250042"));
        QCOMPARE(text("txtReference"), QString("PO 9"));
        QCOMPARE(child<QDateEdit>("DTPicker1")->date(), QDate(2026, 2, 1));
        QCOMPARE(gridRows(1), (QList<QStringList>{{"2", "Pipe", "", "$2.00", "$4.00", "True"}}));
        screen::click(button("cmdInvoice_0"));
        QVERIFY(m_prompts.shown.isEmpty());
        QVERIFY(button("cmdPrint")->isVisible());
    }

    void leavingAnEmptyNumberBoxAsksForOne()
    {
        box("txtInvoiceNo")->setFocus();
        box("txtInvoiceNo")->clear();
        QTest::keyClick(box("txtInvoiceNo"), Qt::Key_Tab);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("Enter an Invoice Number"));
        QCOMPARE(m_screen->focusWidget(), box("txtInvoiceNo"));
    }

private:
    template <typename T> T *child(const QString &name) const
    {
        return screen::child<T>(m_screen, name);
    }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }
    QLineEdit *box(const QString &name) const { return child<QLineEdit>(name); }
    QLabel *label(const QString &name) const { return child<QLabel>(name); }
    QComboBox *combo(const QString &name) const { return child<QComboBox>(name); }
    QString text(const QString &name) const { return box(name)->text(); }
    void trigger(const QString &name) const { child<QAction>(name)->trigger(); }

    void start()
    {
        screen::click(button("cmdInvoice_0"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void addManual(const QString &description, const QString &price, const QString &units)
    {
        invoicescreen::addManual(m_screen, description, price, units);
    }

    QString cell(int line, int column) const
    {
        const QAbstractItemModel *model = child<QTableView>("fgInvoice")->model();
        return model->index(line - 1, column).data().toString();
    }

    QList<QStringList> gridRows(int lines) const
    {
        QList<QStringList> rows;
        for (int n = 1; n <= lines; ++n) {
            QStringList cells;
            for (int column = 0; column < 6; ++column)
                cells.append(cell(n, column));
            rows.append(cells);
        }
        return rows;
    }

    void clickCell(int line, int column)
    {
        QTableView *grid = child<QTableView>("fgInvoice");
        const QModelIndex index = grid->model()->index(line - 1, column);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
        grid->setFocus();
    }

    void openGridMenu(int line)
    {
        QTableView *grid = child<QTableView>("fgInvoice");
        const QModelIndex index = grid->model()->index(line - 1, 1);
        grid->scrollTo(index);
        emit grid->customContextMenuRequested(grid->visualRect(index).center());
        child<QWidget>("mnuGrid")->hide();
    }

    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    ScriptedPrompts m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PelmorMasterModule> m_program;
    Screen *m_screen = nullptr;
};

QTEST_MAIN(TestFrmInvoice)
#include "tst_frminvoice.moc"
