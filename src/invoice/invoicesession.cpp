#include "invoice/invoicesession.h"

#include "core/clock.h"
#include "core/regional.h"
#include "invoice/invoicelines.h"

#include <utility>

InvoiceSession::InvoiceSession(InvoiceDocument &document, const Clock &clock, QObject *parent)
    : QObject(parent), m_doc(document), m_clock(clock)
{
}

InvoiceLine InvoiceSession::line(int n) const
{
    return hasLine(n) ? m_doc.lines.at(n - 1) : InvoiceLine{};
}

void InvoiceSession::changed(int first, int last)
{
    emit linesChanged(first, last);
}

bool InvoiceSession::addLine(const InvoiceLine &line)
{
    if (isFull())
        return false;
    m_doc.lines.append(line);
    changed(LineCount(), LineCount());
    return true;
}

void InvoiceSession::ClearInvoice(bool newInvoice)
{
    const int had = LineCount();
    m_doc.lines.clear();
    m_doc.Total = m_doc.Tax = m_doc.Tax2 = m_doc.GrandTotal = m_doc.TaxableTotal = Money();
    m_doc.Ship = m_doc.Misc = m_doc.Discount = m_doc.FlatDiscount = Money();
    if (newInvoice)
        m_doc.reference.clear();
    m_doc.serviceDate = m_clock.today();
    if (had > 0)
        changed(1, had);
    emit cleared();
}

bool InvoiceSession::deleteLine(int n)
{
    if (!hasLine(n))
        return false;
    const int had = LineCount();
    m_doc.lines.removeAt(n - 1);
    changed(n, had);
    return true;
}

bool InvoiceSession::canMove(int n) const
{
    return hasLine(n) && !m_doc.lines.at(n - 1)[InvoiceLine::Units].isEmpty();
}

bool InvoiceSession::moveUp(int n)
{
    if (!canMove(n) || n == 1)
        return false;
    m_doc.lines.swapItemsAt(n - 2, n - 1);
    changed(n - 1, n);
    return true;
}

bool InvoiceSession::moveDown(int n)
{
    if (!canMove(n) || !canMove(n + 1))
        return false;
    m_doc.lines.swapItemsAt(n - 1, n);
    changed(n, n + 1);
    return true;
}

bool InvoiceSession::toggleTaxable(int n)
{
    if (!canMove(n))
        return false;
    QString &flag = m_doc.lines[n - 1][InvoiceLine::Taxable];
    flag = flag == QLatin1String("True") ? QStringLiteral("False") : QStringLiteral("True");
    changed(n, n);
    return true;
}

bool InvoiceSession::setLineDate(int n, const QString &date)
{
    if (!hasLine(n))
        return false;
    m_doc.lines[n - 1][InvoiceLine::Date] = date;
    changed(n, n);
    return true;
}

QString InvoiceSession::laborEditMessage()
{
    return QStringLiteral("Labor cannot be changed inside the Invoice Body\r\n"
                          "Delete the Labor Item and Re-enter from the labor Grid)");
}

InvoiceSession::KeyResult InvoiceSession::gridKey(int n, int column, QChar key)
{
    if (!hasLine(n))
        return {};
    InvoiceLine &row = m_doc.lines[n - 1];
    if (row.isLabor())
        return {false, false, laborEditMessage()};
    const bool backspace = key.unicode() == 8;
    const bool digit = key >= QLatin1Char('0') && key <= QLatin1Char('9');
    if (column == InvoiceLine::Price) {
        QString &price = row[InvoiceLine::Price];
        if (backspace) {
            price = invoicelines::zeroText();
            row[InvoiceLine::Amount] = invoicelines::zeroText();
        } else {
            if (price == invoicelines::zeroText())
                price.clear();
            if (digit || (key == QLatin1Char('.') && !price.contains(QLatin1Char('.'))))
                price.append(key);
        }
        changed(n, n);
        return {true, false, {}};
    }
    if (column == InvoiceLine::Units) {
        QString &units = row[InvoiceLine::Units];
        if (backspace) {
            units.clear();
            row[InvoiceLine::Amount] = invoicelines::zeroText();
        } else if (digit) {
            const QString longer = units + key;
            if (const std::optional<QString> tooMany = invoicelines::unitsRefusal(longer))
                return {false, true, *tooMany};
            units = longer;
        } else {
            return {};
        }
        changed(n, n);
        return {true, false, {}};
    }
    return {};
}

InvoiceSession::KeyResult InvoiceSession::gridEnter(int n)
{
    if (!hasLine(n))
        return {};
    InvoiceLine &row = m_doc.lines[n - 1];
    if (row.isLabor())
        return {};
    QString &units = row[InvoiceLine::Units];
    if (units.isEmpty() || row[InvoiceLine::Price].isEmpty())
        return {};
    if (!regional::isNumeric(units)) {
        units = QStringLiteral("0");
        row[InvoiceLine::Amount] = invoicelines::zeroText();
        changed(n, n);
        return {true, true, {}};
    }
    if (const std::optional<QString> tooMany = invoicelines::unitsRefusal(units))
        return {false, true, *tooMany};
    const std::optional<Money> price = regional::parseMoney(row[InvoiceLine::Price]);
    if (!price)
        return {false, true, {}};
    row[InvoiceLine::Price] = regional::currencyText(*price);
    row[InvoiceLine::Amount] = invoicelines::extension(units, *price);
    changed(n, n);
    return {true, false, {}};
}

InvoiceLinesModel::InvoiceLinesModel(InvoiceSession &session, QObject *parent)
    : QAbstractTableModel(parent), m_session(session)
{
    connect(&session, &InvoiceSession::linesChanged, this, [this](int first, int last) {
        first = qBound(1, first, InvoiceDocument::MaxLines);
        last = qBound(first, last, InvoiceDocument::MaxLines);
        emit dataChanged(index(first - 1, 0), index(last - 1, InvoiceLine::ColumnCount - 1));
    });
    connect(&session, &InvoiceSession::cleared, this, [this]() {
        emit dataChanged(index(0, 0),
                         index(InvoiceDocument::MaxLines - 1, InvoiceLine::ColumnCount - 1));
    });
}

int InvoiceLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : InvoiceDocument::MaxLines;
}

int InvoiceLinesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : InvoiceLine::ColumnCount;
}

QVariant InvoiceLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_session.line(index.row() + 1)[index.column()];
}

QVariant InvoiceLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const char *const headings[] = {"Units", "Description", "Date",
                                           "Price",  "Amount",      "Taxable"};
    return section >= 0 && section < InvoiceLine::ColumnCount
               ? QString::fromLatin1(headings[section])
               : QVariant();
}

Qt::ItemFlags InvoiceLinesModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
