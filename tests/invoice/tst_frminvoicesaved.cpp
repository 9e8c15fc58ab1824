#include "catalogbytes.h"
#include "core/appstate.h"
#include "core/clock.h"
#include "dialer/portserialline.h"
#include "fakeplatform.h"
#include "invoice/incompleteinvoices.h"
#include "pdfwords.h"
#include "printfakes.h"
#include "invoiceroad.h"
#include "screenaccess.h"
#include "scriptedprompts.h"
#include "startup/pelmormastermodule.h"
#include "testfiles.h"
#include "ui/screen.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Target = Navigator::Target;

namespace {

const QString SaveQuestion = "The account data, invoice items, quantites,\r\n"
                             "prices, and extensions will be saved\r\n"
                             "Recall the invoice from the Main Menu,\r\n"
                             "Partial Invoices and add to the invoice";
const QString PartialFile = "/PelmorInvoicer/IncompleteInvoices/20260001.txt";
const QString NarrativeFile = "/PelmorInvoicer/Narratives/20260001.txt";
const QString TemplatesFolder = "/PelmorInvoicer/Templates/Invoices/";

QByteArray field(const QByteArray &text, int width)
{
    return text.leftJustified(width, ' ', true);
}

// A template record as written: units 10, description 45, price 10, taxable 5.
QByteArray templateRecord(const QByteArray &units, const QByteArray &description,
                          const QByteArray &price, const QByteArray &taxable)
{
    return field(units, 10) + field(description, 45) + field(price, 10) + field(taxable, 5);
}

// The partial file of invoice 20260001 for Nia Moss, saved on 3/14/2026, line by line.
QByteArray partialFile(const QByteArray &reference, const QList<QList<QByteArray>> &lines)
{
    QByteArray out = "20260001\r\nN1\r\nNia Moss\r\n3/14/2026\r\n"
                     "\"Nia Moss\"\r\n\"4 Elm St\"\r\n\"Apt 2\"\r\n\"Springfield\"\r\n\"IL\"\r\n"
                     "\"62704\"\r\n"
                     "\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
                     "20260001\r\nN1\r\n" +
                     reference + "\r\nFront desk\r\n" + QByteArray::number(lines.size()) + "\r\n";
    for (const auto &cells : lines) {
        for (const QByteArray &cell : cells)
            out += cell + "\r\n";
    }
    return out;
}

} // namespace

