#include "ui/messageprompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class tst_MessagePrompts : public QObject
{
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(tst_MessagePrompts)
#include "tst_messageprompts.moc"
