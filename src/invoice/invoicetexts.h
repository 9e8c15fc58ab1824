#pragma once

#include <QString>

#include <optional>

class DataFolder;

// The short text files the invoice screen shows: default terms and the memo.
namespace invoicetexts {

inline const QString TermsFile = QStringLiteral("/StatementTerms.txt");
inline const QString MemoFile = QStringLiteral("/InvoiceMemo.txt");
inline const QString TemplatesFolder = QStringLiteral("/PelmorInvoicer/Templates/Invoices");

// The first line of a line file; nullopt when the file is absent. Only the start of
// a large file is read.
std::optional<QString> firstLine(const DataFolder &data, const QString &relative);
// The memo read as record fields, each followed by CR LF; nullopt when absent.
std::optional<QString> memo(const DataFolder &data);

} // namespace invoicetexts
