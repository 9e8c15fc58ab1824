#include "core/appstate.h"
#include "core/datafolder.h"
#include "customers/frmcustomerselection.h"
#include "proposalbytes.h"
#include "scriptedprompts.h"
#include "testfiles.h"
#include "ui/navigator.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using fixture::ProposalHead;
using fixture::proposalBytes;

Q_DECLARE_METATYPE(Navigator::Target)

namespace {

class FakeNavigator final : public Navigator
{
public:
    bool show(Target target, Screen *from) override
    {
        shown.append(target);
        if (from)
            from->hide();
        return true;
    }
    bool hasScreen(Target) const override { return true; }
    void ExitApplication() override {}
    void OpenWebPage(const QString &) override {}
    bool SettingsFilesPresent() const override { return true; }
    int IncompleteCount() const override { return 0; }

    QList<Target> shown;
};

ProposalHead second()
{
    ProposalHead head;
    head.number = "FP-77";
    head.amount = "89.995";
    head.created = "11/30/2026";
    head.account = "RIV7";
    head.name = "River Farm";
    head.address1 = "1 Mill Rd";
    head.address2 = "";
    head.state = "WI";
    head.city = "Madison";
    head.postal = "53703";
    head.telephone = "608-555-0142";
    return head;
}

} // namespace

