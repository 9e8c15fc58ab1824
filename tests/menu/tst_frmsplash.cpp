#include "menu/frmsplash.h"
#include "ui/navigator.h"

#include "fakenavigator.h"
#include "screenaccess.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {


} // namespace

class tst_frmSplash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsNameAndVersion();
    void continueWithSetupGoesToTheMainMenu();
    void continueOnAFirstStartShowsTheWelcome();
    void pictureOpensTheSetup_data();
    void pictureOpensTheSetup();
    void enterOnContinue();
    void missingScreenKeepsTheWelcomeWindow();

private:
    template <typename T> T *child(const char *name) const
    {
        return screen::child<T>(m_splash.get(), QString::fromLatin1(name));
    }

    std::unique_ptr<FakeNavigator> m_navigator;
    std::unique_ptr<frmSplash> m_splash;
};

void tst_frmSplash::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void tst_frmSplash::init()
{
    m_navigator = std::make_unique<FakeNavigator>();
    m_navigator->settingsPresent = false;
    m_splash = std::make_unique<frmSplash>(*m_navigator);
    m_splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_splash.get()));
}

void tst_frmSplash::cleanup()
{
    m_splash.reset();
    m_navigator.reset();
}

void tst_frmSplash::showsNameAndVersion()
{
    QCOMPARE(m_splash->windowTitle(), QStringLiteral("Pelmor Invoicer"));
    QCOMPARE(child<QLabel>("lblProductName")->text(), QStringLiteral("Pelmor Invoicer"));

    const QString version = child<QLabel>("lblVersion")->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                 .match(version)
                 .hasMatch(),
             qPrintable(version));
    QCOMPARE(version, QStringLiteral("Version %1.%2.%3")
                          .arg(PELMOR_VERSION_MAJOR)
                          .arg(PELMOR_VERSION_MINOR)
                          .arg(PELMOR_VERSION_PATCH));

    auto *cmdContinue = child<QPushButton>("cmdContinue");
    QCOMPARE(cmdContinue->text(), QStringLiteral("&Continue"));
    QCOMPARE(cmdContinue->accessibleName(), QStringLiteral("Continue"));
    QVERIFY(!child<QFrame>("fraWelcome")->isVisible());
    QCOMPARE(m_navigator->settingsChecks, 0);
}

void tst_frmSplash::continueWithSetupGoesToTheMainMenu()
{
    m_navigator->settingsPresent = true;
    QSignalSpy operatorClose(m_splash.get(), &Screen::closeRequested);

    QTest::mouseClick(child<QPushButton>("cmdContinue"), Qt::LeftButton);

    QCOMPARE(m_navigator->shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
    QVERIFY(!m_splash->isVisible());
    // Closed by the program: nothing asks to end it.
    QCOMPARE(operatorClose.count(), 0);
    QCOMPARE(m_navigator->exits, 0);
    QVERIFY(!child<QFrame>("fraWelcome")->isVisibleTo(m_splash.get()));
}

void tst_frmSplash::continueOnAFirstStartShowsTheWelcome()
{
    QTest::mouseClick(child<QPushButton>("cmdContinue"), Qt::LeftButton);

    QCOMPARE(m_navigator->settingsChecks, 1);
    QVERIFY(m_navigator->shown.isEmpty());
    QVERIFY(m_splash->isVisible());
    auto *fraWelcome = child<QFrame>("fraWelcome");
    QVERIFY(fraWelcome->isVisible());
    auto *picture = child<QToolButton>("imgWelcome");
    QVERIFY(picture->isVisible());
    QVERIFY(!picture->icon().isNull());
    QVERIFY(!picture->accessibleName().isEmpty());
    QVERIFY(child<QLabel>("lblWelcome")->text().contains(QLatin1String("Welcome")));
    // The whole panel fits in the window.
    QVERIFY(m_splash->rect().contains(fraWelcome->geometry()));
}

void tst_frmSplash::pictureOpensTheSetup_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<int>("key");
    QTest::newRow("mouse") << false << 0;
    QTest::newRow("space") << true << int(Qt::Key_Space);
    QTest::newRow("enter") << true << int(Qt::Key_Return);
    QTest::newRow("keypad enter") << true << int(Qt::Key_Enter);
}

void tst_frmSplash::pictureOpensTheSetup()
{
    QFETCH(bool, keyboard);
    QFETCH(int, key);
    QSignalSpy operatorClose(m_splash.get(), &Screen::closeRequested);
    QTest::mouseClick(child<QPushButton>("cmdContinue"), Qt::LeftButton);
    auto *picture = child<QToolButton>("imgWelcome");

    if (keyboard) {
        QVERIFY(QTest::qWaitForWindowActive(m_splash.get()));
        QCOMPARE(QApplication::focusWidget(), picture);
        QTest::keyClick(picture, Qt::Key(key));
    } else {
        QTest::mouseClick(picture, Qt::LeftButton);
    }

    QCOMPARE(m_navigator->shown, QList<Navigator::Target>{Navigator::Target::Setup});
    QVERIFY(!m_splash->isVisible());
    QCOMPARE(operatorClose.count(), 0);
    QCOMPARE(m_navigator->exits, 0);
}

void tst_frmSplash::enterOnContinue()
{
    m_navigator->settingsPresent = true;
    QVERIFY(QTest::qWaitForWindowActive(m_splash.get()));
    auto *cmdContinue = child<QPushButton>("cmdContinue");
    cmdContinue->setFocus(Qt::TabFocusReason);

    QTest::keyClick(cmdContinue, Qt::Key_Return);

    QCOMPARE(m_navigator->shown, QList<Navigator::Target>{Navigator::Target::MainMenu});
}

void tst_frmSplash::missingScreenKeepsTheWelcomeWindow()
{
    m_navigator->missing = {Navigator::Target::Setup, Navigator::Target::MainMenu};

    m_navigator->settingsPresent = true;
    QTest::mouseClick(child<QPushButton>("cmdContinue"), Qt::LeftButton);
    QVERIFY(m_splash->isVisible());

    m_navigator->settingsPresent = false;
    QTest::mouseClick(child<QPushButton>("cmdContinue"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("imgWelcome"), Qt::LeftButton);
    QCOMPARE(m_navigator->shown,
             QList<Navigator::Target>({Navigator::Target::MainMenu, Navigator::Target::Setup}));
    QVERIFY(m_splash->isVisible());
}

QTEST_MAIN(tst_frmSplash)
#include "tst_frmsplash.moc"
