#include "catalogbytes.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "customerbytes.h"
#include "customers/customerfile.h"
#include "fakeplatform.h"
#include "pdfwords.h"
#include "postedbytes.h"
#include "invoiceroad.h"
#include "screenaccess.h"
#include "scriptedprompts.h"
#include "standinmail.h"
#include "startup/pelmormastermodule.h"
#include "testfiles.h"
#include "ui/screen.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Target = Navigator::Target;

namespace {

const QString Today = QStringLiteral("3/14/2026");
const QString DefaultTaxes = QStringLiteral("\"Sales Tax\",\"County Tax\",\"4.0\",\"1.5\",1,1\r\n");
const QString DefaultSettings =
    QStringLiteral("1,1,0,1,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n");

QByteArray stock(qint16 washers)
{
    using namespace catalogbytes;
    return item({"Faucet", "Fixtures", 0, 499900, 4, 0, 0}) +
           item({"Washer", "Parts", 0, 15000, washers, 10000, 10}) +
           item({"Wax ring", "Parts", 0, 40000, 10, 0, 0});
}

} // namespace

class TestFrmInvoicePrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init() { open(DefaultTaxes, DefaultSettings); }

    void cleanup()
    {
        if (m_program)
            m_program->ExitApplication();
        m_program.reset();
    }

    void totalsFollowTheTaxSettings_data()
    {
        QTest::addColumn<QString>("taxes");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QStringList>("lines"); // price, then "T" when taxed
        QTest::addColumn<QString>("total");
        QTest::addColumn<qint64>("tax");
        QTest::addColumn<qint64>("tax2");
        QTest::addColumn<QString>("grandTotal");

        const QString oneRate = "\"Sales Tax\",\"County Tax\",\"8.25\",\"1.5\",1,0\r\n";
        const QString graduatedRates = "\"Sales Tax\",\"County Tax\",\"5\",\"7\",1,0\r\n";
        const QString graduated =
            "1,1,0,1,1,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$100.00\",\"$2.50\"\r\n";
        QTest::newRow("one rate on the taxed lines")
            << oneRate << DefaultSettings << QStringList{"10.00T", "10.00T", "5.00"} << "$25.00"
            << qint64(16500) << qint64(0) << "$26.65";
        QTest::newRow("two rates") << DefaultTaxes << DefaultSettings << QStringList{"100.00T"}
                                   << "$100.00" << qint64(40000) << qint64(15000) << "$105.50";
        QTest::newRow("graduated at the limit")
            << graduatedRates << graduated << QStringList{"100.00T"} << "$100.00" << qint64(50000)
            << qint64(0) << "$105.00";
        QTest::newRow("graduated above the limit")
            << graduatedRates << graduated << QStringList{"100.01T"} << "$100.01" << qint64(70007)
            << qint64(25000) << "$109.51";
        QTest::newRow("rate read up to the comma")
            << "\"Sales Tax\",\"County Tax\",\"7,5\",\"1.5\",1,0\r\n" << DefaultSettings
            << QStringList{"100.00T"} << "$100.00" << qint64(70000) << qint64(0) << "$107.00";
    }

    void totalsFollowTheTaxSettings()
    {
        QFETCH(QString, taxes);
        QFETCH(QString, settings);
        QFETCH(QStringList, lines);
        QFETCH(QString, total);
        QFETCH(qint64, tax);
        QFETCH(qint64, tax2);
        QFETCH(QString, grandTotal);
        cleanup();
        open(taxes, settings);
        start();
        int n = 0;
        for (const QString &line : lines) {
            const bool taxed = line.endsWith('T');
            addManual(QString("Line %1").arg(++n), taxed ? line.chopped(1) : line, "1", taxed);
        }
        enterPrintSetup();
        QCOMPARE(text("txtTotal"), total);
        QVERIFY(!button("cmdInvoiceContinue")->isEnabled());
        finalize();
        QCOMPARE(m_program->invoice().Tax.units(), tax);
        QCOMPARE(m_program->invoice().Tax2.units(), tax2);
        QCOMPARE(text("txtGrandTotal"), grandTotal);
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void termsTickTheDiscountOptions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("days");
        QTest::newRow("no discount") << 3 << 0 << false << "0.0" << "0";
        QTest::newRow("one percent") << 4 << 2 << true << "1.0" << "10";
        QTest::newRow("two percent") << 7 << 2 << true << "2.0" << "10";
    }

    void termsTickTheDiscountOptions()
    {
        QFETCH(int, position);
        QFETCH(int, option);
        QFETCH(bool, applied);
        QFETCH(QString, rate);
        QFETCH(QString, days);
        start();
        addManual("Pipe", "50.00", "1", false);
        enterPrintSetup();
        chooseTerms(position);
        QVERIFY(child<QRadioButton>(QString("optDiscount_%1").arg(option))->isChecked());
        QCOMPARE(child<QCheckBox>("ckDiscount")->isChecked(), applied);
        QCOMPARE(combo("cboDiscount")->currentText(), rate);
        QCOMPARE(combo("cboDays")->currentText(), days);
        QCOMPARE(child<QGroupBox>("fraDiscount")->isVisible(), option == 2);
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void calculatedDiscountIsOfferedNotDeducted()
    {
        start();
        addManual("Pipe", "50.00", "1", false);
        enterPrintSetup();
        chooseTerms(5);
        finalize();
        QCOMPARE(text("txtDiscount"), QString("$1.00"));
        QCOMPARE(text("txtGrandTotal"), QString("$50.00"));
        // Unticking the offer drops the rate and days.
        screen::click(child<QCheckBox>("ckDiscount"));
        QCOMPARE(combo("cboDiscount")->currentText(), QString("0.0"));
        QCOMPARE(combo("cboDays")->currentText(), QString("0"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void optionsResetDisagreeingTerms()
    {
        start();
        addManual("Pipe", "50.00", "1", false);
        enterPrintSetup();
        chooseTerms(6);
        screen::click(child<QRadioButton>("optDiscount_0"));
        QCOMPARE(combo("cboTerms")->currentIndex(), 0);
        QVERIFY(!child<QCheckBox>("ckDiscount")->isChecked());
        screen::click(child<QRadioButton>("optDiscount_2"));
        QCOMPARE(combo("cboTerms")->currentText(), QString("Discount 1% in 10 days, Net 15 days"));
        QVERIFY(child<QCheckBox>("ckDiscount")->isChecked());
        QCOMPARE(combo("cboDiscount")->currentText(), QString("1.0"));
        QVERIFY(child<QGroupBox>("fraDiscount")->isVisible());
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QString("You have Selected No Discount but your\r\nInvoice Terms were set to offer "
                         "a Discount\r\nYour Invoice Terms have been reset to\r\nIn full upon Receipt"));
        QCOMPARE(m_prompts.shown.at(1).text,
                 QString("You have Selected to Calculate a Discount but your\r\nInvoice Terms were "
                         "set to no Discount\r\nYour Invoice Terms have been reset to\r\n"
                         "Discount 1% in 10 days, Net 15 days"));
        QCOMPARE(m_prompts.shown.at(1).title, QString("Pelmor Invoicer"));
    }

    // Each offered term shows whole in the terms box.
    void everyTermShowsWhole()
    {
        start();
        addManual("Pipe", "50.00", "1", false);
        enterPrintSetup();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QLineEdit *shown = combo("cboTerms")->lineEdit();
        for (int i = 0; i < combo("cboTerms")->count(); ++i) {
            const QString term = combo("cboTerms")->itemText(i);
            QVERIFY2(shown->fontMetrics().horizontalAdvance(term) < shown->width(), qPrintable(term));
        }
    }

    void flatDiscountBelowTheInvoiceAmountOnly()
    {
        cleanup();
        open("\"Sales Tax\",\"County Tax\",\"8\",\"1.5\",1,0\r\n", DefaultSettings);
        start();
        addManual("Pipe", "25.00", "1", true);
        enterPrintSetup();
        screen::click(child<QRadioButton>("optDiscount_1"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text,
                 QString("You have Selected to Enter a Discount\r\nYour Invoice Terms have been "
                         "reset to\r\nA Discount has been Applied\r\nYou may wish to replace this setting"));
        QCOMPARE(combo("cboTerms")->currentText(), QString(" A Discount has been Applied"));
        QCOMPARE(m_screen->focusWidget(), box("txtFlatDiscount"));
        m_prompts.clear();

        QTest::keyClicks(box("txtFlatDiscount"), "30");
        QTest::keyClick(box("txtFlatDiscount"), Qt::Key_Tab);
        QCOMPARE(text("txtFlatDiscount"), QString("$30.00"));
        QCOMPARE(m_screen->focusWidget(), button("cmdAddDiscount"));
        screen::click(button("cmdAddDiscount"));
        QCOMPARE(m_prompts.beeps, 1);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("Your discount exceeds the Invoice Amount"));
        QCOMPARE(text("txtFlatDiscount"), QString("$0.00"));
        QCOMPARE(m_screen->focusWidget(), box("txtFlatDiscount"));

        // The first key replaces the zero.
        QTest::keyClicks(box("txtFlatDiscount"), "26.99");
        QCOMPARE(text("txtFlatDiscount"), QString("26.99"));
        screen::click(button("cmdAddDiscount"));
        QCOMPARE(text("txtDiscount"), QString("$26.99"));
        QVERIFY(!button("cmdAddDiscount")->isEnabled());
        finalize();
        QCOMPARE(text("txtGrandTotal"), QString("$0.01"));
        QCOMPARE(m_prompts.shown.size(), 1);
    }

    void changesAskForFinalizingAgain()
    {
        start();
        addManual("Pipe", "20.00", "1", false);
        enterPrintSetup();
        finalize();

        // Shipping: entering sets it to 0, leaving takes the amount.
        QTest::mouseClick(box("txtShip"), Qt::LeftButton);
        QCOMPARE(text("txtShip"), QString("$0.00"));
        QVERIFY(box("txtShip")->palette().color(QPalette::Base) != box("txtInvoiceNo")->palette().color(QPalette::Base));
        QVERIFY(!button("cmdInvoiceContinue")->isEnabled());
        QTest::keyClicks(box("txtShip"), "7.5");
        QTest::keyClick(box("txtShip"), Qt::Key_Tab);
        QCOMPARE(text("txtShip"), QString("$7.50"));
        QCOMPARE(box("txtShip")->palette().color(QPalette::Base), box("txtInvoiceNo")->palette().color(QPalette::Base));
        finalize();
        QCOMPARE(text("txtGrandTotal"), QString("$27.50"));

        screen::click(button("cmdResetCharge_0"));
        QCOMPARE(text("txtShip"), QString("$0.00"));
        QVERIFY(!button("cmdInvoiceContinue")->isEnabled());
        QCOMPARE(m_screen->focusWidget(), button("cmdInvoice_9"));
        finalize();
        QCOMPARE(text("txtGrandTotal"), QString("$20.00"));

        // A grid change.
        trigger("mnuCreate");
        addManual("Cap", "1.00", "1", false);
        QVERIFY(!button("cmdInvoiceContinue")->isEnabled());
        enterPrintSetup();
        finalize();
        screen::click(button("cmdCancelPrint"));
        QVERIFY(!button("cmdInvoiceContinue")->isEnabled());
        for (const char *name : {"txtTotal", "txtTax", "txtGrandTotal", "txtDiscount"})
            QCOMPARE(text(name), QString("$0.00"));
        QVERIFY(!child<QGroupBox>("fraPrintReady")->isVisible());
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void prepaidPanelCancel_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("cancelled") << true;
        QTest::newRow("kept") << false;
    }

    void prepaidPanelCancel()
    {
        QFETCH(bool, yes);
        child<QCheckBox>("ckPrepaid")->setChecked(true);
        start();
        addManual("Pipe", "20.00", "1", false);
        enterPrintSetup();
        finalize();
        QVERIFY(child<QGroupBox>("fraPrePaid")->isVisible());
        QCOMPARE(text("txtPrepaid"), QString("$20.00"));
        QCOMPARE(m_screen->focusWidget(), combo("cboPrepaid"));
        // A check number is typed after the form.
        combo("cboPrepaid")->showPopup();
        QAbstractItemView *forms = combo("cboPrepaid")->view();
        QTest::mouseClick(forms->viewport(), Qt::LeftButton, {},
                          forms->visualRect(forms->model()->index(0, 0)).center());
        QTRY_VERIFY(!forms->isVisible());
        QVERIFY(label("lblPrepaidHint")->isVisible());
        QTest::keyClicks(combo("cboPrepaid")->lineEdit(), "1042");
        QCOMPARE(m_program->invoice().prepaidForm, QString("Check # 1042"));

        m_prompts.answerNext(yes);
        screen::click(button("cmdPrepaid_1"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("Click YES to Cancel Prepaid Posting"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Cancel PrePaid"));
        QVERIFY(!child<QGroupBox>("fraPrePaid")->isVisible());
        QCOMPARE(child<QCheckBox>("ckPrepaid")->isChecked(), !yes);
    }

    void prepaidInvoicePostsItsPayment()
    {
        child<QCheckBox>("ckPrepaid")->setChecked(true);
        start();
        addManual("Pipe", "20.00", "1", false);
        enterPrintSetup();
        finalize();
        combo("cboPrepaid")->setCurrentIndex(2);
        m_prompts.answerNext(true);
        screen::click(button("cmdPrepaid_0"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(testfiles::readBytes(m_data->path(customers::ReceivableFile("N1"))),
                 postedbytes::ledger("N1", "N1", Today, "Previous Balance", "$0.00") +
                     postedbytes::ledger("N1", "N1", Today, "20260001", "$20.00") +
                     postedbytes::ledger("N1", "N1", Today, "Payment Received", "$20.00"));
        QCOMPARE(testfiles::readBytes(m_dir->path() + "/CAPaymentRecords.txt"),
                 postedbytes::payment("Nia Moss", "N1", Today, "Cash", "$20.00"));
        QVERIFY(!child<QCheckBox>("ckPrepaid")->isChecked());
    }

    void paperCaptionFollowsTheSetup_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("caption");
        QTest::newRow("plain") << DefaultSettings << "Insert Standard Paper";
        QTest::newRow("remittance") << "1,1,0,1,0,\"0.0\",\"0\",#FALSE#,#TRUE#,\"$0.00\",\"$0.00\"\r\n"
                                    << "Insert Perforated Response Paper";
    }

    void paperCaptionFollowsTheSetup()
    {
        QFETCH(QString, settings);
        QFETCH(QString, caption);
        cleanup();
        open(DefaultTaxes, settings);
        start();
        addManual("Pipe", "20.00", "1", false);
        enterPrintSetup();
        QCOMPARE(label("lblPaper")->text(), caption);
        QCOMPARE(label("lblFeedHint")->isVisible(), caption.contains("Perforated"));
    }

    void discountDefaultsAreStoredOnLeaving()
    {
        combo("cboDiscount")->setCurrentIndex(2);
        combo("cboDays")->setCurrentIndex(2);
        screen::click(button("cmdExit"));
        QCOMPARE(testfiles::readBytes(m_dir->path() + "/PelmorInvoicerSettings.txt"),
                 QByteArray("1,1,0,1,0,\"1.5\",\"15\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n"));
    }

    void cancelledDialogKeepsPrintEnabled()
    {
        m_dialogs.cancel = true;
        start();
        addManual("Pipe", "20.00", "1", false);
        enterPrintSetup();
        finalize();
        screen::click(button("cmdInvoiceContinue"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("The Invoice(s) will not be Printed"));
        QVERIFY(button("cmdInvoiceContinue")->isEnabled());
        QVERIFY(!QFile::exists(m_dialogs.path));
    }

    void refusedPostingPrintsNothing()
    {
        start();
        addManual("Pipe", "20.00", "1", false);
        enterPrintSetup();
        finalize();
        // The number was taken by another posting meanwhile.
        QVERIFY(QDir(m_dir->path()).mkpath("CompletedInvoices"));
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/CompletedInvoices/20260001.txt",
                                      "x\r\n"));
        screen::click(button("cmdInvoiceContinue"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).title, QString("Print Error"));
        QVERIFY(!QFile::exists(m_dialogs.path));
        QVERIFY(!QFile::exists(m_dir->path() + "/InvoiceSalesJournal.txt"));
    }

    void invoiceWalksFromEntryToRecord()
    {
        start();
        addEveryKind();
        enterPrintSetup();
        finalize();
        QCOMPARE(text("txtGrandTotal"), QString("$242.29"));
        m_prompts.answerNext(true); // printed correctly
        screen::click(button("cmdInvoiceContinue"));
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, QString("Was the Invoice Printed Correctly"));
        QCOMPARE(m_prompts.shown.at(0).title, QString("Printing Confirmation"));
        QVERIFY(m_program->screen(Target::MainMenu)->isVisible());
        QVERIFY(!m_screen->isVisible());

        const QString root = m_dir->path();
        const QDate day(2026, 3, 14);
        using namespace postedbytes;
        QCOMPARE(testfiles::readBytes(root + "/SoldItems.txt"),
                 soldItem("Washer", day, "20260001", 10) + soldItem("Custom shelf", day, "20260001", 2));
        QCOMPARE(testfiles::readBytes(root + "/InvoiceSalesJournal.txt"),
                 journal("Nia Moss", "N1", "20260001", day, 2343500, 57740 + 21652, 0, 2422892));
        const QByteArray ledger = testfiles::readBytes(m_data->path(customers::ReceivableFile("N1")));
        QCOMPARE(ledger.size(), 310);
        QCOMPARE(ledger, postedbytes::ledger("N1", "N1", Today, "Previous Balance", "$0.00") +
                             postedbytes::ledger("N1", "N1", Today, "20260001", "$242.29"));
        QCOMPARE(testfiles::readBytes(m_data->path(DataFolder::backupOf(customers::ReceivableFile("N1")))),
                 ledger);
        QCOMPARE(testfiles::readBytes(root + "/TaxRecords.txt"),
                 tax("Sales Tax", Today, "20260001", "5.774") + tax("County Tax", Today, "20260001", "2.1652"));
        Image image;
        image.number = image.invoiceNumber = "20260001";
        image.account = image.accountNumber = "N1";
        image.name = "Nia Moss";
        image.date = Today;
        image.amount = "$242.29";
        image.billTo = QStringList{"Nia Moss", "4 Elm St", "Apt 2", "Springfield", "IL", "62704"};
        image.shipVia = "UPS - Ground";
        image.shipDate = Today;
        image.reference = "Prepared " + Today;
        image.lines = EveryKindLines;
        image.totals = QStringList{"$234.35", "$5.77", "$2.17", "$242.29", "$0.00", "$0.00", "$0.00"};
        QCOMPARE(testfiles::readBytes(root + "/CompletedInvoices/20260001.txt"),
                 postedbytes::image(image));
        QCOMPARE(testfiles::readBytes(root + "/PIInvoiceNo.txt"), QByteArray("20260002\r\n"));
        QCOMPARE(testfiles::readBytes(root + "/PIInventoriedItems.txt"), stock(90));

        // The printed invoice carries the lines and the total, and its PDF is kept.
        for (const QString &pdf : {m_dialogs.path, root + "/InvoicePDFs/2026/20260001.pdf"}) {
            if (!pdfToTextInstalled())
                break;
            QStringList printed;
            for (const PdfWord &word : pdfWords(pdf))
                printed.append(word.text);
            for (const char *word : {"INVOICE", "Washer", "Trip", "$242.29"})
                QVERIFY2(printed.contains(word), word);
        }

        // The catalog screen writes its rows back at the end: the new stock stays.
        m_program->ExitApplication();
        m_program.reset();
        QCOMPARE(testfiles::readBytes(root + "/PIInventoriedItems.txt"), stock(90));
    }

    void postedInvoiceIsKeptAndOfferedByEmail_data()
    {
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("e-mail offered") << false << "Would you like to E-mail Invoice 20260001 to the Customer?"
                                        << "E-mail Invoice";
        QTest::newRow("PDF cannot be kept")
            << true << "The PDF of Invoice 20260001 could not be written:\r\n%1/InvoicePDFs/2026/20260001.pdf"
                       "\r\nThe folder %1/InvoicePDFs/2026 could not be made." << "Invoice PDF";
    }
    void postedInvoiceIsKeptAndOfferedByEmail()
    {
        QFETCH(bool, blocked);
        QFETCH(QString, text);
        QFETCH(QString, title);
        const QString root = m_dir->path();
        fixture::Customer nia = fixture::person("N1", "Nia", "Moss");
        nia.email = "nia@example.com";
        fixture::writeFile(root + "/CustomerData.txt", fixture::bytes(nia));
        if (blocked)
            QVERIFY(testfiles::writeBytes(root + "/InvoicePDFs", "in the way"));
        const StandInMail mail;
        start();
        addManual("Trip fee", "12.5", "1", false);
        enterPrintSetup();
        finalize();
        m_prompts.answerNext(true); // printed correctly
        m_prompts.answerNext(true); // e-mail it, when asked
        screen::click(button("cmdInvoiceContinue"));
        // The posting stands whatever became of the PDF.
        QCOMPARE(testfiles::readBytes(root + "/InvoiceSalesJournal.txt").size(), 125);
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown.at(1).text, text.arg(root));
        QCOMPARE(m_prompts.shown.at(1).title, title);
        QCOMPARE(mail.arguments().mid(1), blocked ? QStringList() : QStringList({
            "--subject", "Invoice 20260001 from Acme", "--body",
            "Please find attached invoice 20260001.\n\nThank you for your business.\nAcme\n",
            "--attach", root + "/InvoicePDFs/2026/20260001.pdf", "nia@example.com"}));
    }

    void abandonedPrintWritesNothingButTheSlip()
    {
        start();
        child<QCheckBox>("ckPackingList")->setChecked(true);
        addEveryKind();
        enterPrintSetup();
        finalize();
        m_prompts.answerNext(false); // not printed correctly
        m_prompts.answerNext(false); // no retry
        m_prompts.answerNext(true);  // the slip came out right
        screen::click(button("cmdInvoiceContinue"));
        QCOMPARE(m_prompts.shown.size(), 3);
        QCOMPARE(m_prompts.shown.at(1).text, QString("Would you like to Retry Printing this Invoice"));
        QCOMPARE(m_prompts.shown.at(1).title, QString("Print Retry"));
        QCOMPARE(m_prompts.shown.at(2).text, QString("Was the Packing Slip printed Correctly?"));
        const QString root = m_dir->path();
        for (const char *name : {"/SoldItems.txt", "/InvoiceSalesJournal.txt", "/TaxRecords.txt",
                                 "/CompletedInvoices/20260001.txt"})
            QVERIFY2(!QFile::exists(root + name), name);
        QCOMPARE(testfiles::readBytes(root + "/PIInvoiceNo.txt"), QByteArray("20260001\r\n"));
        QCOMPARE(testfiles::readBytes(root + "/PIInventoriedItems.txt"), stock(100));
        QVERIFY(!child<QCheckBox>("ckPackingList")->isChecked());
        if (pdfToTextInstalled())
            QVERIFY(slipWords().contains("Washer"));
    }

    void packingSlipAfterPostingListsTheLines()
    {
        start();
        child<QCheckBox>("ckPackingList")->setChecked(true);
        addEveryKind();
        enterPrintSetup();
        finalize();
        m_prompts.answerNext(true); // invoice printed
        m_prompts.answerNext(true); // slip printed
        screen::click(button("cmdInvoiceContinue"));
        QCOMPARE(m_prompts.shown.size(), 2);
        QVERIFY(QFile::exists(m_dir->path() + "/InvoiceSalesJournal.txt"));
        if (!pdfToTextInstalled())
            QSKIP("pdftotext is not installed");
        const QStringList words = slipWords();
        for (const char *word : {"Packing", "Washer", "Custom", "shelf"})
            QVERIFY2(words.contains(word), word);
    }

private:
    const QList<QStringList> EveryKindLines{
        {"", "Leak repair", "3/14/2026", "$120.00", "$120.00", "True"},
        {"10", "Washer", "", "$1.00", "$10.00", "True"},
        {"1.5", "Custom shelf", "", "$1.23", "$1.85", "True"},
        {"2 Hrs", "General Labor", "", "$45.00", "$90.00", "False"},
        {"1", "Trip fee", "", "$12.50", "$12.50", "True"},
    };

    void open(const QString &taxes, const QString &settings)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString root = m_dir->path();
        using namespace catalogbytes;
        QVERIFY(testfiles::writeBytes(root + "/Services.txt",
                                      service("Leak repair", "$120.00", 0) +
                                          service("Drain cleaning", "$85.00", 0)));
        QVERIFY(testfiles::writeBytes(root + "/PIInventoriedItems.txt", stock(100)));
        QVERIFY(testfiles::writeBytes(root + "/CustomItems.txt",
                                      custom("Custom shelf", 12300, 10000, 5) +
                                          custom("Cabinet", 2500000, 0, 0)));
        QVERIFY(testfiles::writeBytes(root + "/Labor.txt",
                                      "\"General Labor\",\"$45.00\"\r\n\"\",\"\"\r\n"
                                      "\"Welding\",\"$60.00\"\r\n"));
        QVERIFY(testfiles::writeBytes(root + "/TaxSettings.txt", taxes.toLatin1()));
        QVERIFY(testfiles::writeBytes(root + "/PelmorInvoicerSettings.txt", settings.toLatin1()));
        QVERIFY(testfiles::writeBytes(root + "/MyBusinessData.txt",
                                      "\"Acme\",\"1 Pipe Rd\",\"\",\"Springfield\",\"IL\",\"62701\","
                                      "\"555-1234\",\"\",\"\"\r\n"));
        m_dialogs.path = root + "/printed.pdf";
        m_dialogs.cancel = false;
        m_prompts.clear();
        PlatformServices platform = fakeplatform::make();
        platform.printDialogs = &m_dialogs;
        m_program = std::make_unique<PelmorMasterModule>(root, m_prompts, m_clock, platform);
        m_program->setQuit([] {});
        QVERIFY(m_program->Main());
        m_data = std::make_unique<DataFolder>(root);
        m_program->invoice().soldTo() =
            SoldTo{"Nia Moss", "4 Elm St", "Apt 2", "Springfield", "IL", "62704", "555-0101", "N1"};
        QVERIFY(m_program->show(Target::Invoice, m_program->screen(Target::MainMenu)));
        m_screen = m_program->screen(Target::Invoice);
        QVERIFY(m_screen && m_screen->isVisible());
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen));
        m_prompts.clear();
    }

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
        combo("cboShipping")->setCurrentIndex(2);
        screen::click(button("cmdInvoice_0"));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void addManual(const QString &description, const QString &price, const QString &units, bool taxed)
    {
        invoicescreen::addManual(m_screen, description, price, units, taxed);
    }

    void addEveryKind()
    {
        child<QCheckBox>("ckApplyVolumeDiscount")->setChecked(true);
        trigger("mnuServices");
        QTest::keyClicks(combo("cboDescription_0")->lineEdit(), "Leak");
        screen::click(button("cmdPost_0"));
        trigger("mnuItems");
        QListWidget *categories = child<QListWidget>("lstCategories");
        QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                          categories->visualItemRect(categories->item(2)).center());
        QTest::keyClicks(combo("cboDescription_1")->lineEdit(), "W");
        QTest::keyClicks(box("txtUnits"), "10");
        screen::click(button("cmdPost_1"));
        trigger("mnuCItems");
        QTest::keyClicks(combo("cboDescription_2")->lineEdit(), "Cu");
        QTest::keyClicks(box("txtCUnits"), "1.5");
        screen::click(button("cmdPost_3"));
        trigger("mnuLabor");
        QTest::keyClicks(box("txtHours_0"), "2");
        screen::click(button("cmdLabor_0"));
        screen::click(button("cmdLabor_1"));
        addManual("Trip fee", "12.5", "1", true);
        QCOMPARE(m_program->invoice().lines.size(), EveryKindLines.size());
        for (int i = 0; i < EveryKindLines.size(); ++i)
            QCOMPARE(QStringList(m_program->invoice().lines.at(i).cells.begin(),
                                 m_program->invoice().lines.at(i).cells.end()),
                     EveryKindLines.at(i));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void enterPrintSetup() { screen::click(button("cmdPrint")); }

    void finalize()
    {
        screen::click(button("cmdInvoice_9"));
        QVERIFY(button("cmdInvoiceContinue")->isEnabled());
    }

    // Picks the terms from the open list, as the operator does.
    void chooseTerms(int position)
    {
        QComboBox *terms = combo("cboTerms");
        terms->showPopup();
        QAbstractItemView *list = terms->view();
        const QModelIndex index = list->model()->index(position, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(terms->currentIndex(), position);
    }

    QStringList slipWords() const
    {
        QStringList words;
        for (const PdfWord &word : pdfWords(m_dialogs.path))
            words.append(word.text);
        return words;
    }

    FixedClock m_clock{QDateTime(QDate(2026, 3, 14), QTime(10, 0))};
    ScriptedPrompts m_prompts;
    PdfPrintDialogs m_dialogs;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<PelmorMasterModule> m_program;
    Screen *m_screen = nullptr;
};

QTEST_MAIN(TestFrmInvoicePrint)
#include "tst_frminvoiceprint.moc"