class tst_frmCustomerSelection : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_data = std::make_unique<DataFolder>(m_dir->path());
        m_prompts.clear();
        m_navigator.shown.clear();
        m_state = ApplicationState();
        m_handed.clear();
    }

    void cleanup()
    {
        m_screen.reset();
        m_data.reset();
        m_dir.reset();
    }

    void captionsAndStartingState()
    {
        writeProposal("a.txt", ProposalHead());
        openScreen();
        QCOMPARE(m_screen->windowTitle(), QString("Customer Selection"));
        const QList<std::array<QString, 3>> expected = {
            {"cmdStartup_0", "Select Customer from Customer List", "opens the customer window"},
            {"cmdStartup_1", "Select Customer from Existing Proposal", "opens the proposal window"},
            {"cmdCancelselectProposal", "Cancel Select from Proposal",
             "Cancels the selection process"},
            {"cmdCreation_0", "Return without Selecting a Customer", "return to the main menu"},
            {"cmdCreation_1", "&Create an Invoice", ""},
            {"cmdCreation_2", "Select a Different Customer", ""},
            {"lblBasicInst",
             "To Create an Invoice, Select a Customer from your Customer List or an Existing "
             "Proposal",
             ""},
            {"lblCreateInst", "Click Create an Invoice", ""},
            {"lblProposalHint", "Left Click on a Proposal to Select it", ""},
            {"lblAcctNo", "Acct No", ""},
        };
        for (const auto &[name, caption, toolTip] : expected) {
            QWidget *widget = m_screen->findChild<QWidget *>(name);
            QVERIFY2(widget, qPrintable(name));
            if (auto *b = qobject_cast<QAbstractButton *>(widget))
                QCOMPARE(b->text(), caption);
            else
                QCOMPARE(qobject_cast<QLabel *>(widget)->text(), caption);
            QCOMPARE(widget->toolTip(), toolTip);
        }
        QCOMPARE(group("fraProposals")->title(), QString("Existing Proposals"));
        QCOMPARE(group("fraProjectInfo")->title(), QString("Customer Information"));
        QStringList headers;
        for (int column = 0; column < grid()->model()->columnCount(); ++column)
            headers.append(grid()->model()->headerData(column, Qt::Horizontal).toString());
        QCOMPARE(headers,
                 (QStringList{"Proposal No", "Created on", "Customer Information", "Amount"}));
        QCOMPARE(visibleGroups(), QStringList{"fraInstructions_0"});
        QVERIFY(!button("cmdCreation_1")->isEnabled());
        QVERIFY(button("cmdStartup_1")->isEnabled());
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void noProposalsIsSaidAndTheButtonDisabled_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no files") << QByteArray();
        QTest::newRow("only a damaged file") << QByteArray(300, '\0');
        QTest::newRow("only an account that names no file")
            << [] {
                   ProposalHead head;
                   head.account = "A/1";
                   return proposalBytes(head);
               }();
    }

    void noProposalsIsSaidAndTheButtonDisabled()
    {
        QFETCH(QByteArray, bytes);
        if (!bytes.isEmpty())
            QVERIFY(testfiles::writeBytes(m_dir->path() + "/PelmorProposals/x.txt", bytes));
        openScreen();
        QCOMPARE(m_prompts.shown.size(), 1);
        QCOMPARE(m_prompts.shown[0].kind, QString("tell"));
        QCOMPARE(m_prompts.shown[0].text, QString("No Proposals Exist"));
        QCOMPARE(m_prompts.shown[0].title, QString("Pelmor Invoicer"));
        QVERIFY(!button("cmdStartup_1")->isEnabled());
        QCOMPARE(visibleGroups(), QStringList{"fraInstructions_0"});
    }

    // The same customer reaches the invoice whether the head has eleven or eighteen values.
    void rowClickThenCreateHandsTheProposalCustomerOver_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::newRow("FP") << QByteArray("FP1001");
        QTest::newRow("no FP") << QByteArray("P1001");
    }

    void rowClickThenCreateHandsTheProposalCustomerOver()
    {
        QFETCH(QByteArray, number);
        ProposalHead first;
        first.number = number;
        writeProposal("a.txt", first);
        writeProposal("b.txt", second());
        openScreen();

        QTest::mouseClick(button("cmdStartup_1"), Qt::LeftButton);
        QCOMPARE(visibleGroups(), QStringList{"fraProposals"});
        QCOMPARE(grid()->currentIndex().row(), 0);
        QCOMPARE(gridRow(0), (QStringList{number, "12/1/2026", "Ann Lee", "$1,234.50"}));
        QCOMPARE(gridRow(1), (QStringList{"FP-77", "11/30/2026", "River Farm", "$90.00"}));

        clickRow(0);
        QCOMPARE(visibleGroups(), (QStringList{"fraInstructions_1", "fraProjectInfo"}));
        QCOMPARE(labels(), (QStringList{"LEE100", "Ann Lee", "12 Elm St", "Suite 4", "Springfield",
                                        "IL", "62701", "217-555-0100", ""}));
        QVERIFY(button("cmdCreation_1")->isEnabled());
        QVERIFY(m_state.FromProposal);

        QTest::mouseClick(button("cmdCreation_1"), Qt::LeftButton);
        QCOMPARE(m_handed.size(), 1);
        const SoldTo &handed = m_handed.first();
        QCOMPARE(handed.AcctNo, QString("LEE100"));
        QCOMPARE(handed.Customer, QString("Ann Lee"));
        QCOMPARE(handed.Street, QString("12 Elm St"));
        QCOMPARE(handed.Address2, QString("Suite 4"));
        QCOMPARE(handed.Address3, QString("Springfield"));
        QCOMPARE(handed.State, QString("IL"));
        QCOMPARE(handed.Address4, QString("62701"));
        QCOMPARE(handed.Tel, QString("217-555-0100"));
        QVERIFY(!m_screen->isVisible());
        // The customer file is neither read nor written.
        QCOMPARE(testfiles::filesIn(m_dir->path()),
                 (QStringList{"/PelmorProposals/a.txt", "/PelmorProposals/b.txt"}));
        QVERIFY(m_prompts.shown.isEmpty());
    }

    void enterChoosesTheHighlightedProposal()
    {
        writeProposal("a.txt", ProposalHead());
        writeProposal("b.txt", second());
        openScreen();
        QTest::mouseClick(button("cmdStartup_1"), Qt::LeftButton);
        QTest::keyClick(grid(), Qt::Key_Down);
        QTest::keyClick(grid(), Qt::Key_Return);
        QCOMPARE(labels().mid(0, 2), (QStringList{"RIV7", "River Farm"}));
        QVERIFY(button("cmdCreation_1")->isEnabled());
    }

    void buttonsReturnToTheStartingState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fromProposalFirst");
        QTest::newRow("cancel while choosing") << "cmdCancelselectProposal" << false;
        QTest::newRow("a different customer") << "cmdCreation_2" << true;
    }

    void buttonsReturnToTheStartingState()
    {
        QFETCH(QString, name);
        QFETCH(bool, fromProposalFirst);
        writeProposal("a.txt", ProposalHead());
        openScreen();
        QTest::mouseClick(button("cmdStartup_1"), Qt::LeftButton);
        if (fromProposalFirst)
            clickRow(0);
        QTest::mouseClick(button(name), Qt::LeftButton);
        QCOMPARE(visibleGroups(), QStringList{"fraInstructions_0"});
        QVERIFY(!button("cmdCreation_1")->isEnabled());
        QVERIFY(m_screen->isVisible());
        QVERIFY(m_navigator.shown.isEmpty());
        // The create button stays off until a proposal is chosen again.
        QTest::keyClick(m_screen.get(), Qt::Key_C, Qt::AltModifier);
        QVERIFY(m_handed.isEmpty());
    }

    void customerListAndReturnLeaveTheScreen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Navigator::Target>("target");
        QTest::addColumn<bool>("fromProposal");
        QTest::newRow("customer list")
            << "cmdStartup_0" << Navigator::Target::CustomerMaintenance << false;
        QTest::newRow("return") << "cmdCreation_0" << Navigator::Target::MainMenu << true;
    }

    void customerListAndReturnLeaveTheScreen()
    {
        QFETCH(QString, name);
        QFETCH(Navigator::Target, target);
        QFETCH(bool, fromProposal);
        writeProposal("a.txt", ProposalHead());
        openScreen();
        QTest::mouseClick(button("cmdStartup_1"), Qt::LeftButton);
        clickRow(0);
        QTest::mouseClick(button("cmdCreation_2"), Qt::LeftButton);
        QTest::mouseClick(button(name), Qt::LeftButton);
        QCOMPARE(m_navigator.shown, QList<Navigator::Target>{target});
        QCOMPARE(m_state.FromProposal, fromProposal);
        QVERIFY(!m_screen->isVisible());
        QVERIFY(m_handed.isEmpty());
    }

    // A proposal written while the program runs is offered at the next visit, and the
    // last visit's customer is gone.
    void activationRereadsTheProposalsAndEmptiesTheLabels()
    {
        writeProposal("a.txt", ProposalHead());
        openScreen();
        QTest::mouseClick(button("cmdStartup_1"), Qt::LeftButton);
        clickRow(0);
        writeProposal("b.txt", second());
        m_screen->navigateTo();
        QCOMPARE(labels(), QStringList(9));
        QCOMPARE(visibleGroups(), QStringList{"fraInstructions_0"});
        QCOMPARE(grid()->model()->rowCount(), 2);
        QCOMPARE(gridRow(1).first(), QString("FP-77"));
    }

