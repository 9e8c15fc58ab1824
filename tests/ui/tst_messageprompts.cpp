#include "ui/messageprompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

class TestMessagePrompts : public QObject
{
    Q_OBJECT

private slots:
    // The title bar shows the title whole: the box is at least as wide as the title
    // in a bold face plus the title bar's icon and buttons.
    void boxIsWideEnoughForItsTitle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");

        QTest::newRow("default title") << "OK?"
                                       << ""
                                       << "Pelmor Invoicer";
        QTest::newRow("short text, long title") << "Done"
                                                << "The Account Number is a duplicate of another"
                                                << "The Account Number is a duplicate of another";
        QTest::newRow("long text") << QString(200, u'x') << "Invalid Key entry"
                                   << "Invalid Key entry";
    }
    void boxIsWideEnoughForItsTitle()
    {
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, shown);

        const auto box = makeMessageBox(text, title, QMessageBox::Ok, QMessageBox::Ok);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));

        QCOMPARE(box->windowTitle(), shown);
        QFont bold = box->font();
        bold.setBold(true);
        const int titleBar = QFontMetrics(bold).horizontalAdvance(shown) + 150;
        QVERIFY2(box->width() >= titleBar,
                 qPrintable(QStringLiteral("%1 < %2").arg(box->width()).arg(titleBar)));
    }

    void questionsStartOnTheirDefaultButton_data()
    {
        QTest::addColumn<int>("defaultButton");
        QTest::newRow("Yes") << int(QMessageBox::Yes);
        QTest::newRow("No, for a question that destroys data") << int(QMessageBox::No);
    }
    void questionsStartOnTheirDefaultButton()
    {
        QFETCH(int, defaultButton);
        const auto box = makeMessageBox(QStringLiteral("Delete this Customer"), {},
                                        QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::StandardButton(defaultButton));
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        // Enter answers with the default button.
        QTest::keyClick(box.get(), Qt::Key_Return);
        QCOMPARE(box->result(), defaultButton);
    }
    void okCancelShowsItsIcon_data()
    {
        QTest::addColumn<bool>("warning");
        QTest::addColumn<bool>("pressOk");
        QTest::addColumn<int>("icon");
        QTest::newRow("plain, OK") << false << true << int(QMessageBox::NoIcon);
        QTest::newRow("plain, Cancel") << false << false << int(QMessageBox::NoIcon);
        QTest::newRow("exclamation, OK") << true << true << int(QMessageBox::Warning);
        QTest::newRow("exclamation, Cancel") << true << false << int(QMessageBox::Warning);
    }
    void okCancelShowsItsIcon()
    {
        QFETCH(bool, warning);
        QFETCH(bool, pressOk);
        QFETCH(int, icon);
        MessagePrompts prompts;
        int seenIcon = -1;
        QString seenTitle;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenIcon = int(box->icon());
            seenTitle = box->windowTitle();
            box->button(pressOk ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
        const bool answer = warning
                                ? prompts.askOkCancelWarning(QStringLiteral("This will Delete"),
                                                             QStringLiteral("Template Deletion"))
                                : prompts.askOkCancel(QStringLiteral("Sure?"));
        QCOMPARE(answer, pressOk);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(seenTitle, warning ? QStringLiteral("Template Deletion") : DefaultMessageTitle);
    }

    // The window a box was shown over has the keyboard again once the box is answered.
    void answeringABoxGivesTheKeyboardBack()
    {
        QWidget window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        MessagePrompts prompts;
        QTimer::singleShot(0, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        prompts.tell(QStringLiteral("Your Customer File is Empty"));
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

QTEST_MAIN(TestMessagePrompts)
#include "tst_messageprompts.moc"
