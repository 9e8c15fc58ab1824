#include "ui/leavewatcher.h"
#include "ui/screen.h"

#include "screenaccess.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Two boxes and a button; every rule and click is written down in order.
class BoxesScreen final : public Screen
{
public:
    BoxesScreen() : Screen(QStringLiteral("PelmorLeaveWatcherTest"))
    {
        setObjectName(QStringLiteral("frmBoxes"));
        auto *layout = new QVBoxLayout(this);
        for (QLineEdit *&box : boxes) {
            box = new QLineEdit(this);
            box->setObjectName(QStringLiteral("txtBox_%1").arg(&box - boxes));
            layout->addWidget(box);
        }
        button = new QPushButton(QStringLiteral("&Store"), this);
        button->setObjectName(QStringLiteral("cmdStore"));
        button->setAutoDefault(false);
        layout->addWidget(button);
        tick = new QCheckBox(QStringLiteral("&Keep"), this);
        tick->setObjectName(QStringLiteral("ckKeep"));
        layout->addWidget(tick);
        connect(button, &QPushButton::clicked, this,
                [this] { events << QStringLiteral("clicked with ") + boxes[0]->text(); });
        watcher = new LeaveWatcher(this);
        for (QLineEdit *box : boxes) {
            watcher->onLeave(box, [this, box] {
                events << "left " + box->objectName();
                box->setText(box->text() + QStringLiteral(".00"));
                if (sendBack)
                    box->setFocus(Qt::OtherFocusReason);
            });
            watcher->onEnter(box, [this, box] { events << "entered " + box->objectName(); });
        }
    }

    QLineEdit *boxes[2] = {};
    QPushButton *button = nullptr;
    QCheckBox *tick = nullptr;
    LeaveWatcher *watcher = nullptr;
    QStringList events;
    bool sendBack = false;
};

} // namespace

class TestLeaveWatcher : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_screen = std::make_unique<BoxesScreen>();
        m_screen->navigateTo();
        QApplication::setActiveWindow(m_screen.get());
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
        m_screen->boxes[0]->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(m_screen->boxes[0], QStringLiteral("35"));
        m_screen->events.clear();
    }
    void cleanup() { m_screen.reset(); }

    void onlyTheOperatorLeavesABox_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<QStringList>("events");

        const QStringList both{"left txtBox_0", "entered txtBox_1"};
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << false << both;
        QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << false << both;
        QTest::newRow("click") << int(Qt::MouseFocusReason) << false << both;
        QTest::newRow("caption mnemonic") << int(Qt::ShortcutFocusReason) << false << both;
        QTest::newRow("screen moves the cursor")
            << int(Qt::OtherFocusReason) << false << QStringList();
        QTest::newRow("popup") << int(Qt::PopupFocusReason) << false << QStringList();
        QTest::newRow("while the screen fills its boxes")
            << int(Qt::TabFocusReason) << true << QStringList();
    }
    void onlyTheOperatorLeavesABox()
    {
        QFETCH(int, reason);
        QFETCH(bool, quiet);
        QFETCH(QStringList, events);

        m_screen->watcher->setQuiet(quiet);
        m_screen->boxes[1]->setFocus(Qt::FocusReason(reason));

        QCOMPARE(m_screen->events, events);
    }

    void hiddenBoxIsNotLeft()
    {
        m_screen->boxes[0]->hide();
        QVERIFY(!m_screen->boxes[0]->hasFocus());
        QVERIFY2(!m_screen->events.contains("left txtBox_0"),
                 qPrintable(m_screen->events.join(", ")));
    }

    void cursorSentBackChecksNoOtherBox()
    {
        m_screen->sendBack = true;
        QTest::keyClick(m_screen->boxes[0], Qt::Key_Tab);

        QCOMPARE(m_screen->events, QStringList{"left txtBox_0"});
        QCOMPARE(QApplication::focusWidget(), m_screen->boxes[0]);
    }

    // A button started by its mnemonic leaves the box first, as a click does.
    void mnemonicLeavesTheBoxBeforeTheButtonActs_data()
    {
        QTest::addColumn<bool>("mouse");
        QTest::newRow("Alt+S") << false;
        QTest::newRow("click") << true;
    }
    void mnemonicLeavesTheBoxBeforeTheButtonActs()
    {
        QFETCH(bool, mouse);

        if (mouse)
            screen::click(m_screen->button);
        else
            QTest::keyClick(m_screen->boxes[0], Qt::Key_S, Qt::AltModifier);

        QTRY_COMPARE(m_screen->events, (QStringList{"left txtBox_0", "clicked with 35.00"}));
        QCOMPARE(QApplication::focusWidget(), m_screen->button);
        QTest::qWait(150);
        QCOMPARE(m_screen->events.size(), 2);
    }

    void mnemonicOfATickBoxLeavesTheBoxToo()
    {
        QTest::keyClick(m_screen->boxes[0], Qt::Key_K, Qt::AltModifier);

        QCOMPARE(m_screen->events, QStringList{"left txtBox_0"});
        QTRY_VERIFY(m_screen->tick->isChecked());
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 1;
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, clicks);

        QTest::keyClick(m_screen->boxes[0], Qt::Key_Tab);
        QTest::keyClick(m_screen->boxes[1], Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_screen->button);
        m_screen->events.clear();

        QTest::keyClick(m_screen->button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(m_screen->events.size(), clicks);
        // Enter does not tick a tick box: only buttons that act are pressed.
        m_screen->tick->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_screen->tick, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_screen->tick->isChecked(), key == Qt::Key_Space);
    }

private:
    std::unique_ptr<BoxesScreen> m_screen;
};

QTEST_MAIN(TestLeaveWatcher)
#include "tst_leavewatcher.moc"
