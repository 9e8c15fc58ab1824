// The program installed into a staging folder, as the package lays it out.
#include "menu/usermanual.h"
#include "startup/commandline.h"

#include "testfiles.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Id = QStringLiteral("org.pelmor.Invoicer");

// The exit status, or what went wrong with everything printed.
QString run(const QString &program, const QStringList &arguments, const QString &destDir = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), destDir);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.exitCode() == 0 ? QStringLiteral("0")
                                   : QString::fromLocal8Bit(process.readAll());
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
    QTemporaryDir m_stage;
    QString m_usr = m_stage.path() + QStringLiteral("/usr");

private slots:
    void installsEveryFile()
    {
        QCOMPARE(run(QStringLiteral(PELMOR_CMAKE),
                     {"--install", QStringLiteral(PELMOR_BUILD_DIR), "--prefix", "/usr"},
                     m_stage.path()),
                 QStringLiteral("0"));
        QStringList expected{"/bin/pelmor-invoicer", "/share/applications/" + Id + ".desktop",
                             "/share/icons/hicolor/scalable/apps/" + Id + ".svg",
                             "/share/metainfo/" + Id + ".metainfo.xml",
                             "/share/pelmor-invoicer/UserManual.html"};
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString icon =
                QStringLiteral("/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(Id);
            QCOMPARE(QImage(m_usr + icon).size(), QSize(size, size));
            expected << icon;
        }
        expected.sort();
        QCOMPARE(testfiles::filesIn(m_usr), expected);
        QVERIFY(testfiles::readBytes(m_usr + "/share/applications/" + Id + ".desktop")
                    .contains("\nExec=pelmor-invoicer\nIcon=org.pelmor.Invoicer\nCategories=Office;"
                              "Finance;\n"));
        // The installed program finds the manual built into it.
        QCOMPARE(testfiles::readBytes(launch::installedManual(m_usr + "/bin")),
                 UserManual::content());
    }

    void installedProgramKeepsItsDataPerUser()
    {
        // Even where it may write (root may write anywhere): not among the system's programs.
        QProcess program;
        program.start(m_usr + "/bin/pelmor-invoicer", {"--version"});
        QVERIFY(program.waitForFinished(20000));
        const QString perUser =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QVERIFY(program.readAll().endsWith(
            ("Data folder: " + perUser + "/Pelmor/PelmorInvoicer\n").toLocal8Bit()));
    }

    void installedFilesAreValid_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{"/share/applications/" + Id + ".desktop"};
        // No network in tests: the screenshot's address is not fetched.
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net",
                                                 "/share/metainfo/" + Id + ".metainfo.xml"};
    }

    void installedFilesAreValid()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString found = QStandardPaths::findExecutable(tool);
        if (found.isEmpty())
            QSKIP(qPrintable(tool +
                             QStringLiteral(" is not installed (scripts/deps.sh installs it).")));
        arguments.last().prepend(m_usr);
        QCOMPARE(run(found, arguments), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
