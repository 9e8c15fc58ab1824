#include "records/reportcsv.h"

#include "core/csv.h"
#include "core/regional.h"

namespace records {

namespace {

const QString Iso = QStringLiteral(" (ISO)");
const QString Plain = QStringLiteral(" (Number)");

// A shown amount's plain number; empty when the text is no amount.
QString plainOf(const QString &shown)
{
    const std::optional<Money> amount = regional::parseMoney(shown.trimmed());
    return amount ? csv::number(*amount) : QString();
}

} // namespace

QList<QStringList> invoiceReportCsv(const InvoiceReport &report, const QStringList &totalsShown)
{
    const QString amountHeadings[] = {QStringLiteral("Sub-total"), QStringLiteral("Discount"),
                                      QStringLiteral("Tax"), QStringLiteral("Grand Total")};
    QStringList headings{QStringLiteral("Invoice No"), QStringLiteral("Invoice Date"),
                         QStringLiteral("Invoice Date") + Iso, QStringLiteral("Account No"),
                         QStringLiteral("Account Name")};
    for (const QString &heading : amountHeadings)
        headings << heading << heading + Plain;

    QList<QStringList> out;
    out.reserve(report.rows.size() + 2);
    out.append(headings);
    for (qsizetype n = 0; n < report.rows.size(); ++n) {
        const QStringList &row = report.rows.at(n);
        const posting::SalesJournalRecord *record =
            n < report.records.size() ? &report.records.at(n) : nullptr;
        QStringList line{row.value(0), row.value(1), record ? csv::isoDate(record->date) : QString(),
                         row.value(2), row.value(3)};
        const Money amounts[] = {record ? record->subTotal : Money(), record ? record->discount : Money(),
                                 record ? record->tax : Money(), record ? record->total : Money()};
        for (int k = 0; k < 4; ++k)
            line << row.value(4 + k) << (record ? csv::number(amounts[k]) : plainOf(row.value(4 + k)));
        out.append(line);
    }
    QStringList totals{QStringLiteral("Totals"), {}, {}, {}, {}};
    const Money sums[] = {report.subTotal, report.discount, report.tax, report.total};
    for (int k = 0; k < 4; ++k)
        totals << totalsShown.value(k) << csv::number(sums[k]);
    out.append(totals);
    return out;
}

QList<QStringList> salesReportCsv(const SalesReport &report)
{
    QList<QStringList> out;
    out.reserve(report.rows.size() + report.totals.size() + 3);
    out.append({QStringLiteral("Description"), QStringLiteral("Date"), QStringLiteral("Date") + Iso,
                QStringLiteral("Invoice Number"), QStringLiteral("Units Sold")});
    for (qsizetype n = 0; n < report.rows.size(); ++n) {
        const QStringList &row = report.rows.at(n);
        out.append({row.value(0), row.value(1), csv::isoDate(report.dates.value(n)), row.value(2),
                    row.value(3)});
    }
    out.append(QStringList());
    out.append({QStringLiteral("Product Description"), QStringLiteral("Units Sold")});
    for (const QStringList &total : report.totals)
        out.append({total.value(0), total.value(1)});
    return out;
}

QList<QStringList> completedInvoicesCsv(const QList<CompletedInvoiceRow> &rows)
{
    QList<QStringList> out;
    out.reserve(rows.size() + 1);
    out.append({QStringLiteral("Invoice Number"), QStringLiteral("Account Number"),
                QStringLiteral("Account Name"), QStringLiteral("Invoice Date"),
                QStringLiteral("Invoice Date") + Iso, QStringLiteral("Amount"),
                QStringLiteral("Amount") + Plain});
    using C = CompletedInvoiceRow;
    for (const CompletedInvoiceRow &row : rows) {
        const QString amount = row.cells.value(C::Amount);
        out.append({row.cells.value(C::Number), row.cells.value(C::Account), row.cells.value(C::Name),
                    row.cells.value(C::Date), csv::isoDate(row.date), amount, plainOf(amount)});
    }
    return out;
}

} // namespace records
