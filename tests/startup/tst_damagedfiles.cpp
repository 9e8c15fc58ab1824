#include "core/clock.h"
#include "dialer/portserialline.h"
#include "setup/setupdialogs.h"
#include "startup/pelmormastermodule.h"
#include "ui/printdialogs.h"
#include "ui/screen.h"

#include "catalogbytes.h"
#include "customerbytes.h"
#include "fakeplatform.h"
#include "proposalbytes.h"
#include "postedbytes.h"
#include "scriptedprompts.h"
#include "testfiles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

PlatformServices fakePlatform()
{
    return fakeplatform::make();
}

// A case that is only slow (a loaded machine ran one past 50 s; the sanitizers slow
// everything) is no hang.
#ifdef __SANITIZE_ADDRESS__
constexpr std::chrono::seconds CaseLimit(270);
#else
constexpr std::chrono::seconds CaseLimit(90);
#endif

// A run that blocks for good would only show as the test's time-out; this names the
// case that hung instead.
class Watchdog final
{
public:
    Watchdog(QByteArray what, std::chrono::seconds limit)
        : m_thread([this, what = std::move(what), limit] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_finished; })) {
                  std::fprintf(stderr, "HUNG: %s\n", what.constData());
                  std::abort();
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

// --- well-formed files, built from their layouts -----------------------------------

QByteArray serviceRecord(const QByteArray &description, const QByteArray &charge, qint16 time)
{
    return catalogbytes::service(QString::fromLatin1(description), QString::fromLatin1(charge),
                                 time);
}

// Amounts are stored as the value times 10,000.
QByteArray salesItemRecord(const QByteArray &description, const QByteArray &category,
                           qint64 priceCents)
{
    catalogbytes::Item item;
    item.description = QString::fromLatin1(description);
    item.category = QString::fromLatin1(category);
    item.cost = priceCents / 2 * 100;
    item.price = priceCents * 100;
    item.onHand = 7;
    item.discountPrice = (priceCents - 10) * 100;
    item.discountQty = 5;
    item.reorderAmount = 2;
    item.reorderAt = 1;
    return catalogbytes::item(item);
}

QByteArray customItemRecord(const QByteArray &description, qint64 priceCents)
{
    return catalogbytes::custom(QString::fromLatin1(description), priceCents * 100,
                                (priceCents - 5) * 100, 3);
}

QByteArray journalRecord(const QByteArray &name, const QByteArray &account, const QByteArray &invoice,
                         int day, qint64 totalCents)
{
    return postedbytes::journal(QString::fromLatin1(name), QString::fromLatin1(account),
                                QString::fromLatin1(invoice), QDate(1899, 12, 30).addDays(day),
                                totalCents * 100, 0, 0, totalCents * 100);
}

QByteArray soldItemRecord(const QByteArray &name, int day, const QByteArray &invoice, qint16 units)
{
    return postedbytes::soldItem(QString::fromLatin1(name), QDate(1899, 12, 30).addDays(day),
                                 QString::fromLatin1(invoice), units);
}

QByteArray completedImage(const QByteArray &number)
{
    QByteArray out = number + "\r\nA100\r\nNia Moss\r\n3/15/2023\r\n$100.00\r\n";
    for (int k = 0; k < 12; ++k)
        out += "\"line " + QByteArray::number(k) + "\"\r\n";
    out += "UPS\r\n3/15/2023\r\n" + number + "\r\nA100\r\nPO, 7\r\nFront desk\r\n1\r\n";
    out += "1\r\nFaucet\r\n3/15/2023\r\n$100.00\r\n$100.00\r\nT\r\n";
    return out + "\"$100.00\",\"$0.00\",\"$0.00\",\"$100.00\",\"$0.00\",\"$0.00\",\"$0.00\"\r\n";
}

QByteArray customerRecord(const QByteArray &account, const QByteArray &first,
                          const QByteArray &last, const QByteArray &telephone)
{
    fixture::Customer c = fixture::person(account, first, last, "Springfield");
    c.name = first + " " + last;
    c.address1 = "12 Main St";
    c.city = "Springfield";
    c.state = "IL";
    c.postal = "62701";
    c.address4 = "62701";
    c.telephone = telephone;
    c.email = "x@example.com";
    c.title = "Mr";
    c.initial = "Q";
    return fixture::bytes(c);
}

QByteArray pngPicture()
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Header lines, then six lines for its one grid line.
QByteArray goodPartialInvoice()
{
    return "1001\r\nA100\r\nNia Moss\r\n12/1/2026\r\n"
           "\"Nia Moss\"\r\n\"12 Main St\"\r\n\"\"\r\n\"Springfield\"\r\n\"IL\"\r\n\"62701\"\r\n" +
           QByteArray("\"\"\r\n").repeated(6) +
           "1001\r\nA100\r\nPO 7\r\n\r\n1\r\n"
           "2\r\nFaucet\r\n12/1/2026\r\n$49.99\r\n$99.98\r\nTrue\r\n";
}

struct DataFile
{
    QString name;
    // 0 for a text file.
    int recordLength = 0;
    QByteArray good;
    // Lines a rewritten text file holds; -1 when any number will do.
    int lines = -1;
};

const QByteArray Accounts[] = {"A100", "B200"};

QByteArray field(const QString &value, int width)
{
    return catalogbytes::text(value, width);
}

// What a posted invoice leaves beside the journals (listed with the records): the tax
// and payment records and an invoice image.
QList<DataFile> postedFiles()
{
    return {
        {"/TaxRecords.txt", 75,
         field("Sales Tax", 20) + field("12/8/2026", 15) + field("20260001", 30) +
             field("4.12", 10)},
        {"/CAPaymentRecords.txt", 155,
         field("Nia Moss", 45) + field("A100", 25) + field("12/8/2026", 15) +
             field("Check # 12", 60) + field("$104.10", 10)},
        {"/CompletedInvoices/20260001.txt", 0,
         "20260001\r\nA100\r\nNia Moss\r\n12/8/2026\r\n$104.10\r\n" +
             QByteArray("\"\"\r\n").repeated(12) +
             "UPS\r\n12/9/2026\r\n20260001\r\nA100\r\nPO 7\r\n\r\n1\r\n"
             "2\r\nFaucet\r\n12/8/2026\r\n$49.99\r\n$99.98\r\nTrue\r\n"
             "\"$99.98\",\"$4.12\",\"$0.00\",\"$104.10\",\"$0.00\",\"$0.00\",\"$0.00\"\r\n",
         -1},
    };
}

const QString ProposalFolder = QStringLiteral("/PelmorProposals");

fixture::ProposalHead proposal(const QByteArray &number)
{
    fixture::ProposalHead head;
    head.number = number;
    head.account = Accounts[0];
    return head;
}

QList<DataFile> dataFiles(const QString &root)
{
    QList<DataFile> files{
        {"/PelmorInvoicerSettings.txt", 0,
         "1,0,0,0,0,\"0.0\",\"0\",#TRUE#,#FALSE#,\"$0.00\",\"$0.00\"\r\n", 1},
        {"/MyBusinessData.txt", 0,
         "\"Acme Plumbing\",\"1 Pipe Rd\",\"\",\"Springfield\",\"IL\",\"62701\",\"555-1234\","
         "\"\",\"\"\r\n",
         1},
        {"/TaxSettings.txt", 0, "\"Sales Tax\",\"Tax\",\"4.0\",\"4.0\",1,0\r\n", 1},
        {"/PrintColors.txt", 0, "255\r\n0\r\n\"Arial\"\r\n#TRUE#\r\n3\r\n", 5},
        {"/CompanyLogo.txt", 0, "\"" + QFile::encodeName(root) + "/logo.png\"\r\n", 1},
        {"/logo.png", 0, pngPicture(), -1},
        {"/LogoSettings.txt", 0, "1440,720\r\n", 1},
        {"/MyWebSite.txt", 0, "\"www.example.com\"\r\n", -1},
        {"/Phone.txt", 0, "#TRUE#\r\n2\r\n", 2},
        {"/CallID.txt", 0, "#TRUE#\r\n", 1},
        {"/SpeedNumbers.txt", 0, "Mom\r\n555-1234\r\nShop\r\n555-9876\r\n", -1},
        {"/AuxHeadings.txt", 0, "Notes\r\nGate code\r\nDog\r\nBilling\r\nParts\r\nOther\r\n", 6},
        {"/StatesList.txt", 0, "\"AL\",\"AK\",\"AZ\"\r\n\"IL\"\r\n", -1},
        {"/Labor.txt", 0,
         "\"General Labor\",\"$45.00\"\r\n\"Overtime\",\"$60.00\"\r\n\"\",\"\"\r\n", 3},
        {"/Services.txt", 72,
         serviceRecord("Drain cleaning", "$85.00", 4) + serviceRecord("Leak repair", "$120.00", 8)},
        {"/PIInventoriedItems.txt", 104,
         salesItemRecord("Faucet", "Fixtures", 4999) + salesItemRecord("Washer", "Parts", 150)},
        {"/CustomItems.txt", 70, customItemRecord("Custom shelf", 2500)},
        {"/ContractInfo.txt", 386, QByteArray(2 * 386, '\0')},
        {"/CycleInfo.txt", 69, QByteArray(2 * 69, '\0')},
        {"/InvoiceMemo.txt", 0, "Thank you for your business\r\n", -1},
        // Proposals belong to the proposal program: read, never written.
        {ProposalFolder + "/FP1.txt", 0, fixture::proposalBytes(proposal("FP1")), -1},
        {ProposalFolder + "/P2.txt", 0, fixture::proposalBytes(proposal("P2")), -1},
        {"/Narrative.txt", 0, "Work done:\r\n", -1},
        {"/ShipVia.txt", 0, "UPS - Ground\r\n", -1},
        {"/StatementTerms.txt", 0, "Net 30\r\n", -1},
        {"/PelmorInvoicer/IncompleteInvoices/1001.txt", 0, goodPartialInvoice(), -1},
        {"/PelmorInvoicer/Templates/Invoices/Kitchen.txt", 70,
         field("2", 10) + field("Faucet", 45) + field("49.99", 10) + field("True", 5)},
        {"/InvoiceSalesJournal.txt", 125,
         journalRecord("Nia Moss", Accounts[0], "20240001", 45000, 10000) +
             journalRecord("Bo Reed", Accounts[1], "20240002", 45300, 2500)},
        {"/SoldItems.txt", 90,
         soldItemRecord("Faucet", 45000, "20240001", 2) + soldItemRecord("Washer", 45300, "20240002", 9)},
        {"/CompletedInvoices/20240001.txt", 0, completedImage("20240001"), -1},
        {"/PIInvoiceNo.txt", 0, "20260005\r\n", 1},
    };
    for (const QByteArray &account : Accounts) {
        for (int j = 0; j < 6; ++j)
            files.append({QStringLiteral("/AuxFiles/%1/AuxFile%2/Data.txt")
                              .arg(QString::fromLatin1(account))
                              .arg(j),
                          0, "Note " + QByteArray::number(j) + "\r\nsecond line\r\n", -1});
        files.append({"/PIActiveAccounts/" + QString::fromLatin1(account) + ".txt", 0,
                      "receivable of " + account + "\r\n", -1});
    }
    files += postedFiles();
    return files;
}

const QString CustomersName = QStringLiteral("/CustomerData.txt");

// The lock of a copy that ran on the computer the data was copied from.
const DataFile LockLeftBehind{QStringLiteral("/PelmorInvoicer.lock"), 0,
                              "4242\nPelmorInvoicer\nother-computer.invalid\n", -1};

QByteArray goodCustomers()
{
    return customerRecord(Accounts[0], "Nia", "Moss", "555-0101") +
           customerRecord(Accounts[1], "Bo", "Reed", "555-0202");
}

// --- damage -------------------------------------------------------------------------

enum class Damage
{
    Intact,
    Missing,
    Empty,
    Folder,
    CutInHalf,
    OneByteShort,
    OneByteLong,
    NulBytes,
    AllNul,
    HugeLine,
    HighBytes,
    WrongTypes,
    LineEndsOnly,
    DamagedBackupOnly,
    // Only for the random runs.
    Mutated,
};

constexpr Damage HandMade[] = {
    Damage::Missing,           Damage::Empty,       Damage::Folder,     Damage::CutInHalf,
    Damage::OneByteShort,      Damage::OneByteLong, Damage::NulBytes,   Damage::AllNul,
    Damage::HugeLine,          Damage::HighBytes,   Damage::WrongTypes, Damage::LineEndsOnly,
    Damage::DamagedBackupOnly,
};

const char *nameOf(Damage damage)
{
    switch (damage) {
    case Damage::Intact:
        return "intact";
    case Damage::Missing:
        return "missing";
    case Damage::Empty:
        return "empty";
    case Damage::Folder:
        return "a folder";
    case Damage::CutInHalf:
        return "cut in half";
    case Damage::OneByteShort:
        return "one byte short";
    case Damage::OneByteLong:
        return "one byte long";
    case Damage::NulBytes:
        return "NUL bytes";
    case Damage::AllNul:
        return "all NUL";
    case Damage::HugeLine:
        return "huge line";
    case Damage::HighBytes:
        return "high bytes";
    case Damage::WrongTypes:
        return "wrong types";
    case Damage::LineEndsOnly:
        return "line ends only";
    case Damage::DamagedBackupOnly:
        return "damaged backup only";
    case Damage::Mutated:
        return "mutated";
    }
    return "?";
}

QByteArray randomBytes(QRandomGenerator &random, qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// Random bytes flipped, spans cut out and garbage put in.
QByteArray mutated(QByteArray bytes, QRandomGenerator &random)
{
    const int edits = 1 + random.bounded(6);
    for (int e = 0; e < edits; ++e) {
        const qsizetype at = bytes.isEmpty() ? 0 : random.bounded(int(bytes.size()));
        switch (random.bounded(3)) {
        case 0:
            if (!bytes.isEmpty())
                bytes[at] = char(random.bounded(256));
            break;
        case 1:
            bytes.remove(at, random.bounded(40));
            break;
        default:
            bytes.insert(at, randomBytes(random, random.bounded(1, 40)));
            break;
        }
    }
    return bytes;
}

// The bytes a damaged file holds; empty also where there is no file to hold them.
QByteArray damaged(Damage damage, const DataFile &file, QRandomGenerator &random)
{
    const QByteArray &good = file.good;
    switch (damage) {
    case Damage::Intact:
        return good;
    case Damage::Missing:
    case Damage::Folder:
    case Damage::DamagedBackupOnly:
        return {};
    case Damage::Empty:
        return QByteArray("");
    case Damage::CutInHalf:
        // Odd lengths land record files between two records.
        return good.left(good.size() / 2 + 1);
    case Damage::OneByteShort:
        return good.chopped(1);
    case Damage::OneByteLong:
        return good + 'x';
    case Damage::NulBytes: {
        QByteArray bytes = good;
        for (qsizetype i = 1; i < bytes.size(); i += 3)
            bytes[i] = '\0';
        return bytes;
    }
    case Damage::AllNul:
        return QByteArray(std::max<qsizetype>(good.size(), 1), '\0');
    case Damage::HugeLine: {
        QByteArray line(1 << 18, 'A');
        line.prepend('"');
        return line;
    }
    case Damage::HighBytes: {
        // Every byte from 0x80, the five the code page leaves unassigned among them.
        QByteArray bytes;
        for (int c = 0x80; c <= 0xFF; ++c)
            bytes.append(char(c));
        return file.recordLength ? bytes.repeated(3 * file.recordLength / 128 + 1) : bytes;
    }
    case Damage::WrongTypes:
        if (file.recordLength)
            return QByteArray(2 * file.recordLength, char(0xFF));
        return "\"x\",abc,#TRUE,1e999,-99999999999999999999999,NaN,inf,\"unterminated\r\n"
               ",,,\r\n\"\"\"\"\"\r\n#FALSE#,-1,65536,1E+308,\"$(abc)\"";
    case Damage::LineEndsOnly:
        return "\r\r\n\n\r\n\r";
    case Damage::Mutated:
        return mutated(good, random);
    }
    return {};
}

// No permission to read; root reads anything, so there the file becomes a socket,
// which no one can open as a file.
bool makeUnreadable(const QString &file)
{
    if (::geteuid() != 0)
        return QFile::setPermissions(file, {});
    QFile::remove(file);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(file);
    if (native.size() >= qsizetype(sizeof address.sun_path))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    std::memcpy(address.sun_path, native.constData(), std::size_t(native.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// Whether a catalog file holds no entry the catalog keeps: no record (the length in
// records rounds ties to even), or only records whose description is blank.
bool holdsNoCatalogEntry(const QByteArray &bytes, int recordLength)
{
    const int width = recordLength == 72 ? 60 : 50;
    qsizetype count = bytes.size() / recordLength;
    const qsizetype rest = bytes.size() % recordLength;
    if (2 * rest > recordLength || (2 * rest == recordLength && count % 2 == 1))
        ++count;
    for (qsizetype r = 0; r < count; ++r) {
        for (char c : bytes.mid(r * recordLength, width)) {
            if (c != '\0' && !QChar::isSpace(uchar(c)))
                return false;
        }
    }
    return true;
}

// Lines end in CR LF and nothing else breaks a line. A NUL that was read is data and
// may be written back.
bool isWellFormedText(const QByteArray &bytes, int lines)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\n' && (i == 0 || bytes.at(i - 1) != '\r'))
            return false;
        if (bytes.at(i) == '\r' && (i + 1 == bytes.size() || bytes.at(i + 1) != '\n'))
            return false;
    }
    return lines < 0 || bytes.count("\r\n") == lines;
}

} // namespace

class TestDamagedFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString root() const { return m_dir.path(); }
    ScriptedPrompts m_prompts;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 8), QTime(9, 30))};

    struct Planted
    {
        DataFile file;
        Damage damage = Damage::Missing;
        // What was written in the file's place, and in its "/Backup" copy.
        QByteArray bytes;
        QByteArray backup;
    };
    QList<Planted> m_planted;

    void plant(const DataFile &file, Damage damage, QRandomGenerator &random)
    {
        Planted planted{file, damage, damaged(damage, file, random), {}};
        const QString path = root() + file.name;
        if (damage == Damage::Folder) {
            QVERIFY(QDir().mkpath(path + "/inside"));
        } else if (damage == Damage::DamagedBackupOnly) {
            planted.backup = randomBytes(random, random.bounded(1, 3 * file.good.size() + 2));
            QVERIFY(testfiles::writeBytes(root() + "/Backup" + file.name, planted.backup));
        } else if (damage != Damage::Missing) {
            QVERIFY(testfiles::writeBytes(path, planted.bytes));
        }
        m_planted.append(planted);
    }

    void plantAll(const std::function<Damage(const DataFile &)> &damageOf, bool customersIntact,
                  QRandomGenerator &random)
    {
        m_planted.clear();
        const DataFile customers{CustomersName, 328, goodCustomers(), -1};
        plant(customers, customersIntact ? Damage::Intact : damageOf(customers), random);
        for (const DataFile &file : dataFiles(root()))
            plant(file, damageOf(file), random);
        // Whatever stands in the lock's place, this copy runs and takes it over.
        const Damage lockDamage = damageOf(LockLeftBehind);
        const QByteArray lock = damaged(lockDamage, LockLeftBehind, random);
        if (lockDamage == Damage::Folder)
            QVERIFY(QDir().mkpath(root() + LockLeftBehind.name));
        else if (lockDamage != Damage::Missing && lockDamage != Damage::DamagedBackupOnly)
            QVERIFY(testfiles::writeBytes(root() + LockLeftBehind.name, lock));
    }

    QString promptsSeen() const
    {
        QStringList texts;
        for (const auto &shown : m_prompts.shown)
            texts.append(shown.kind + ": " + shown.text.left(120));
        return texts.join(QStringLiteral(" | "));
    }

    static Screen *findScreen(const QString &name)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *screen = qobject_cast<Screen *>(window);
                screen && screen->objectName() == name)
                return screen;
        }
        return nullptr;
    }

    // Starts the program, visits every screen there is, and ends it.
    void runWholeProgram(const QByteArray &caseName)
    {
        using Target = Navigator::Target;
        const Watchdog watchdog(caseName, CaseLimit);
        int quits = 0;
        PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
        program.setQuit([&] { ++quits; });
        QVERIFY2(program.Main(), qPrintable(promptsSeen()));
        Screen *from = nullptr;
        for (Target target : {Target::MainMenu, Target::Setup, Target::MainMenu, Target::Catalog,
                              Target::MainMenu, Target::CustomerSelection, Target::MainMenu,
                              Target::Incomplete, Target::MainMenu,
                              Target::SalesReport, Target::MainMenu,
                              Target::InvoiceReport, Target::MainMenu, Target::Reprint,
                              Target::MainMenu, Target::CustomerMaintenance, Target::MainMenu,
                              Target::Invoice, Target::MainMenu}) {
            // The list of partial invoices hides itself while it has none.
            if (target == Target::Incomplete && program.IncompleteCount() == 0)
                continue;
            // The setup is left by its own button, which saves every settings file; it
            // stays open when it refuses.
            if (from && from == program.screen(Target::Setup)) {
                auto *quit = from->findChild<QAbstractButton *>(QStringLiteral("cmdQuit"));
                QVERIFY(quit);
                quit->click();
                if (!from->isVisible()) {
                    from = program.screen(target);
                    QVERIFY(from && from->isVisible());
                    continue;
                }
            }
            QVERIFY2(program.show(target, from), qPrintable(promptsSeen()));
            from = program.screen(target);
            // Without a readable image the completed invoices go back to the menu.
            if (target == Target::Reprint && from && !from->isVisible())
                from = program.screen(Target::MainMenu);
            QVERIFY(from && from->isVisible());
            // Every page of the screen is looked at once.
            for (QTabWidget *tabs : from->findChildren<QTabWidget *>()) {
                for (int page = tabs->count() - 1; page >= 0; --page)
                    tabs->setCurrentIndex(page);
            }
            // The customer screen walks the file as the position buttons do, and its
            // dialer shows once (it reads the speed numbers when shown).
            if (target == Target::CustomerMaintenance) {
                auto *dialer = findScreen(QStringLiteral("frmDialer"));
                QVERIFY(dialer);
                dialer->navigateTo();
                QCoreApplication::processEvents();
                dialer->closeByProgram();
                for (int button : {2, 3, 1, 0, 6, 5, 4}) {
                    auto *nav =
                        from->findChild<QAbstractButton *>(QStringLiteral("cmdNav_%1").arg(button));
                    QVERIFY(nav);
                    if (nav->isVisible() && nav->isEnabled())
                        nav->click();
                }
            }
            // Each partial invoice is loaded once.
            if (target == Target::Incomplete) {
                auto *add = from->findChild<QAbstractButton *>(QStringLiteral("Command1_1"));
                QVERIFY(add);
                add->click();
            }
            // The first proposal read is handed to the invoice.
            if (target == Target::CustomerSelection)
                chooseFirstProposal(from);
            // The invoice screen starts an invoice and opens each of its views and panels.
            if (target == Target::Invoice) {
                auto *start = from->findChild<QAbstractButton *>(QStringLiteral("cmdInvoice_0"));
                QVERIFY(start);
                start->click();
                for (const char *name : {"mnuItems", "mnuServices", "mnuCItems", "mnuLabor",
                                         "mnuManual", "mnuPrint", "mnuSetup"}) {
                    auto *action = from->findChild<QAction *>(QLatin1String(name));
                    QVERIFY(action);
                    if (action->isEnabled())
                        action->trigger();
                }
            }
            // A screen that handed over or went back leaves the visible one to go on from.
            if (!from->isVisible()) {
                for (Target shown : {Target::Invoice, Target::MainMenu}) {
                    if (program.screen(shown) && program.screen(shown)->isVisible()) {
                        from = program.screen(shown);
                        break;
                    }
                }
            }
            QCoreApplication::processEvents();
        }
        program.ExitApplication();
        QCOMPARE(quits, 1);
        QVERIFY(program.isExiting());
    }

    static void chooseFirstProposal(Screen *selection)
    {
        auto *fromProposal = selection->findChild<QAbstractButton *>(QStringLiteral("cmdStartup_1"));
        auto *grid = selection->findChild<QAbstractItemView *>(QStringLiteral("fgProposals"));
        auto *create = selection->findChild<QAbstractButton *>(QStringLiteral("cmdCreation_1"));
        QVERIFY(fromProposal && grid && create);
        if (!fromProposal->isEnabled())
            return;
        fromProposal->click();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 0)).center());
        QVERIFY(create->isEnabled());
        create->click();
    }

    // What is there after the run: nothing lost, and what was written is whole.
    void checkFilesAfterRun()
    {
        QVERIFY(!QFileInfo(root() + LockLeftBehind.name).isFile());
        for (const Planted &planted : std::as_const(m_planted)) {
            const QString path = root() + planted.file.name;
            const QFileInfo info(path);
            const QByteArray name =
                planted.file.name.toUtf8() + " (" + nameOf(planted.damage) + ")";
            if (planted.damage == Damage::Folder) {
                QVERIFY2(info.isDir() && QFileInfo::exists(path + "/inside"), name.constData());
                continue;
            }
            if (!info.exists()) {
                // Only a catalog file without entries goes, with its backup copy.
                const bool catalog = planted.file.recordLength == 72 ||
                                     planted.file.recordLength == 104 ||
                                     planted.file.recordLength == 70;
                QVERIFY2(
                    planted.damage == Damage::Missing ||
                        planted.damage == Damage::DamagedBackupOnly ||
                        (catalog && holdsNoCatalogEntry(planted.bytes, planted.file.recordLength)),
                    name.constData());
                continue;
            }
            QVERIFY2(info.isFile(), name.constData());
            const QByteArray now = testfiles::readBytes(path);
            const bool kept = now == planted.bytes && planted.damage != Damage::Missing &&
                              planted.damage != Damage::DamagedBackupOnly;
            const bool restored =
                planted.damage == Damage::DamagedBackupOnly && now == planted.backup;
            if (kept || restored)
                continue;
            QVERIFY2(!planted.file.name.startsWith(ProposalFolder), name.constData());
            // The program wrote it: it must be whole.
            if (planted.file.recordLength) {
                // Rewritten whole, or written in place without cutting anything off.
                QVERIFY2(now.size() % planted.file.recordLength == 0 ||
                             now.size() >= planted.bytes.size(),
                         (name + ": " + QByteArray::number(now.size()) + " bytes").constData());
            } else {
                QVERIFY2(isWellFormedText(now, planted.file.lines),
                         (name + ": " + now.left(200).toPercentEncoding(" \",")).constData());
            }
        }
        // A backup copy made at the end is a true copy; a file the screens wrote after it
        // has dropped its copy.
        for (const QString &base : DataFolder::BackupFileNames()) {
            const QString main = root() + "/" + base + ".txt";
            const QString backup = root() + "/Backup/" + base + ".txt";
            if (!QFileInfo(main).isFile() || !QFileInfo(backup).isFile())
                continue;
            QVERIFY2(testfiles::readBytes(backup) == testfiles::readBytes(main), qPrintable(base));
        }
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(m_dir.isValid());
    }

    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void init()
    {
        QDir(root()).removeRecursively();
        QDir().mkpath(root());
        m_prompts.clear();
    }

    void wellFormedFilesKeepTheirBytes()
    {
        QRandomGenerator random(1);
        plantAll([](const DataFile &) { return Damage::Intact; }, true, random);
        runWholeProgram("well-formed files");
        if (QTest::currentTestFailed())
            return;
        for (const Planted &planted : std::as_const(m_planted))
            QVERIFY2(testfiles::readBytes(root() + planted.file.name) == planted.bytes,
                     qPrintable(planted.file.name));
        QVERIFY(!QFileInfo::exists(root() + LockLeftBehind.name));
        QVERIFY2(testfiles::readBytes(root() + CustomersName) == goodCustomers(),
                 qPrintable(promptsSeen()));
    }

    void lockLeftBehindIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("folder");
        QTest::newRow("made on another computer") << LockLeftBehind.good << false;
        QTest::newRow("host cut short") << QByteArray("4242\nPelmorInvoicer\nother-comp") << false;
        QTest::newRow("NUL in the host") << QByteArray("1\nPelmorInvoicer\nho\0st\n") << false;
        QTest::newRow("a folder") << QByteArray() << true;
    }

    void lockLeftBehindIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, folder);
        const QString lock = root() + LockLeftBehind.name;
        QVERIFY(folder ? QDir().mkpath(lock) : testfiles::writeBytes(lock, content));
        {
            PelmorMasterModule program(root(), m_prompts, m_clock, fakePlatform());
            program.setQuit([] {});
            QVERIFY(program.Main());
            QCOMPARE(m_prompts.shown.size(), 0);
            program.ExitApplication();
        }
        QCOMPARE(QFileInfo(lock).isDir(), folder);
        QVERIFY(!QFileInfo(lock).isFile());
    }

    void unreadableFilesAreKept()
    {
        QRandomGenerator random(7);
        plantAll([](const DataFile &) { return Damage::Intact; }, true, random);
        for (const Planted &planted : std::as_const(m_planted))
            QVERIFY2(makeUnreadable(root() + planted.file.name), qPrintable(planted.file.name));
        runWholeProgram("unreadable files");
        if (QTest::currentTestFailed())
            return;
        for (const Planted &planted : std::as_const(m_planted)) {
            const QString path = root() + planted.file.name;
            QVERIFY2(QFileInfo::exists(path), qPrintable(planted.file.name));
            if (QFileInfo(path).isFile()) {
                QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
                QVERIFY2(testfiles::readBytes(path) == planted.bytes,
                         qPrintable(planted.file.name));
            }
        }
    }

    void everyFileDamagedAlike_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<bool>("customersIntact");
        for (Damage damage : HandMade) {
            QTest::newRow(nameOf(damage)) << int(damage) << false;
            QTest::newRow(QByteArray(nameOf(damage)) + ", customers intact") << int(damage) << true;
        }
    }

    void everyFileDamagedAlike()
    {
        QFETCH(int, damage);
        QFETCH(bool, customersIntact);
        QRandomGenerator random(20261208);
        plantAll([&](const DataFile &) { return Damage(damage); }, customersIntact, random);
        runWholeProgram(QTest::currentDataTag());
        if (QTest::currentTestFailed())
            return;
        checkFilesAfterRun();
    }

    void randomDamage_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 16; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }

    void randomDamage()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const bool customersIntact = random.bounded(2) == 0;
        plantAll(
            [&](const DataFile &file) {
                // Most files keep their bytes or are mangled a little; the rest take a
                // hand-made damage.
                const int pick = random.bounded(10);
                if (pick < 2)
                    return Damage::Intact;
                if (pick < 5)
                    return pick < 3 ? Damage::Missing : Damage::Mutated;
                Damage damage = HandMade[random.bounded(int(std::size(HandMade)))];
                // One huge file per run is enough to find what chokes on it.
                if (damage == Damage::HugeLine && file.recordLength)
                    damage = Damage::Mutated;
                return damage;
            },
            customersIntact, random);
        runWholeProgram(QTest::currentDataTag());
        if (QTest::currentTestFailed())
            return;
        checkFilesAfterRun();
    }
};

QTEST_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"
