// The program installed into a staging folder, as a package would lay it out.
#include "menu/usermanual.h"

#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Id = QStringLiteral("org.pelmor.Invoicer");
const int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Run
{
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
    QTemporaryDir m_stage;
    QString m_usr;

    // Validators are checked where they exist; a machine without one says so.
    void validate(const QString &tool, const QStringList &arguments)
    {
        const QString found = QStandardPaths::findExecutable(tool);
        if (found.isEmpty())
            QSKIP(qPrintable(tool + QStringLiteral(" is not installed; scripts/deps.sh installs it.")));
        const Run result = run(found, arguments);
        QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_stage.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), m_stage.path());
        const Run install = run(QStringLiteral(PELMOR_CMAKE),
                                {"--install", QStringLiteral(PELMOR_BUILD_DIR), "--prefix", "/usr"},
                                environment);
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
        m_usr = m_stage.path() + QStringLiteral("/usr");
    }

    void installsEveryFile()
    {
        QStringList expected{"/bin/pelmor-invoicer",
                             "/share/applications/" + Id + ".desktop",
                             "/share/icons/hicolor/scalable/apps/" + Id + ".svg",
                             "/share/metainfo/" + Id + ".metainfo.xml",
                             "/share/pelmor-invoicer/UserManual.html"};
        for (int size : IconSizes)
            expected << QStringLiteral("/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(Id);
        expected.sort();
        QCOMPARE(testfiles::filesIn(m_usr), expected);

        QVERIFY(QFileInfo(m_usr + "/bin/pelmor-invoicer").isExecutable());
        for (int size : IconSizes) {
            const QImage icon(QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/%3.png")
                                  .arg(m_usr)
                                  .arg(size)
                                  .arg(Id));
            QCOMPARE(icon.size(), QSize(size, size));
        }
        // The installed manual is the one built into the program.
        QCOMPARE(testfiles::readBytes(m_usr + "/share/pelmor-invoicer/UserManual.html"),
                 UserManual::content());
    }

    void desktopEntryStartsTheProgramWithItsIcon()
    {
        const QStringList lines =
            QString::fromUtf8(testfiles::readBytes(m_usr + "/share/applications/" + Id + ".desktop"))
                .split(u'\n');
        for (const char *line : {"Name=Pelmor Invoicer", "Exec=pelmor-invoicer",
                                 "Icon=org.pelmor.Invoicer", "Categories=Office;Finance;"})
            QVERIFY2(lines.contains(QLatin1String(line)), line);
        const QString metainfo =
            QString::fromUtf8(testfiles::readBytes(m_usr + "/share/metainfo/" + Id + ".metainfo.xml"));
        for (const char *part : {"<id>org.pelmor.Invoicer</id>",
                                 "<summary>Invoices for a small service or trade business</summary>",
                                 "<launchable type=\"desktop-id\">org.pelmor.Invoicer.desktop",
                                 "<screenshot type=\"default\">"})
            QVERIFY2(metainfo.contains(QLatin1String(part)), part);
    }

    void desktopEntryIsValid()
    {
        validate(QStringLiteral("desktop-file-validate"),
                 {m_usr + "/share/applications/" + Id + ".desktop"});
    }

    void metainfoIsValid()
    {
        // No network in tests: the screenshot's address is not fetched.
        validate(QStringLiteral("appstreamcli"),
                 {"validate", "--no-net", "--pedantic", m_usr + "/share/metainfo/" + Id + ".metainfo.xml"});
    }

    void installedProgramKeepsItsDataPerUser()
    {
        // Even where it may write (as root it may write anywhere), the installed copy keeps
        // its data out of the folder of programs.
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.remove(QStringLiteral("XDG_DATA_HOME"));
        environment.remove(QStringLiteral("PELMOR_DATA_DIR"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        const Run version = run(m_usr + "/bin/pelmor-invoicer", {"--version"}, environment);
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output.section(u'\n', 1),
                 QStringLiteral("Data folder: %1/.local/share/Pelmor/PelmorInvoicer\n")
                     .arg(home.path()));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