class TestFrmInvoiceSaved : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prompts.clear();
        m_print.cancel = false;
        m_print.path = m_dir->filePath("draft.pdf");
        // The main menu offers its routines once there are inventoried items.
        write("/PIInventoriedItems.txt", catalogbytes::item({"Faucet", "Fixtures", 0, 499900, 4, 0, 0}));
        write("/TaxSettings.txt", "\"Sales Tax\",\"County Tax\",\"4.0\",\"1.5\",1,1\r\n");
        write("/MyBusinessData.txt", "\"Acme\",\"1 Pipe Rd\",\"\",\"Springfield\",\"IL\",\"62701\","
                                     "\"555-1234\",\"\",\"\"\r\n");
    }

    void cleanup()
    {
        if (m_program)
            m_program->ExitApplication();
        m_program.reset();
    }

    void savedForLaterThenResumedFromTheMenu()
    {
        launch();
        start();
        addManual("Pipe", "2.00", "3");
        box("txtShipto_6")->setText("Front desk");
        saveForLater(false);
        const QByteArray pipe[] = {"3", "Pipe", "3/14/2026", "$2.00", "$6.00", "False"};
        const QList<QByteArray> pipeLine(std::begin(pipe), std::end(pipe));
        QCOMPARE(read(PartialFile), partialFile("Prepared 3/14/2026", {pipeLine}));
        QCOMPARE(read("/PIInvoiceNo.txt"), QByteArray("20260002\r\n"));
        QVERIFY(!m_screen->isVisible());
        QCOMPARE(m_program->IncompleteCount(), 1);
        QCOMPARE(m_program->invoice().LineCount(), 0);

        // Routine 1 of the main menu lists it; Add loads it into the screen.
        Screen *menu = m_program->screen(Target::MainMenu);
        QVERIFY(menu->isVisible());
        auto *routine = screen::child<QRadioButton>(menu, "optMainMenuSub_1");
        QVERIFY(routine->isEnabled());
        QTest::mouseClick(routine, Qt::LeftButton);
        screen::click(menu, "cmdGoto");
        Screen *list = m_program->screen(Target::Incomplete);
        QVERIFY(list->isVisible());
        auto *grid = screen::child<QTableWidget>(list, "fgIncomplete");
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QString("20260001"));
        screen::click(list, "Command1_1");
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).title, QString("Partial Invoice Loaded"));
        m_prompts.clear();

        QVERIFY(m_screen->isVisible());
        QCOMPARE(button("cmdInvoice_0")->text(), QString("Add To......."));
        QCOMPARE(text("txtInvoiceNo"), QString("20260001"));
        QCOMPARE(text("txtShipto_6"), QString("Front desk"));
        QCOMPARE(text("txtReference"), QString("Prepared 3/14/2026"));
        QCOMPARE(label("lblAcctNo")->text(), QString("N1"));
        QCOMPARE(cell(1, 1), QString("Pipe"));
        QCOMPARE(cell(1, 2), QString("3/14/2026"));
        QVERIFY(!child<QGroupBox>("fraTemplates")->isVisible());
        // The file keeps no carrier or ship date: what the screen shows is what prints.
        QCOMPARE(combo("cboShipping")->currentText(), QString("None"));
        QCOMPARE(m_program->invoice().carrier, QString("None"));
        QCOMPARE(m_program->invoice().shipDate, QDate(2026, 3, 14));

        start();
        addManual("Valve", "5.00", "1");
        saveForLater(false);
        const QByteArray valve[] = {"1", "Valve", "3/14/2026", "$5.00", "$5.00", "False"};
        const QList<QByteArray> valveLine(std::begin(valve), std::end(valve));
        QCOMPARE(read(PartialFile), partialFile("Prepared 3/14/2026", {pipeLine, valveLine}));
        QCOMPARE(read("/PIInvoiceNo.txt"), QByteArray("20260002\r\n"));
        QCOMPARE(m_program->IncompleteCount(), 1);
        QVERIFY(!m_program->state().resumedPartial);
    }

    // Posting the recalled invoice removes its partial file and keeps the counter.
    void aResumedInvoicePostsAndLeavesNoPartial()
    {
        launch();
        start();
        addManual("Pipe", "2.00", "3");
        box("txtShipto_6")->setText("Front desk");
        saveForLater(false);
        Screen *menu = m_program->screen(Target::MainMenu);
        QTest::mouseClick(screen::child<QRadioButton>(menu, "optMainMenuSub_1"), Qt::LeftButton);
        screen::click(menu, "cmdGoto");
        screen::click(m_program->screen(Target::Incomplete), "Command1_1");
        m_prompts.clear();
        QVERIFY(m_program->state().resumedPartial);

        start();
        screen::click(button("cmdPrint"));
        screen::click(button("cmdInvoice_9"));
        m_print.path = m_dir->filePath("invoice.pdf");
        m_prompts.answerNext(true); // printed correctly
        screen::click(button("cmdInvoiceContinue"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("Was the Invoice Printed Correctly"));

        QVERIFY(!QFileInfo::exists(m_dir->path() + PartialFile));
        QVERIFY(QFileInfo::exists(m_dir->path() + "/CompletedInvoices/20260001.txt"));
        QCOMPARE(read("/PIInvoiceNo.txt"), QByteArray("20260002\r\n"));
        QCOMPARE(m_program->IncompleteCount(), 0);
        QVERIFY(!m_program->state().resumedPartial);
        QVERIFY(menu->isVisible());
    }

    void saveAsksTwiceAndPrintsTheDraft_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("draft");
        QTest::addColumn<bool>("cancelPrinter");
        QTest::addColumn<QString>("message");
        QTest::newRow("no to saving") << false << false << false << "";
        QTest::newRow("no draft") << true << false << false << "";
        QTest::newRow("draft printed") << true << true << false << "";
        QTest::newRow("printer cancelled")
            << true << true << true << "The Invoice(s) will not be Printed";
    }

    void saveAsksTwiceAndPrintsTheDraft()
    {
        QFETCH(bool, save);
        QFETCH(bool, draft);
        QFETCH(bool, cancelPrinter);
        QFETCH(QString, message);
        m_print.cancel = cancelPrinter;
        launch();
        start();
        addManual("Pipe", "2.00", "3");
        screen::click(button("cmdPrint"));
        m_prompts.answerNext(save);
        if (save)
            m_prompts.answerNext(draft);
        screen::click(button("cmdSave"));
        QCOMPARE(m_prompts.shown.at(0).text, SaveQuestion);
        QCOMPARE(m_prompts.shown.at(0).title, QString("Save Partial Invoice"));
        QCOMPARE(m_prompts.shown.size(), save ? (message.isEmpty() ? 2 : 3) : 1);
        if (save) {
            QCOMPARE(m_prompts.shown.at(1).text, QString("Would you like to Print a Draft Copy?"));
            QCOMPARE(m_prompts.shown.at(1).title, QString("Print Draft Copy"));
        }
        if (!message.isEmpty())
            QCOMPARE(m_prompts.shown.at(2).text, message);
        QCOMPARE(QFile::exists(m_dir->path() + PartialFile), save);
        QCOMPARE(m_screen->isVisible(), !save);
        QCOMPARE(QFile::exists(m_print.path), draft && !cancelPrinter);
        if (draft && !cancelPrinter && pdfToTextInstalled()) {
            QStringList words;
            for (const PdfWord &word : pdfWords(m_print.path))
                words.append(word.text);
            QVERIFY2(words.contains("DRAFT"), qPrintable(words.join(' ')));
            QVERIFY(words.contains("Pipe"));
        }
        QVERIFY(!m_program->invoice().PrintingDraft);
    }

    void newInvoiceMayNotReplaceAnotherPartial()
    {
        launch();
        start();
        addManual("Pipe", "2.00", "3");
        // Typed after the start button: the number of a partial invoice saved meanwhile.
        write("/PelmorInvoicer/IncompleteInvoices/20260009.txt", "kept");
        box("txtInvoiceNo")->setText("20260009");
        screen::click(button("cmdPrint"));
        screen::click(button("cmdSave"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).kind, QString("tell"));
        QVERIFY(m_prompts.shown.at(0).text.contains("20260009"));
        QCOMPARE(read("/PelmorInvoicer/IncompleteInvoices/20260009.txt"), QByteArray("kept"));
        QCOMPARE(read("/PIInvoiceNo.txt"), QByteArray("20260001\r\n"));
    }

    void templatePanelSavesLoadsAndDeletes()
    {
        QByteArray five;
        for (int i = 1; i <= 5; ++i)
            five += templateRecord(QByteArray::number(i), "Part " + QByteArray::number(i), "1.50", "True");
        write(TemplatesFolder + "Kit.txt", five);
        launch();

        // A new invoice shows the panel, nothing chosen.
        auto *list = child<QListWidget>("flstInvoiceTemplates");
        QVERIFY(child<QGroupBox>("fraTemplates")->isVisible());
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString("Kit.txt"));
        QVERIFY(!button("cmdTemplate_0")->isEnabled());
        QVERIFY(!button("cmdTemplate_1")->isEnabled());
        QVERIFY(!button("cmdTemplate_2")->isEnabled());

        // Load: five lines with their amounts, then the start button's creation view.
        clickTemplate(0);
        QVERIFY(button("cmdTemplate_0")->isEnabled());
        QVERIFY(button("cmdTemplate_1")->isEnabled());
        screen::click(button("cmdTemplate_0"));
        QVERIFY(m_prompts.shown.isEmpty());
        QCOMPARE(m_program->invoice().LineCount(), 5);
        QCOMPARE(gridRow(5), (QStringList{"5", "Part 5", "", "1.50", "$7.50", "True"}));
        QVERIFY(child<QTableView>("fgInvoice")->isVisible());
        QVERIFY(button("cmdTemplate_2")->isEnabled());

        // A two-line invoice (and a line without units) replaces it.
        screen::click(button("cmdRedo"));
        addManual("Pipe", "12.50", "2");
        InvoiceLine service;
        service.cells = {"", "Trip fee", "3/14/2026", "$9.00", "$9.00", "True"};
        m_program->invoice().lines.append(service);
        addManual("Valve", "5.00", "1");
        m_prompts.inputNext(QString("Kit"));
        m_prompts.answerNext(true);
        screen::click(button("cmdTemplate_2"));
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown.at(0).kind, QString("input"));
        QCOMPARE(m_prompts.shown.at(0).text,
                 QString("Enter a Name for this Template\r\nDo not enter /\\,.-:; Characters\r\n"
                         "Do not enter .txt (this is done automatically"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Save Invoice Template"));
        QCOMPARE(m_prompts.shown.at(1).text,
                 QString("A Template Named Kitalready Exists.\r\n"
                         "Press Yes to Replace the Existing Template"));
        QCOMPARE(m_prompts.shown.at(1).title, QString("Template Exists"));
        QCOMPARE(read(TemplatesFolder + "Kit.txt"),
                 templateRecord("2", "Pipe", "12.50", "False") +
                     templateRecord("1", "Valve", "5.00", "False"));
        QVERIFY(!button("cmdTemplate_2")->isEnabled());
        QVERIFY(child<QGroupBox>("fraTemplates")->isVisible());
        QVERIFY(!button("cmdTemplate_0")->isEnabled());

        // Delete asks with the exclamation icon; the list empties.
        m_prompts.clear();
        clickTemplate(0);
        m_prompts.answerNext(true);
        screen::click(button("cmdTemplate_1"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).kind, QString("okcancel"));
        QVERIFY(m_prompts.shown.at(0).warning);
        QCOMPARE(m_prompts.shown.at(0).text, QString("This will Delete Template\r\nKit.txt"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Template Deletion"));
        QVERIFY(!QFile::exists(m_dir->path() + TemplatesFolder + "Kit.txt"));
        QCOMPARE(list->count(), 0);
        QVERIFY(!button("cmdTemplate_0")->isEnabled());
        QVERIFY(!button("cmdTemplate_1")->isEnabled());
    }

    void templateNamesAreChecked_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString rule = "\" cannot be used: it may not be empty, start or end with a period, "
                             "end with a blank, or contain / \\ : * ? \" < > | or control characters";
        QTest::newRow("cancelled") << true << "" << "";
        QTest::newRow("empty") << false << "" << "";
        QTest::newRow("slash") << false << "a/b" << "The Template Name \"a/b" + rule;
        QTest::newRow("dots") << false << ".." << "The Template Name \".." + rule;
    }

    void templateNamesAreChecked()
    {
        QFETCH(bool, cancelled);
        QFETCH(QString, name);
        QFETCH(QString, message);
        launch();
        start();
        addManual("Pipe", "2.00", "3");
        m_prompts.inputNext(cancelled ? std::nullopt : std::optional<QString>(name));
        screen::click(button("cmdTemplate_2"));
        QCOMPARE(m_prompts.shown.size(), message.isEmpty() ? 1 : 2);
        if (!message.isEmpty())
            QCOMPARE(m_prompts.shown.at(1).text, message);
        QCOMPARE(QDir(m_dir->path() + TemplatesFolder).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(m_dir->path() + "/PelmorInvoicer/Templates").entryList(QDir::Files),
                 QStringList());
        QVERIFY(button("cmdTemplate_2")->isEnabled());
    }

    void narrativePanel()
    {
        write("/Narrative.txt", "Thank you\r\nCome again\r\n");
        launch();
        start();
        trigger("mnuNarrative");
        QVERIFY(child<QGroupBox>("fraNarrative")->isVisible());
        QCOMPARE(child<QGroupBox>("fraNarrative")->title(), QString("Add a Narrative to the Invoice"));
        QVERIFY(child<QGroupBox>("fraInstructions_10")->isVisible());
        QCOMPARE(m_screen->focusWidget(), child<QWidget>("txtNarrative"));
        QCOMPARE(narrative()->toPlainText(), QString("Thank you\nCome again"));

        // Saved for the invoice, byte for byte what the template held.
        screen::click(button("cmdNarrative_0"));
        QCOMPARE(read(NarrativeFile), QByteArray("Thank you\r\nCome again\r\n"));
        QVERIFY(!child<QGroupBox>("fraNarrative")->isVisible());

        // Reopened, the invoice's own narrative shows; the template is one click away.
        write("/Narrative.txt", "Template\r\n");
        trigger("mnuNarrative");
        QCOMPARE(narrative()->toPlainText(), QString("Thank you\nCome again"));
        screen::click(button("cmdNarrative_2"));
        QCOMPARE(narrative()->toPlainText(), QString("Template"));
        screen::click(button("cmdNarrative_1"));
        QCOMPARE(narrative()->toPlainText(), QString());
        QCOMPARE(m_screen->focusWidget(), child<QWidget>("txtNarrative"));
        QTest::keyClicks(narrative(), "New default");
        screen::click(button("cmdNarrative_3"));
        QCOMPARE(read("/Narrative.txt"), QByteArray("New default\r\n"));
        QVERIFY(child<QGroupBox>("fraNarrative")->isVisible());
        screen::click(button("cmdNarrative_4"));
        QCOMPARE(narrative()->toPlainText(), QString());
        QVERIFY(!child<QGroupBox>("fraNarrative")->isVisible());
        QCOMPARE(read(NarrativeFile), QByteArray("Thank you\r\nCome again\r\n"));

        // Saving an emptied box leaves the invoice without a narrative.
        trigger("mnuNarrative");
        narrative()->clear();
        screen::click(button("cmdNarrative_0"));
        QVERIFY(!QFile::exists(m_dir->path() + NarrativeFile));

        // No number: refused, the cursor goes to the number.
        trigger("mnuNarrative");
        box("txtInvoiceNo")->clear();
        m_prompts.clear();
        screen::click(button("cmdNarrative_0"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("You have not entered an Invoice Number"));
        QCOMPARE(m_screen->focusWidget(), box("txtInvoiceNo"));
    }

    void abandonedNewInvoiceLosesItsNarrative_data()
    {
        QTest::addColumn<QString>("leaving");
        QTest::addColumn<QString>("keptBy");
        QTest::addColumn<bool>("kept");
        QTest::newRow("return to menu") << "cmdExit" << "" << false;
        QTest::newRow("menu, then a new invoice") << "cmdInvoice_1" << "" << false;
        QTest::newRow("partial of that number") << "cmdExit" << PartialFile << true;
        QTest::newRow("image of that number") << "cmdInvoice_1" << "/CompletedInvoices/20260001.txt"
                                              << true;
    }

    void abandonedNewInvoiceLosesItsNarrative()
    {
        QFETCH(QString, leaving);
        QFETCH(QString, keptBy);
        QFETCH(bool, kept);
        launch();
        start();
        trigger("mnuNarrative");
        QTest::keyClicks(narrative(), "Details");
        screen::click(button("cmdNarrative_0"));
        QVERIFY(QFile::exists(m_dir->path() + NarrativeFile));
        if (!keptBy.isEmpty())
            write(keptBy, "x");
        screen::click(button(leaving));
        QVERIFY(!m_screen->isVisible());
        if (leaving == "cmdInvoice_1") {
            // Kept on the hidden screen until the next invoice replaces it.
            QVERIFY(QFile::exists(m_dir->path() + NarrativeFile));
            QVERIFY(m_program->show(Target::Invoice, m_program->screen(Target::MainMenu)));
        }
        QCOMPARE(QFile::exists(m_dir->path() + NarrativeFile), kept);
    }

    void memoPanel_data()
    {
        QTest::addColumn<bool>("memoFile");
        QTest::newRow("memo file") << true;
        QTest::newRow("no memo file") << false;
    }

    void memoPanel()
    {
        QFETCH(bool, memoFile);
        if (memoFile)
            write("/InvoiceMemo.txt", "Happy Holidays, from us\r\n");
        launch();
        auto *memo = child<QPlainTextEdit>("txtMemo");
        auto *loaded = label("lblMemo");
        auto *addMemo = child<QCheckBox>("ckAddMemo");
        QCOMPARE(loaded->text(), QString("A MEMO IS LOADED"));
        QCOMPARE(!loaded->isHidden(), memoFile);
        QCOMPARE(addMemo->isEnabled(), memoFile);
        QCOMPARE(addMemo->isChecked(), memoFile);
        QCOMPARE(m_program->invoice().options.addMemo, memoFile);
        QCOMPARE(memo->toPlainText(), memoFile ? QString("Happy Holidays\nfrom us") : QString());

        start();
        trigger("mnuMemo");
        QVERIFY(child<QGroupBox>("fraMemo")->isVisible());
        QCOMPARE(child<QGroupBox>("fraMemo")->title(), QString("Adding a Memo to the Invoices"));
        QCOMPARE(m_screen->focusWidget(), memo);
        QCOMPARE(button("cmdInvoiceMemo_1")->isEnabled(), memoFile);
        QCOMPARE(button("cmdInvoiceMemo_2")->isEnabled(), memoFile);

        screen::click(button("cmdInvoiceMemo_0"));
        QVERIFY(loaded->isHidden());
        QCOMPARE(memo->toPlainText(), QString());
        QCOMPARE(m_screen->focusWidget(), memo);
        QTest::keyClicks(memo, "Closed Monday");
        QVERIFY(button("cmdInvoiceMemo_2")->isEnabled());
        screen::click(button("cmdInvoiceMemo_2"));
        QCOMPARE(read("/InvoiceMemo.txt"), QByteArray("Closed Monday\r\n"));
        QVERIFY(!loaded->isHidden());
        QVERIFY(addMemo->isEnabled());
        QVERIFY(button("cmdInvoiceMemo_1")->isEnabled());

        write("/InvoiceMemo.txt", "Open, Sunday\r\n");
        screen::click(button("cmdInvoiceMemo_1"));
        QCOMPARE(memo->toPlainText(), QString("Open\nSunday"));
        QVERIFY(addMemo->isChecked());
        screen::click(button("cmdHideMemo"));
        QVERIFY(!child<QGroupBox>("fraMemo")->isVisible());
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void carrierDefault_data()
    {
        QTest::addColumn<QByteArray>("shipVia");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no file") << QByteArray() << "None";
        QTest::newRow("listed carrier") << QByteArray("FEDEX - Ground\r\nx\r\n") << "FEDEX - Ground";
        QTest::newRow("own text with quotes") << QByteArray("Bob's \"fast\" van\r\n")
                                              << "Bob's \"fast\" van";
    }

    void carrierDefault()
    {
        QFETCH(QByteArray, shipVia);
        QFETCH(QString, shown);
        if (!shipVia.isEmpty())
            write("/ShipVia.txt", shipVia);
        launch();
        QCOMPARE(combo("cboShipping")->currentText(), shown);
        QCOMPARE(m_program->invoice().carrier, shown);

        trigger("mnuPrint");
        combo("cboShipping")->setEditText("Local courier");
        screen::click(button("cmdReadyPrint_1"));
        QCOMPARE(read("/ShipVia.txt"), QByteArray("Local courier\r\n"));
        combo("cboShipping")->setEditText("");
        screen::click(button("cmdReadyPrint_1"));
        QCOMPARE(read("/ShipVia.txt"), QByteArray("Local courier\r\n"));
        QVERIFY(m_prompts.shown.isEmpty());
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
    QPlainTextEdit *narrative() const { return child<QPlainTextEdit>("txtNarrative"); }
    QString text(const QString &name) const { return box(name)->text(); }
    void trigger(const QString &name) const { child<QAction>(name)->trigger(); }

    void write(const QString &relative, const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(m_dir->path() + relative).path()));
        QVERIFY(testfiles::writeBytes(m_dir->path() + relative, bytes));
    }
    QByteArray read(const QString &relative) const
    {
        return testfiles::readBytes(m_dir->path() + relative);
    }

    // The program with its files, and the invoice screen opened for Nia Moss.
    void launch()
    {
        static CancelledSetupDialogs setupDialogs;
        PlatformServices platform{dialer::PortSerialLine::factory(fakeplatform::missingDevice),
                                  &m_print, &setupDialogs};
        m_program = std::make_unique<PelmorMasterModule>(m_dir->path(), m_prompts, m_clock,
                                                         std::move(platform));
        m_program->setQuit([] {});
        QVERIFY(m_program->Main());
        m_program->StartInvoice(
            SoldTo{"Nia Moss", "4 Elm St", "Apt 2", "Springfield", "IL", "62704", "555-0101", "N1"},
            false, m_program->screen(Target::MainMenu));
        m_screen = m_program->screen(Target::Invoice);
        QVERIFY(m_screen && m_screen->isVisible());
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
        QVERIFY2(m_prompts.shown.isEmpty(), qPrintable(m_prompts.shown.value(0).text));
    }

    void start()
    {
        screen::click(button("cmdInvoice_0"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void addManual(const QString &description, const QString &price, const QString &units)
    {
        invoicescreen::addManual(m_screen, description, price, units);
    }

    void saveForLater(bool draft)
    {
        screen::click(button("cmdPrint"));
        m_prompts.answerNext(true);
        m_prompts.answerNext(draft);
        screen::click(button("cmdSave"));
        QCOMPARE(m_prompts.shown.size(), 2);
        m_prompts.clear();
    }

    void clickTemplate(int row)
    {
        auto *list = child<QListWidget>("flstInvoiceTemplates");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    QString cell(int line, int column) const
    {
        const QAbstractItemModel *model = child<QTableView>("fgInvoice")->model();
        return model->index(line - 1, column).data().toString();
    }

    QStringList gridRow(int line) const
    {
        QStringList cells;
        for (int column = 0; column < 6; ++column)
            cells.append(cell(line, column));
        return cells;
    }

    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    ScriptedPrompts m_prompts;
    PdfPrintDialogs m_print;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PelmorMasterModule> m_program;
    Screen *m_screen = nullptr;
};

QTEST_MAIN(TestFrmInvoiceSaved)
#include "tst_frminvoicesaved.moc"
