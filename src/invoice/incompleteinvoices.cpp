#include "invoice/incompleteinvoices.h"

#include "core/appstate.h"
#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/diskio.h"
#include "core/regional.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The list columns are short; a longer first line is not read whole.
constexpr qint64 MaxListLine = 1024;
// A partial invoice of 100 lines is a few kilobytes.
constexpr qint64 MaxPartialFile = 1024 * 1024;

QString trimmedLine(QFile &file)
{
    QByteArray line = file.readLine(MaxListLine);
    if (line.size() >= MaxListLine - 1 && !line.endsWith('\n'))
        file.readLine(); // the rest of an over-long line is skipped, not taken as the next
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return codepage::decode(line).trimmed();
}

} // namespace

IncompleteInvoices::IncompleteInvoices(const DataFolder &data, QObject *parent)
    : QObject(parent), m_data(data)
{
}

void IncompleteInvoices::LoadIncomplete()
{
    m_rows.clear();
    QDir folder(m_data.path(partialinvoice::Folder));
    folder.setFilter(QDir::Files);
    folder.setNameFilters({QStringLiteral("*.txt")});
    folder.setSorting(QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &info : folder.entryInfoList()) {
        // A pipe would block the reader.
        if (!info.isFile())
            continue;
        Row row;
        row.fileName = info.fileName();
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            row.number = trimmedLine(file);
            row.account = trimmedLine(file);
            row.name = trimmedLine(file);
            row.date = trimmedLine(file);
        }
        m_rows.append(row);
    }
    emit changed();
}

partialinvoice::Loaded IncompleteInvoices::load(int row, const QDate &today) const
{
    partialinvoice::Loaded loaded;
    if (row < 0 || row >= m_rows.size()) {
        loaded.error = QStringLiteral("No Partial Invoice is selected.");
        return loaded;
    }
    const Row &r = m_rows[row];
    const QString ownNumber = QFileInfo(r.fileName).completeBaseName();
    const QString path = m_data.path(partialinvoice::Folder + u'/' + r.fileName);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        loaded.error = QStringLiteral("Partial Invoice %1 is no longer there.").arg(r.number);
        return loaded;
    }
    const QByteArray bytes = file.read(MaxPartialFile + 1);
    if (bytes.size() > MaxPartialFile)
        loaded.error = QStringLiteral("the file is far larger than a partial invoice.");
    else
        loaded = partialinvoice::decode(bytes, ownNumber, today);
    if (!loaded.ok()) {
        loaded.error = QStringLiteral("Partial Invoice %1 cannot be loaded: %2").arg(r.number, loaded.error);
        loaded.document = InvoiceDocument{};
        return loaded;
    }
    loaded.document.CreationDate = regional::parseShortDate(r.date).value_or(today);
    return loaded;
}

std::optional<QString> IncompleteInvoices::resume(int row, InvoiceDocument &invoice,
                                                  ApplicationState &state, const QDate &today)
{
    partialinvoice::Loaded loaded = load(row, today);
    if (!loaded.ok()) {
        LoadIncomplete();
        return loaded.error;
    }
    invoice = std::move(loaded.document);
    state.resumedPartial = true;
    m_resumedFile = m_rows[row].fileName;
    return std::nullopt;
}

void IncompleteInvoices::purge(int row)
{
    if (row >= 0 && row < m_rows.size())
        m_data.DeleteIfPresent(partialinvoice::Folder + u'/' + m_rows[row].fileName);
    LoadIncomplete();
}

void IncompleteInvoices::purgeAll()
{
    const QDir folder(m_data.path(partialinvoice::Folder));
    for (const QFileInfo &info : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        diskio::remove(info.filePath());
    LoadIncomplete();
}

void IncompleteInvoices::purgeNumber(const QString &invoiceNumber)
{
    const QString file = partialinvoice::fileOf(invoiceNumber.trimmed());
    if (!file.isEmpty())
        m_data.DeleteIfPresent(file);
    LoadIncomplete();
}

void IncompleteInvoices::PostedResumed()
{
    if (!m_resumedFile.isEmpty())
        m_data.DeleteIfPresent(partialinvoice::Folder + u'/' + m_resumedFile);
    m_resumedFile.clear();
    LoadIncomplete();
}
