#include "core/appstate.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "invoice/frmincomplete.h"
#include "invoice/incompleteinvoices.h"

#include "screenaccess.h"
#include "scriptedprompts.h"
#include "testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Target = Navigator::Target;

class FakeNavigator final : public Navigator
{
public:
    bool show(Target target, Screen *from) override
    {
        shown.append(target);
        if (target == Target::Invoice && !invoiceScreen)
            return false;
        if (from)
            from->hide();
        return true;
    }
    bool hasScreen(Target target) const override { return target != Target::Invoice || invoiceScreen; }
    void ExitApplication() override {}
    void OpenWebPage(const QString &) override {}
    bool SettingsFilesPresent() const override { return true; }
    int IncompleteCount() const override { return 0; }

    bool invoiceScreen = true;
    QList<Target> shown;
};

QByteArray partialFile(const QByteArray &number, const QByteArray &account, int lines)
{
    QByteArray out = number + "\r\n" + account + "\r\nNia Moss\r\n11/30/2026\r\n";
    for (const char *v : {"Nia Moss", "12 Main St", "", "Springfield", "IL", "62701"})
        out += QByteArray("\"") + v + "\"\r\n";
    for (int k = 0; k < 6; ++k)
        out += "\"\"\r\n";
    out += number + "\r\n" + account + "\r\nPO 1\r\n\r\n" + QByteArray::number(lines) + "\r\n";
    for (int i = 1; i <= lines; ++i)
        out += QByteArray::number(i) + "\r\nItem\r\n12/1/2026\r\n$1.00\r\n$" +
               QByteArray::number(i) + ".00\r\nTrue\r\n";
    return out;
}

const QString LoadedMessage = QStringLiteral(
    "Partial Invoice Number 1001\r\nhas been loaded into the Invoice Screen.\r\n\r\nClick OK\r\n"
    "\r\nThe Invoice Screen will display.\r\n\r\nClick the [Add To......] Button");

} // namespace

