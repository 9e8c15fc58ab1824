#include "records/completedinvoices.h"

#include "core/datafolder.h"
#include "core/gridsort.h"
#include "core/names.h"
#include "core/regional.h"
#include "printing/printengine.h"
#include "records/daterange.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace records {

namespace {

// A damaged image may hold one endless line; the list needs only short ones.
constexpr qint64 MaxListLine = 4096;

QByteArray firstLines(const QString &path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray out;
    for (int n = 0; n < count && !file.atEnd(); ++n) {
        QByteArray line = file.readLine(MaxListLine);
        if (!line.endsWith('\n'))
            line.append("\r\n");
        out += line;
    }
    return out;
}

} // namespace

CompletedInvoices::CompletedInvoices(const DataFolder &data) : m_data(data) {}

QString CompletedInvoices::fileOf(const CompletedInvoiceRow &row)
{
    return posting::CompletedInvoiceFile(row.fileBase);
}

CompletedInvoiceListing CompletedInvoices::list() const
{
    CompletedInvoiceListing listing;
    // Ordinary files only: a pipe named like an image would hang the read.
    QDirIterator it(m_data.path(posting::CompletedInvoicesFolder), {QStringLiteral("*.txt")},
                    QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        const QString base = name.left(name.size() - 4);
        if (!info.isFile() || !names::isSafeFileName(base)) {
            listing.unreadable.append(name);
            continue;
        }
        const std::optional<posting::CompletedInvoiceImage> head =
            posting::CompletedInvoiceImage::decode(firstLines(info.filePath(), 5));
        if (!head) {
            listing.unreadable.append(name);
            continue;
        }
        CompletedInvoiceRow row;
        row.fileBase = base;
        row.date = regional::parseShortDate(head->date.trimmed()).value_or(QDate());
        row.cells = {head->number, head->account, head->name, head->date, head->amount,
                     dateSortKey(row.date)};
        listing.rows.append(std::move(row));
    }
    listing.rows = sortedRows(listing.rows, SortColumn::Number, Qt::AscendingOrder);
    return listing;
}

std::optional<posting::CompletedInvoiceImage>
CompletedInvoices::image(const CompletedInvoiceRow &row) const
{
    const QString file = fileOf(row);
    if (file.isEmpty() || !m_data.FileIsPresent(file))
        return std::nullopt;
    QFile in(m_data.path(file));
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    return posting::CompletedInvoiceImage::decode(in.readAll());
}

int CompletedInvoices::deleteBefore(const QList<CompletedInvoiceRow> &rows, const QDate &day) const
{
    int deleted = 0;
    for (const CompletedInvoiceRow &row : rows) {
        if (!row.date.isValid() || row.date >= day)
            continue;
        const QString file = fileOf(row);
        if (file.isEmpty())
            continue;
        if (m_data.FileIsPresent(file)) {
            m_data.DeleteIfPresent(file);
            ++deleted;
        }
        const QString narrative = PrintEngine::narrativeFile(row.fileBase);
        if (!narrative.isEmpty())
            m_data.DeleteWithBackup(narrative);
    }
    return deleted;
}

bool CompletedInvoices::storeMemo(const QString &text) const
{
    if (text.isEmpty())
        return true;
    return m_data.WriteTextFile(InvoiceMemoFile, text);
}

void CompletedInvoices::clearMemo() const
{
    m_data.DeleteWithBackup(InvoiceMemoFile);
}

QList<CompletedInvoiceRow> sortedRows(const QList<CompletedInvoiceRow> &rows, SortColumn column,
                                      Qt::SortOrder order)
{
    const int cell = column == SortColumn::Number ? CompletedInvoiceRow::Number
                     : column == SortColumn::Date ? CompletedInvoiceRow::Sort
                                                  : CompletedInvoiceRow::Name;
    QStringList keys;
    keys.reserve(rows.size());
    for (const CompletedInvoiceRow &row : rows)
        keys.append(row.cells.value(cell));
    return gridsort::reordered(rows, gridsort::genericOrder(keys, order));
}

QString amountShown(const QString &stored)
{
    const std::optional<Money> amount = regional::parseMoney(stored.trimmed());
    return amount ? regional::currencyText(*amount) : stored;
}

InvoicePrintout reprintOf(const posting::CompletedInvoiceImage &image, const QString &creationDate,
                          bool usaStyle, const QDate &today, bool memoStored,
                          const std::array<QString, 2> &taxHeadings)
{
    using Field = posting::CompletedInvoiceImage::TotalsField;
    InvoicePrintout out;
    out.number = image.number.trimmed();
    out.account = image.accountNumber.trimmed().isEmpty() ? image.account : image.accountNumber;
    out.date = creationDate;
    for (int k = 0; k < 6; ++k) {
        out.soldTo[k] = image.billTo[k];
        out.shipTo[k] = image.shipTo[k].trimmed();
    }
    out.usaStyle = usaStyle;
    out.printShipTo = true;
    out.attention = image.attention;
    out.reference = image.reference;
    out.carrier = image.shipVia;
    out.shipDate = regional::parseShortDate(image.shipDate.trimmed()).value_or(QDate());
    out.today = today;
    out.lines = image.lines;
    const auto shown = [&image](Field field) { return amountShown(image.totals[field]); };
    out.totals.subTotal = shown(Field::SubTotal);
    out.totals.tax1 = shown(Field::Tax);
    out.totals.tax2 = shown(Field::Tax2);
    out.totals.grandTotal = shown(Field::GrandTotal);
    out.totals.shipping = shown(Field::Shipping);
    out.totals.handling = shown(Field::Handling);
    // No discount text: the closing line is the default terms.
    out.taxHeadings = taxHeadings;
    out.printMemo = memoStored;
    return out;
}

} // namespace records
