#include "ui/screen.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOption>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QString Key = QStringLiteral("PelmorScreenTest");

class SampleScreen final : public Screen
{
public:
    SampleScreen() : Screen(Key)
    {
        setObjectName(QStringLiteral("frmSample"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QStringLiteral("A screen with some room"), this));
        setMinimumSize(420, 300);
        restoreGeometryFromSettings();
    }
    int activations = 0;
    void Form_Activate() override { ++activations; }
};

QByteArray savedGeometry()
{
    return QSettings(QStringLiteral("Pelmor"), Key)
        .value(QStringLiteral("frmSample/geometry"))
        .toByteArray();
}

} // namespace

class TestScreen : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings(QStringLiteral("Pelmor"), Key).clear(); }

    void screenNeverShownKeepsNoPlace()
    {
        {
            SampleScreen never;
            never.closeByProgram();
        }
        QCOMPARE(savedGeometry(), QByteArray());
        // The next run still centres it the first time it is shown.
        SampleScreen next;
        next.navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        const QRect available = next.screen()->availableGeometry();
        QVERIFY2(qAbs(next.frameGeometry().center().x() - available.center().x()) <= 1,
                 qPrintable(QStringLiteral("%1 in %2")
                                .arg(next.frameGeometry().center().x())
                                .arg(available.center().x())));
        QVERIFY(next.width() >= 420);
    }

    void placeIsKeptBetweenRuns()
    {
        QRect placed;
        {
            SampleScreen first;
            first.navigateTo();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            first.setGeometry(QRect(first.x() + 7, first.y() + 5, 500, 333));
            placed = first.geometry();
            first.closeByProgram();
            QVERIFY(!first.isVisible());
        }
        QVERIFY(!savedGeometry().isEmpty());
        SampleScreen second;
        second.navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QCOMPARE(second.geometry().size(), placed.size());
    }

    // A window once stretched far past the screen opens within it next time.
    void aSizeNoScreenHoldsIsNotRestored()
    {
        {
            SampleScreen first;
            first.navigateTo();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            first.resize(500000, 400);
            first.closeByProgram();
        }
        SampleScreen next;
        next.navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QVERIFY(next.width() <= next.screen()->availableGeometry().width());
        QVERIFY(next.width() >= 420);
    }

    // A screen made for a larger monitor opens whole on this one, its top (and menu bar)
    // included, and no smaller than it can be.
    void aFirstSizeLargerThanTheScreenFitsOnIt_data()
    {
        QTest::addColumn<QSize>("extra");
        QTest::newRow("taller") << QSize(-200, 40);
        QTest::newRow("wider and taller") << QSize(300, 300);
        QTest::newRow("as large as the screen") << QSize(0, 0);
    }
    void aFirstSizeLargerThanTheScreenFitsOnIt()
    {
        QFETCH(QSize, extra);
        SampleScreen screen;
        const QRect available = screen.screen()->availableGeometry();
        screen.resize(available.size() + extra);
        screen.navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        QVERIFY2(available.contains(screen.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(screen.frameGeometry().x())
                                .arg(screen.frameGeometry().y())
                                .arg(screen.frameGeometry().width())
                                .arg(screen.frameGeometry().height())));
        QVERIFY(screen.width() >= 420 && screen.height() >= 300);
    }

    // The operator arriving by keyboard sees where the cursor is before pressing a key:
    // a focused button draws its focus frame at once.
    void arrivalShowsWhereTheFocusIs()
    {
        SampleScreen screen;
        auto *button = new QPushButton(QStringLiteral("Go"), &screen);
        screen.layout()->addWidget(button);
        screen.navigateTo();
        QApplication::setActiveWindow(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        button->setFocus(Qt::OtherFocusReason);
        QStyleOption drawn;
        drawn.initFrom(button);
        QVERIFY(drawn.state & QStyle::State_HasFocus);
        QVERIFY(drawn.state & QStyle::State_KeyboardFocusChange);
    }

    void restoredPlaceIsSavedAgainUnshown()
    {
        {
            SampleScreen first;
            first.navigateTo();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            first.resize(510, 344);
            first.closeByProgram();
        }
        const QByteArray before = savedGeometry();
        {
            // Restored but never shown in this run: what it saves still holds the size.
            SampleScreen unshown;
            unshown.closeByProgram();
        }
        SampleScreen third;
        third.navigateTo();
        QVERIFY(QTest::qWaitForWindowExposed(&third));
        QCOMPARE(third.size(), QSize(510, 344));
        QVERIFY(!before.isEmpty());
    }

    void operatorCloseAsksTheProgramAndStaysOpen()
    {
        SampleScreen screen;
        screen.navigateTo();
        QCOMPARE(screen.activations, 1);
        QSignalSpy asked(&screen, &Screen::closeRequested);
        QVERIFY(!screen.close());
        QCOMPARE(asked.size(), 1);
        QVERIFY(screen.isVisible());
        screen.closeByProgram();
        QVERIFY(!screen.isVisible());
        QCOMPARE(asked.size(), 1);
    }
};

QTEST_MAIN(TestScreen)
#include "tst_screen.moc"