class tst_frmIncomplete : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<IncompleteInvoices> m_list;
    std::unique_ptr<frmIncomplete> m_screen;
    InvoiceDocument m_invoice;
    ApplicationState m_state;
    ScriptedPrompts m_prompts;
    FakeNavigator m_navigator;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(9, 30))};
    QList<std::pair<QString, QList<QStringList>>> m_reports;

    QString partialPath(const QString &number) const
    {
        return m_dir->path() + "/PelmorInvoicer/IncompleteInvoices/" + number + ".txt";
    }
    template <typename T> T *child(const QString &name) const { return screen::child<T>(m_screen.get(), name); }
    QPushButton *button(int index) const
    {
        return child<QPushButton>(QStringLiteral("Command1_%1").arg(index));
    }
    QTableWidget *grid() const { return child<QTableWidget>(QStringLiteral("fgIncomplete")); }
    void clickRow(int row)
    {
        QTableWidget *g = grid();
        const QRect cell = g->visualRect(g->model()->index(row, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void open()
    {
        m_list->LoadIncomplete();
        m_screen = std::make_unique<frmIncomplete>(
            *m_list, m_invoice, m_state, m_prompts, m_navigator, m_clock,
            [this](const QString &title, const QList<QStringList> &rows) { m_reports.append({title, rows}); });
        m_screen->navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(m_dir->path() + "/PelmorInvoicer/IncompleteInvoices"));
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_list = std::make_unique<IncompleteInvoices>(*m_data);
        m_invoice = InvoiceDocument{};
        m_invoice.AcctNo = QStringLiteral("OTHER");
        m_state = ApplicationState{};
        m_prompts.clear();
        m_navigator = FakeNavigator{};
        m_reports.clear();
        QVERIFY(testfiles::writeBytes(partialPath("1001"), partialFile("1001", "MOSS01", 3)));
        QVERIFY(testfiles::writeBytes(partialPath("1002"), partialFile("1002", "REED02", 1)));
    }
    void cleanup() { m_screen.reset(); }

    void shouldHaveDefaultState()
    {
        open();
        QCOMPARE(m_screen->windowTitle(), QStringLiteral("Partial Invoices"));
        QMap<QString, QStringList> expected{
            {"Command1_0", {"&Menu", "Return to Main Menu"}},
            {"Command1_1", {"&Add to Selected Invoice", "Add items to the Selected Invoice"}},
            {"Command1_2", {"&Purge All Invoices", "Deletes all Partial Invoices"}},
            {"Command1_3", {"&Purge Selected Invoice", "Deletes the Selected Invoice"}},
            {"cmdReport", {"Print Partial Invoice &Report", "Prints a Report of all Partial Invoices"}},
        };
        QMap<QString, QStringList> actual;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            auto *b = child<QPushButton>(it.key());
            actual.insert(it.key(), {b->text(), b->toolTip()});
        }
        QCOMPARE(actual, expected);
        QCOMPARE(child<QLabel>("lblInstruction")->text(), QStringLiteral("Click an Invoice to Select it, then click"));
        QTableWidget *g = grid();
        QCOMPARE(g->toolTip(), QStringLiteral("Displays a list of all Partial Invoices"));
        QStringList headings;
        for (int c = 0; c < g->columnCount(); ++c)
            headings << g->horizontalHeaderItem(c)->text();
        QCOMPARE(headings, (QStringList{"Invoice No", "Account Number", "Account Name", "Last Modified Date"}));
        QCOMPARE(g->rowCount(), 2);
        QStringList first;
        for (int c = 0; c < 4; ++c)
            first << g->item(0, c)->text();
        QCOMPARE(first, (QStringList{"1001", "MOSS01", "Nia Moss", "11/30/2026"}));
        QCOMPARE(g->currentRow(), 0);
        QVERIFY(!button(3)->isEnabled());
    }

    void clickEnablesPurgeAndFocusesAdd()
    {
        open();
        clickRow(1);
        QVERIFY(button(3)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(1));
        QCOMPARE(grid()->currentRow(), 1);
    }

    void addLoadsTheSelectedInvoice()
    {
        open();
        m_invoice.Misc = Money::fromDouble(12);
        QTest::mouseClick(button(1), Qt::LeftButton);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown[0].text, LoadedMessage);
        QCOMPARE(m_prompts.shown[0].title, QStringLiteral("Partial Invoice Loaded"));
        QVERIFY(m_state.resumedPartial);
        QCOMPARE(m_invoice.AcctNo, QStringLiteral("MOSS01"));
        QCOMPARE(m_invoice.number, QStringLiteral("1001"));
        QCOMPARE(m_invoice.LineCount(), 3);
        QCOMPARE(m_invoice.lines[2][InvoiceLine::Amount], QStringLiteral("$3.00"));
        QCOMPARE(m_invoice.Misc, Money());
        QCOMPARE(m_invoice.CreationDate, QDate(2026, 11, 30));
        QCOMPARE(m_navigator.shown, QList<Target>{Target::Invoice});
        QVERIFY(!m_screen->isVisible());
    }

    void doubleClickLoadsToo()
    {
        open();
        QTableWidget *g = grid();
        const QRect cell = g->visualRect(g->model()->index(1, 0));
        // A real double click starts with a press and release.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(m_invoice.number, QStringLiteral("1002"));
        QVERIFY(m_state.resumedPartial);
    }

    void failedLoadChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("invoiceScreen");
        QTest::addColumn<QString>("message");
        QTest::newRow("vanished") << QByteArray() << true
                                  << "Partial Invoice 1001 is no longer there.";
        QTest::newRow("count above 100") << partialFile("1001", "MOSS01", 101) << true
            << "Partial Invoice 1001 cannot be loaded: its number of lines (\"101\") is not a whole number from 0 to 100.";
        QTest::newRow("another number inside") << partialFile("1003", "MOSS01", 1) << true
            << "Partial Invoice 1003 cannot be loaded: the invoice number it holds (\"1003\") is not its own.";
        QTest::newRow("no invoice screen") << partialFile("1001", "MOSS01", 1) << false
            << "The Invoice Screen is not available.";
    }
    void failedLoadChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, invoiceScreen);
        QFETCH(QString, message);
        m_navigator.invoiceScreen = invoiceScreen;
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(partialPath("1001")));
        else
            QVERIFY(testfiles::writeBytes(partialPath("1001"), bytes));
        m_list->LoadIncomplete();
        if (bytes.isEmpty())
            QVERIFY(testfiles::writeBytes(partialPath("1001"), partialFile("1001", "MOSS01", 1)));
        open();
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(partialPath("1001")));
        QTest::mouseClick(button(1), Qt::LeftButton);
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown[0].text, message);
        QCOMPARE(m_prompts.shown[0].title, QStringLiteral("Partial Invoice Not Loaded"));
        QVERIFY(!m_state.resumedPartial);
        QCOMPARE(m_invoice.AcctNo, QStringLiteral("OTHER"));
        QCOMPARE(m_navigator.shown, QList<Target>());
        QVERIFY(m_screen->isVisible());
        QCOMPARE(grid()->rowCount(), bytes.isEmpty() ? 1 : 2);
    }

    void purgeSelectedAsksTwice_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<bool>("second");
        QTest::newRow("yes, yes") << true << true;
        QTest::newRow("no") << false << true;
        QTest::newRow("yes, no") << true << false;
    }
    void purgeSelectedAsksTwice()
    {
        QFETCH(bool, first);
        QFETCH(bool, second);
        open();
        clickRow(1);
        m_prompts.answerNext(first);
        m_prompts.answerNext(second);
        QTest::mouseClick(button(3), Qt::LeftButton);
        QVERIFY(!button(3)->isEnabled());
        QList<std::pair<QString, QString>> asked;
        for (const auto &shown : m_prompts.shown)
            asked.append({shown.text, shown.title});
        QList<std::pair<QString, QString>> expected{
            {"This will Purge Incomplete Invoice# 1002", "Purge Incomplete Invoice"}};
        if (first)
            expected.append(std::pair<QString, QString>("Are You Sure?", "Purge Confirmation"));
        QCOMPARE(asked, expected);
        const bool purged = first && second;
        QCOMPARE(QFile::exists(partialPath("1002")), !purged);
        QVERIFY(QFile::exists(partialPath("1001")));
        QCOMPARE(m_list->IncompleteCount(), purged ? 1 : 2);
        QCOMPARE(m_navigator.shown, purged ? QList<Target>{Target::MainMenu} : QList<Target>());
    }

    void purgeAllEmptiesTheFolderAndHides()
    {
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/PelmorInvoicer/IncompleteInvoices/stray.bak", "x"));
        open();
        m_prompts.answerNext(true);
        m_prompts.answerNext(true);
        QTest::mouseClick(button(2), Qt::LeftButton);
        QCOMPARE(m_prompts.shown.size(), 2);
        QCOMPARE(m_prompts.shown[0].text, QStringLiteral("This will Purge ALL Incomplete Invoices"));
        QCOMPARE(m_prompts.shown[0].title, QStringLiteral("Purge Incomplete Invoices"));
        QCOMPARE(m_prompts.shown[1].text, QStringLiteral("Are You Sure?"));
        QCOMPARE(m_prompts.shown[1].title, QStringLiteral("Purge Confirmation"));
        QCOMPARE(testfiles::filesIn(m_dir->path()), QStringList());
        QCOMPARE(m_list->IncompleteCount(), 0);
        QVERIFY(!m_screen->isVisible());
        QCOMPARE(m_navigator.shown, QList<Target>{Target::MainMenu});
    }

    void reportPrintsTheGrid()
    {
        open();
        QTest::mouseClick(child<QPushButton>("cmdReport"), Qt::LeftButton);
        QCOMPARE(m_reports.size(), 1);
        QCOMPARE(m_reports[0].first, QStringLiteral("Incomplete Invoices Report"));
        QCOMPARE(m_reports[0].second,
                 (QList<QStringList>{{"1001", "MOSS01", "Nia Moss", "11/30/2026"},
                                     {"1002", "REED02", "Nia Moss", "11/30/2026"}}));
    }

    void menuReturns()
    {
        open();
        QTest::mouseClick(button(0), Qt::LeftButton);
        QCOMPARE(m_navigator.shown, QList<Target>{Target::MainMenu});
        QVERIFY(!m_screen->isVisible());
    }
};

QTEST_MAIN(tst_frmIncomplete)
#include "tst_frmincomplete.moc"