private:
    void writeProposal(const QString &name, const ProposalHead &head)
    {
        QVERIFY(testfiles::writeBytes(m_dir->path() + "/PelmorProposals/" + name,
                                      proposalBytes(head)));
    }

    void openScreen()
    {
        m_screen = std::make_unique<frmCustomerSelection>(*m_data, m_state, m_prompts, m_navigator);
        m_screen->setStartInvoice([this](const SoldTo &customer) { m_handed.append(customer); });
        m_screen->navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(m_screen.get()));
    }

    QPushButton *button(const QString &name) const
    {
        auto *b = m_screen->findChild<QPushButton *>(name);
        if (!b)
            qFatal("no button %s", qPrintable(name));
        return b;
    }
    QGroupBox *group(const QString &name) const { return m_screen->findChild<QGroupBox *>(name); }
    QTableView *grid() const { return m_screen->findChild<QTableView *>("fgProposals"); }

    QStringList visibleGroups() const
    {
        QStringList names;
        for (const char *name :
             {"fraInstructions_0", "fraInstructions_1", "fraProjectInfo", "fraProposals"})
            if (group(name)->isVisible())
                names.append(name);
        return names;
    }

    QStringList gridRow(int row) const
    {
        QStringList cells;
        for (int column = 0; column < grid()->model()->columnCount(); ++column)
            cells.append(grid()->model()->index(row, column).data().toString());
        return cells;
    }

    void clickRow(int row)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, 2));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // lblAccount, then lblCustomerInfo 1 to 8.
    QStringList labels() const
    {
        QStringList texts{m_screen->findChild<QLabel *>("lblAccount")->text()};
        for (int index = 1; index <= 8; ++index)
            texts.append(
                m_screen->findChild<QLabel *>(QStringLiteral("lblCustomerInfo_%1").arg(index))
                    ->text());
        return texts;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DataFolder> m_data;
    ScriptedPrompts m_prompts;
    FakeNavigator m_navigator;
    ApplicationState m_state;
    std::unique_ptr<frmCustomerSelection> m_screen;
    QList<SoldTo> m_handed;
};

QTEST_MAIN(tst_frmCustomerSelection)
#include "tst_frmcustomerselection.moc"
