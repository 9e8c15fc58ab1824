#include "core/rollbackjournal.h"

#include "core/datafolder.h"
#include "testfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

template <typename T> QByteArray little(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian<T>(value, bytes.data());
    return bytes;
}

QByteArray sized(const QByteArray &bytes)
{
    return little<quint32>(quint32(bytes.size())) + bytes;
}

// One entry as the layout gives it: op, state, path, position, bytes, kept copy.
QByteArray entry(quint8 op, quint8 state, const QByteArray &path, qint64 position,
                 const QByteArray &bytes = {}, quint32 kept = 0)
{
    return little(op) + little(state) + sized(path) + little(position) + sized(bytes) + little(kept);
}

QByteArray sealed(const QByteArray &body)
{
    return body + QCryptographicHash::hash(body, QCryptographicHash::Sha256);
}

// A posting of invoice 77 that appended to the journal, made the image, replaced the
// number file (kept as copy 3) and lowered a stock field from 0x0A00 to 0x0800.
QByteArray intentBody(quint16 version = 1, const QByteArray &imagePath = "CompletedInvoices/77.txt")
{
    return QByteArray("PWINTENT") + little<quint16>(version) + little<quint16>(1) + sized("77") +
           little<quint32>(4) + entry(1, 1, "InvoiceSalesJournal.txt", 5) +
           entry(2, 0, imagePath, 0) + entry(2, 1, "PIInvoiceNo.txt", 0, {}, 3) +
           entry(3, 1, "PIInventoriedItems.txt", 2, QByteArray("\x0A\x00", 2));
}

} // namespace

class TestRollbackJournal : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &relative) const { return m_dir.path() + relative; }
    void write(const QString &relative, const QByteArray &bytes)
    {
        QVERIFY(testfiles::writeBytes(path(relative), bytes));
    }
    QByteArray read(const QString &relative) const { return testfiles::readBytes(path(relative)); }

    // The files as a posting cut short leaves them.
    void writeInterruptedPosting(const QByteArray &intent)
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        write("/InvoiceSalesJournal.txt", "firstSECOND");
        write("/CompletedInvoices/77.txt", "image");
        write("/PIInvoiceNo.txt", "78\r\n");
        write("/WriteIntent.dat.3", "77\r\n");
        write("/PIInventoriedItems.txt", QByteArray("ab\x08\x00yz", 6));
        write("/WriteIntent.dat", intent);
    }

private slots:
    void anIntentBuiltFromItsLayoutIsUndone()
    {
        writeInterruptedPosting(sealed(intentBody()));
        const Recovery recovery = RecoverInterruptedWrite(DataFolder(m_dir.path()));
        QCOMPARE(recovery.outcome, Recovery::Outcome::Undone);
        QCOMPARE(recovery.message, QStringLiteral("The Posting of Invoice 77 was interrupted and has "
                                                  "been undone.\r\nPrint and Post Invoice 77 again."));
        QCOMPARE(recovery.title, QStringLiteral("Posting Interrupted"));
        QCOMPARE(testfiles::filesIn(m_dir.path()),
                 QStringList({"/InvoiceSalesJournal.txt", "/PIInventoriedItems.txt", "/PIInvoiceNo.txt"}));
        QCOMPARE(read("/InvoiceSalesJournal.txt"), QByteArray("first"));
        QCOMPARE(read("/PIInvoiceNo.txt"), QByteArray("77\r\n"));
        QCOMPARE(read("/PIInventoriedItems.txt"), QByteArray("ab\x0A\x00yz", 6));
        // The next start finds nothing to do.
        QCOMPARE(RecoverInterruptedWrite(DataFolder(m_dir.path())).outcome, Recovery::Outcome::Nothing);
    }

    void aDamagedIntentIsKeptAndReportedAndTouchesNothing_data()
    {
        QTest::addColumn<QByteArray>("intent");
        const QByteArray good = sealed(intentBody());
        QByteArray flipped = good;
        flipped[20] = char(flipped[20] ^ 1);
        QTest::newRow("cut short") << good.left(good.size() - 1);
        QTest::newRow("a byte changed") << flipped;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("another version") << sealed(intentBody(2));
        QTest::newRow("a path out of the folder") << sealed(intentBody(1, "../outside.txt"));
        QTest::newRow("an absolute path") << sealed(intentBody(1, "/etc/outside.txt"));
        QTest::newRow("bytes after the entries") << sealed(intentBody() + "x");
    }

    void aDamagedIntentIsKeptAndReportedAndTouchesNothing()
    {
        QFETCH(QByteArray, intent);
        writeInterruptedPosting(intent);
        const QStringList files = testfiles::filesIn(m_dir.path());
        const Recovery recovery = RecoverInterruptedWrite(DataFolder(m_dir.path()));
        QCOMPARE(recovery.outcome, Recovery::Outcome::Damaged);
        QCOMPARE(recovery.title, QStringLiteral("Interrupted Write"));
        QCOMPARE(recovery.message,
                 QStringLiteral("The file \"WriteIntent.dat\" in \"%1\" could not be read.\r\n"
                                "A Posting or another write to the data files may have been "
                                "interrupted; the data files were left as they are.\r\n"
                                "Keep the file and check the last Invoice posted. Until it is "
                                "moved out of the folder, no Invoice can be Posted.")
                     .arg(QDir::toNativeSeparators(m_dir.path())));
        // Nor does a later write put its own intent in its place.
        const DataFolder data(m_dir.path());
        RollbackJournal later(data, RollbackJournal::Kind::CatalogSave, QString());
        QVERIFY(later.noteReplace("/Services.txt"));
        QVERIFY(!later.begin());
        QCOMPARE(testfiles::filesIn(m_dir.path()), files);
        QCOMPARE(read("/WriteIntent.dat"), intent);
        QCOMPARE(read("/InvoiceSalesJournal.txt"), QByteArray("firstSECOND"));
    }
};

QTEST_GUILESS_MAIN(TestRollbackJournal)
#include "tst_rollbackjournal.moc"
