#include "printing/frmblanks.h"

#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "fakenavigator.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "recordingpage.h"
#include "screenaccess.h"
#include "scriptedprompts.h"
#include "setup/businesssettings.h"
#include "setup/settingsfiles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using Kind = RecordingPage::Kind;

namespace {

std::optional<QSizeF> noPictures(const QByteArray &)
{
    return std::nullopt;
}

} // namespace

class TestFrmBlanks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void shouldHaveDefaultValue();
    void activationEmptiesAndFocusesTheCount();
    void printsOneJobPerFormThenWaitsForAKey();
    void refusalsAreReportedAndDisablePrint_data();
    void refusalsAreReportedAndDisablePrint();
    void remittancePaperFromTheSetup();
    void returnToMenu();
    void taxHeadingsReachThePrintout();

private:
    QLineEdit *count() { return screen::child<QLineEdit>(m_screen.get(), QStringLiteral("txtInvoices")); }
    QPushButton *button(int index)
    {
        return screen::child<QPushButton>(m_screen.get(), QStringLiteral("Command1_%1").arg(index));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    ApplicationState m_state;
    std::unique_ptr<BusinessSettings> m_settings;
    RecordingPageSource m_pages;
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    std::unique_ptr<Printouts> m_printouts;
    FakeNavigator m_navigator;
    std::unique_ptr<frmBlanks> m_screen;
};

void TestFrmBlanks::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestFrmBlanks::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = std::make_unique<DataFolder>(m_dir->path());
    m_settings = std::make_unique<BusinessSettings>(*m_data, m_state, &noPictures);
    m_pages = RecordingPageSource();
    m_prompts.clear();
    m_navigator.shown.clear();
    m_printouts = std::make_unique<Printouts>(*m_data, m_pages, m_prompts, m_clock);
    m_screen = std::make_unique<frmBlanks>(*m_printouts, *m_settings, m_navigator);
    m_screen->navigateTo();
    QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
}

void TestFrmBlanks::cleanup()
{
    m_screen.reset();
    m_printouts.reset();
    m_settings.reset();
}

void TestFrmBlanks::shouldHaveDefaultValue()
{
    QCOMPARE(m_screen->windowTitle(), QStringLiteral("Print Blank Invoices"));
    const auto *label = screen::child<QLabel>(m_screen.get(), QStringLiteral("lblInvoices"));
    QCOMPARE(label->text(), QStringLiteral("Enter the Number of Invoices to Print"));
    QCOMPARE(label->buddy(), count());
    QCOMPARE(button(0)->text(), QStringLiteral("Print"));
    QCOMPARE(button(1)->text(), QStringLiteral("Return to Menu"));
    QVERIFY(button(0)->isEnabled());
    QCOMPARE(count()->text(), QString());
}

void TestFrmBlanks::activationEmptiesAndFocusesTheCount()
{
    QTest::keyClicks(count(), QStringLiteral("12"));
    button(1)->setFocus();
    m_screen->navigateTo();
    QCOMPARE(count()->text(), QString());
    QCOMPARE(QApplication::focusWidget(), count());
}

void TestFrmBlanks::printsOneJobPerFormThenWaitsForAKey()
{
    QTest::keyClicks(count(), QStringLiteral("3"));
    screen::click(button(0));
    QCOMPARE(m_pages.asked(), 1);
    const RecordingPage &page = *m_pages.last();
    QCOMPARE(page.of(Kind::EndDocument).size(), 3);
    QCOMPARE(page.texts().count(QStringLiteral("Page 1")), 3);
    QCOMPARE(page.texts().count(QStringLiteral("Date 12/8/2026")), 3);
    QCOMPARE(m_prompts.shown.size(), 0);
    QVERIFY(!button(0)->isEnabled());

    QTest::keyClick(count(), Qt::Key_Backspace);
    QVERIFY(button(0)->isEnabled());
}

void TestFrmBlanks::refusalsAreReportedAndDisablePrint_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");

    QTest::newRow("cancelled dialog") << QStringLiteral("2") << true
                                      << QStringLiteral("The Invoice(s) will not be Printed")
                                      << DefaultMessageTitle;
    QTest::newRow("empty count") << QString() << false
                                 << QStringLiteral("A Print Error has occurred")
                                 << QStringLiteral("Print Error");
    QTest::newRow("too many") << QStringLiteral("99999") << false
                              << QStringLiteral("A Print Error has occurred")
                              << QStringLiteral("Print Error");
    QTest::newRow("zero prints nothing silently") << QStringLiteral("0") << false << QString()
                                                  << QString();
}

void TestFrmBlanks::refusalsAreReportedAndDisablePrint()
{
    QFETCH(QString, typed);
    QFETCH(bool, cancel);
    QFETCH(QString, message);
    QFETCH(QString, title);
    if (cancel)
        m_pages.answer = PageSource::Choice::Cancelled;

    QTest::keyClicks(count(), typed);
    screen::click(button(0));
    if (message.isEmpty()) {
        QCOMPARE(m_prompts.shown.size(), 0);
    } else {
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown.at(0).text, message);
        QCOMPARE(m_prompts.shown.at(0).title, title);
    }
    if (m_pages.last())
        QCOMPARE(m_pages.last()->of(Kind::EndDocument).size(), 0);
    QVERIFY(!button(0)->isEnabled());
}

void TestFrmBlanks::remittancePaperFromTheSetup()
{
    settingsfiles::InvoiceSettings invoice = m_settings->invoiceSettings();
    invoice.remittanceSlip = true;
    m_settings->setInvoiceSettings(invoice);
    QTest::keyClicks(count(), QStringLiteral("1"));
    screen::click(button(0));
    const QStringList texts = m_pages.last()->texts();
    QVERIFY(texts.contains(QStringLiteral("Detach Here and Return Top Section")));
    QVERIFY(texts.contains(QStringLiteral("Amount Enclosed              _______________")));
}

void TestFrmBlanks::returnToMenu()
{
    screen::click(button(1));
    QCOMPARE(m_navigator.shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    QVERIFY(!m_screen->isVisible());
}

void TestFrmBlanks::taxHeadingsReachThePrintout()
{
    settingsfiles::TaxSettings taxes;
    taxes.heading1 = QStringLiteral("GST");
    taxes.heading2 = QStringLiteral("PST");
    m_settings->setTaxes(taxes);
    const PrintSettings print = m_settings->printSettings();
    QCOMPARE(print.taxHeading1, QStringLiteral("GST"));
    QCOMPARE(print.taxHeading2, QStringLiteral("PST"));
}

QTEST_MAIN(TestFrmBlanks)
#include "tst_frmblanks.moc"
