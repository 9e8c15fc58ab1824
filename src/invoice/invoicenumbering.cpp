#include "invoice/invoicenumbering.h"

#include "core/clock.h"
#include "core/datafolder.h"
#include "core/names.h"
#include "core/regional.h"
#include "core/textrecord.h"
#include "posting/postedrecords.h"

#include <QFile>

#include <cstring>

const QString InvoiceNumbering::NumberFile = QStringLiteral("/PIInvoiceNo.txt");
const QString InvoiceNumbering::CompletedFolder = QStringLiteral("/CompletedInvoices");
const QString InvoiceNumbering::IncompleteFolder =
    QStringLiteral("/PelmorInvoicer/IncompleteInvoices");
const QString InvoiceNumbering::JournalFile = posting::SalesJournalFile;

namespace {

constexpr int JournalRecordLength = 125;
constexpr int JournalNumberOffset = 65;
constexpr int JournalNumberWidth = 20;
// The number is one short line; a larger file is read no further than this.
constexpr qint64 NumberFileReadLimit = 256;

} // namespace

InvoiceNumbering::InvoiceNumbering(DataFolder &data, const Clock &clock)
    : m_data(data), m_clock(clock)
{
}

std::optional<qint64> InvoiceNumbering::storedValue(bool &unreadable) const
{
    if (!m_data.FileIsPresent(NumberFile)) {
        // A folder, pipe or socket in its place is left alone.
        unreadable = m_data.Exists(NumberFile);
        return std::nullopt;
    }
    unreadable = false;
    QFile file(m_data.path(NumberFile));
    if (!file.open(QIODevice::ReadOnly)) {
        unreadable = true;
        return 0;
    }
    TextRecordReader reader(file.read(NumberFileReadLimit));
    const std::optional<QString> field = reader.field();
    // Anything but a whole number that can name an invoice counts as damaged.
    const std::optional<qint32> number = field ? parseNumber(*field) : std::nullopt;
    return number ? *number : 0;
}

qint32 InvoiceNumbering::LoadNextInvoiceNumber()
{
    const int year = m_clock.today().year();
    const qint32 yearStart = year * 10000;
    bool unreadable = false;
    const std::optional<qint64> stored = storedValue(unreadable);
    qint64 next = !stored ? yearStart + 1 : (*stored == 0 ? yearStart : *stored);
    // Text comparison, as the file has always been read: 500 does not turn the year.
    if (QString::number(next).left(4) < QString::number(year))
        next = yearStart + 1;
    while (next < Largest && (next < 1 || hasImage(qint32(next)) || hasPartial(qint32(next))))
        ++next;
    // A file that is there but cannot be read is not written over: it may hold the
    // true number.
    if (!unreadable)
        WriteInvoiceNumber(qint32(next));
    return qint32(next);
}

bool InvoiceNumbering::AdvanceInvoiceNumber(const QString &typed)
{
    const std::optional<qint32> number = parseNumber(typed);
    if (!number || *number >= Largest)
        return false;
    return WriteInvoiceNumber(*number + 1);
}

bool InvoiceNumbering::WriteInvoiceNumber(qint32 number)
{
    // The rewrite drops the backup once the new number is in place; deleting the file
    // first would lose the number when the write fails.
    return m_data.RewriteFile(NumberFile, TextRecordWriter().number(number).bytes());
}

std::optional<qint32> InvoiceNumbering::parseNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    // A leading zero would make "0500" and "500" one number but two file names.
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('0')) ||
        !names::isSafeFileName(trimmed))
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = trimmed.toLongLong(&ok);
    if (!ok || value < 1 || value > Largest)
        return std::nullopt;
    return qint32(value);
}

QString InvoiceNumbering::invalidNumberMessage(const QString &text)
{
    return QStringLiteral("The Invoice Number \"%1\" cannot be used.\r\n"
                          "Enter a whole number from 1 to %2")
        .arg(text.trimmed())
        .arg(Largest);
}

std::optional<QString> InvoiceNumbering::checkNewNumber(const QString &text) const
{
    const std::optional<qint32> number = parseNumber(text);
    if (!number)
        return invalidNumberMessage(text);
    QString where;
    if (hasImage(*number))
        where = QStringLiteral("a completed invoice");
    else if (hasPartial(*number))
        where = QStringLiteral("an incomplete invoice");
    else if (inJournal(*number))
        where = QStringLiteral("the sales journal");
    if (where.isEmpty())
        return std::nullopt;
    return QStringLiteral("Invoice Number %1 is already used by %2.\r\n"
                          "Enter another Invoice Number")
        .arg(*number)
        .arg(where);
}

bool InvoiceNumbering::hasImage(qint32 number) const
{
    return m_data.Exists(CompletedFolder + QLatin1Char('/') + QString::number(number) +
                         QStringLiteral(".txt"));
}

bool InvoiceNumbering::hasPartial(qint32 number) const
{
    return m_data.Exists(IncompleteFolder + QLatin1Char('/') + QString::number(number) +
                         QStringLiteral(".txt"));
}

bool InvoiceNumbering::inJournal(qint32 number) const
{
    if (!m_data.FileIsPresent(JournalFile))
        return false;
    QFile file(m_data.path(JournalFile));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The field is blank-padded text; a record cut short at the end still counts.
    const QByteArray digits = QByteArray::number(number);
    const qsizetype length = digits.size();
    const auto blank = [](char c) { return c == ' ' || c == '\0'; };
    const auto holds = [&](const char *field, qsizetype width) {
        qsizetype start = 0;
        while (start < width && blank(field[start]))
            ++start;
        if (width - start < length || std::memcmp(field + start, digits.constData(), std::size_t(length)) != 0)
            return false;
        for (qsizetype i = start + length; i < width; ++i) {
            if (!blank(field[i]))
                return false;
        }
        return true;
    };
    // Whole records per block, so none is split between two reads.
    constexpr qint64 Chunk = JournalRecordLength * 4096;
    while (true) {
        const QByteArray block = file.read(Chunk);
        if (block.isEmpty())
            return false;
        const char *bytes = block.constData();
        const qsizetype size = block.size();
        for (qsizetype at = JournalNumberOffset; at < size; at += JournalRecordLength) {
            const char *field = bytes + at;
            const qsizetype width = qMin<qsizetype>(JournalNumberWidth, size - at);
            // Posting writes the digits first: most records differ in their last digit.
            if (!blank(field[0]) && (width < length || field[length - 1] != digits.back()))
                continue;
            if (holds(field, width))
                return true;
        }
    }
}
