#include "ui/busywork.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

class tst_BusyWork final : public QObject
{
    Q_OBJECT

private slots:
    void dialogOnlyForLongWork_data()
    {
        QTest::addColumn<int>("workMs");
        QTest::addColumn<bool>("shown");
        QTest::newRow("instant") << 0 << false;
        QTest::newRow("under half a second") << 200 << false;
        QTest::newRow("longer than half a second") << 1000 << true;
    }

    void dialogOnlyForLongWork()
    {
        QFETCH(int, workMs);
        QFETCH(bool, shown);
        QWidget screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        bool seen = false;
        bool modal = false;
        bool cancellable = true;
        QString label;
        // Looks at the screen while the work runs, as the operator would.
        QTimer look;
        look.setInterval(50);
        connect(&look, &QTimer::timeout, this, [&] {
            auto *dialog = screen.findChild<QProgressDialog *>();
            if (dialog && dialog->isVisible()) {
                seen = true;
                modal = dialog->windowModality() == Qt::WindowModal;
                cancellable = !dialog->findChildren<QPushButton *>().isEmpty();
                label = dialog->labelText();
            }
        });
        look.start();
        const int result = runBusyFor(&screen, QStringLiteral("Deleting Records"), [&] {
            QThread::msleep(workMs);
            return workMs + 1;
        });
        QCOMPARE(result, workMs + 1);
        QCOMPARE(seen, shown);
        if (shown) {
            QVERIFY(modal);
            QVERIFY(!cancellable);
            QCOMPARE(label, QStringLiteral("Deleting Records"));
        }
        QVERIFY(!screen.findChild<QProgressDialog *>());
    }
};

QTEST_MAIN(tst_BusyWork)
#include "tst_busywork.moc"
