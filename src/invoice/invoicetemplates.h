#pragma once

#include "invoice/invoicedocument.h"

#include <QString>
#include <QStringList>

#include <optional>

class DataFolder;

// Invoice templates: the lines of an invoice kept under a name, 70-byte records of
// units (10), description (45), price without its currency symbol (10), taxable (5).
namespace invoicetemplates {

inline const QString Folder = QStringLiteral("/PelmorInvoicer/Templates/Invoices");
inline constexpr int RecordLength = 70;
inline constexpr int UnitsWidth = 10;
inline constexpr int DescriptionWidth = 45;
inline constexpr int PriceWidth = 10;
inline constexpr int TaxableWidth = 5;

// What the invoice screen asks about templates.
inline const QString NamePrompt = QStringLiteral(
    "Enter a Name for this Template\r\nDo not enter /\\,.-:; Characters\r\n"
    "Do not enter .txt (this is done automatically");
inline const QString NameTitle = QStringLiteral("Save Invoice Template");
inline const QString ExistsTitle = QStringLiteral("Template Exists");
inline const QString DeletionTitle = QStringLiteral("Template Deletion");
QString existsQuestion(const QString &name);
QString deletionQuestion(const QString &name);

// Folder + "/" + name + ".txt"; empty when the name cannot name a file.
QString fileOf(const QString &name);
// The names of the templates (without ".txt"), sorted ignoring case.
QStringList list(const DataFolder &data);
bool exists(const DataFolder &data, const QString &name);

// The lines a template keeps: units whose value is above 0 (labor's "2 Hrs" counts).
QList<InvoiceLine> savedLines(const InvoiceDocument &document);
// The records for those lines; the message naming the first line whose units,
// description or price would be cut by its field.
struct Encoded
{
    QByteArray bytes;
    QString error;
};
Encoded encode(const InvoiceDocument &document);

// Checks the name and the lines, then replaces the file whole. The operator's
// message when it was not saved.
std::optional<QString> save(const DataFolder &data, const QString &name,
                            const InvoiceDocument &document);

struct Loaded
{
    QList<InvoiceLine> lines;
    QString error;   // the template was not loaded
    QString warning; // loaded, but part of the file was left out
};
// At most 100 whole records. A price that is not a number refuses the template.
Loaded decode(const QByteArray &bytes);
Loaded load(const DataFolder &data, const QString &name);

bool remove(const DataFolder &data, const QString &name);

} // namespace invoicetemplates
