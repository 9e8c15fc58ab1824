#pragma once

#include <QString>

#include <optional>

class DataFolder;

// The default terms as the invoice screen shows them (the memo and the other
// default files are `invoicefiles`).
namespace invoicetexts {


// The first line of a line file; nullopt when the file is absent. Only the start of
// a large file is read.
std::optional<QString> firstLine(const DataFolder &data, const QString &relative);

} // namespace invoicetexts
