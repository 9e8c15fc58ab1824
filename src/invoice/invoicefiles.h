#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class DataFolder;

// The memo, the narratives and the carrier and terms defaults of new invoices.
namespace invoicefiles {

inline const QString MemoFile = QStringLiteral("/InvoiceMemo.txt");
inline const QString NarrativeTemplateFile = QStringLiteral("/Narrative.txt");
inline const QString ShipViaFile = QStringLiteral("/ShipVia.txt");
inline const QString TermsFile = QStringLiteral("/StatementTerms.txt");
// A memo or narrative prints on a few lines; a file far beyond that is not one.
inline constexpr qint64 MaxTextFileSize = 64 * 1024;

inline const QString MemoLoaded = QStringLiteral("A MEMO IS LOADED");

// "UPS - Next Day Air" ... "None", in the order of the carrier box.
QStringList carriers();

struct Text
{
    bool present = false;
    QString text;
    QString error; // present but not loaded
};

// The memo read as record fields, each followed by CR LF (a comma starts a new line).
Text readMemo(const DataFolder &data);
bool saveMemo(const DataFolder &data, const QString &text);

// The narrative template, each line followed by CR LF.
Text readNarrativeTemplate(const DataFolder &data);
bool saveNarrativeTemplate(const DataFolder &data, const QString &text);

inline const QString NoInvoiceNumber = QStringLiteral("You have not entered an Invoice Number");
// Replaces the invoice's narrative; the operator's message when it was not saved.
std::optional<QString> saveNarrative(const DataFolder &data, const QString &invoiceNumber,
                                     const QString &text);
Text readNarrative(const DataFolder &data, const QString &invoiceNumber);

// A new invoice given up: its narrative and the narrative's backup go, unless a
// partial invoice or a completed invoice has that number (the narrative is theirs).
// Otherwise the next invoice to get the number would print the old narrative.
void DiscardAbandonedNarrative(const DataFolder &data, const QString &invoiceNumber);

// The first line of "/ShipVia.txt", else "None".
QString defaultCarrier(const DataFolder &data);
// False, and nothing written, for an empty text.
bool saveDefaultCarrier(const DataFolder &data, const QString &carrier);
// The first line of "/StatementTerms.txt"; nullopt when there is none.
std::optional<QString> defaultTerms(const DataFolder &data);
bool saveDefaultTerms(const DataFolder &data, const QString &terms);

} // namespace invoicefiles
