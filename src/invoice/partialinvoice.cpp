#include "invoice/partialinvoice.h"

#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/linefile.h"
#include "core/names.h"
#include "core/regional.h"
#include "core/textrecord.h"

#include <QStringList>

namespace partialinvoice {

namespace {

// A line break inside a plain value would move every later line of the file.
QByteArray plain(const QString &value)
{
    QString text = value.trimmed();
    for (QChar &c : text) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return codepage::encode(text) + "\r\n";
}

QByteArray quoted(const QString &value)
{
    return TextRecordWriter().text(value.trimmed()).endRecord().bytes();
}

// A quoted line read as one record field: the text between the quotes.
QString unquoted(const QString &line)
{
    TextRecordReader reader(codepage::encode(line));
    return reader.field().value_or(QString());
}

// Digits only, 0 to 100: what this program writes.
std::optional<int> lineCount(const QString &text)
{
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > 127)
            return std::nullopt;
    }
    const int n = text.toInt();
    if (n > InvoiceDocument::MaxLines)
        return std::nullopt;
    return n;
}

} // namespace

QString fileOf(const QString &invoiceNumber)
{
    if (!names::isSafeFileName(invoiceNumber))
        return {};
    return Folder + u'/' + invoiceNumber + QStringLiteral(".txt");
}

QByteArray encode(const InvoiceDocument &document, const QDate &savedOn)
{
    QByteArray out;
    out.reserve(1024 + 64 * document.LineCount());
    out += plain(document.number);
    out += plain(document.AcctNo);
    out += plain(document.Customer);
    out += plain(regional::shortDate(savedOn));
    for (const QString *value : {&document.Customer, &document.Street, &document.Address2,
                                 &document.Address3, &document.State, &document.Address4})
        out += quoted(*value);
    for (const QString &value : document.shipTo)
        out += quoted(value);
    out += plain(document.number);
    out += plain(document.AcctNo);
    out += plain(document.reference);
    out += plain(document.attention);
    out += plain(QString::number(document.LineCount()));
    for (const InvoiceLine &line : document.lines) {
        for (const QString &cell : line.cells)
            out += plain(cell);
    }
    return out;
}

std::optional<QString> SavePartialInvoice(const DataFolder &data, InvoiceDocument &document,
                                          const QDate &today)
{
    const QString number = document.number.trimmed();
    const QString file = fileOf(number);
    if (file.isEmpty())
        return names::unsafeNameMessage(QStringLiteral("Invoice Number"), number);
    for (InvoiceLine &line : document.lines) {
        if (line[InvoiceLine::Date].trimmed().isEmpty())
            line[InvoiceLine::Date] = regional::shortDate(today);
    }
    if (!data.RewriteFile(file, encode(document, today)))
        return QStringLiteral("The Partial Invoice %1 could not be saved in \"%2\".")
            .arg(number, data.path(file));
    return std::nullopt;
}

Loaded decode(const QByteArray &bytes, const QString &ownNumber, const QDate &today)
{
    Loaded loaded;
    InvoiceDocument &d = loaded.document;
    auto fail = [&loaded](const QString &why) {
        loaded.document = InvoiceDocument{};
        loaded.error = why;
        return loaded;
    };
    if (bytes.contains('\0'))
        return fail(QStringLiteral("the file holds bytes that are not text."));
    const QStringList lines = linefile::decode(bytes);
    if (lines.size() < HeaderLines)
        return fail(QStringLiteral("the file is cut short."));

    d.number = lines[16].trimmed();
    d.AcctNo = lines[17].trimmed();
    if (!names::isSafeFileName(d.number) || d.number.compare(ownNumber, Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("the invoice number it holds (\"%1\") is not its own.")
                        .arg(d.number.left(40)));
    if (!names::isSafeFileName(d.AcctNo))
        return fail(QStringLiteral("the account number it holds (\"%1\") cannot be used.")
                        .arg(d.AcctNo.left(40)));
    const std::optional<int> count = lineCount(lines[20].trimmed());
    if (!count)
        return fail(QStringLiteral("its number of lines (\"%1\") is not a whole number from 0 to %2.")
                        .arg(lines[20].trimmed().left(40))
                        .arg(InvoiceDocument::MaxLines));
    if (lines.size() < HeaderLines + InvoiceLine::ColumnCount * *count)
        return fail(QStringLiteral("it holds fewer lines than its line count of %1.").arg(*count));

    d.CreationDate = regional::parseShortDate(lines[3].trimmed()).value_or(today);
    QString *soldTo[] = {&d.Customer, &d.Street, &d.Address2, &d.Address3, &d.State, &d.Address4};
    for (int k = 0; k < 6; ++k)
        *soldTo[k] = unquoted(lines[4 + k]);
    for (int k = 0; k < InvoiceDocument::ShipToLines; ++k)
        d.shipTo[std::size_t(k)] = unquoted(lines[10 + k]);
    d.reference = lines[18].trimmed();
    d.attention = lines[19].trimmed();
    d.lines.reserve(*count);
    for (int row = 0; row < *count; ++row) {
        InvoiceLine line;
        for (int c = 0; c < InvoiceLine::ColumnCount; ++c)
            line[c] = lines[HeaderLines + row * InvoiceLine::ColumnCount + c].trimmed();
        d.lines.append(line);
    }
    return loaded;
}

} // namespace partialinvoice
