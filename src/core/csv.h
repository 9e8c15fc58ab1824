#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Money;
class QDate;

// Tables for spreadsheets, written one way everywhere: RFC 4180 (fields that hold a
// comma, a quote or a line break are quoted, quotes doubled; records end with CR LF),
// UTF-8 with a byte-order mark so spreadsheets read "€" and accented names.
namespace csv {

// A text that would start a formula in a spreadsheet ("=", "+", "-", "@", a tab or
// CR first) gets a leading apostrophe; plain numbers are written as they are.
QByteArray encode(const QList<QStringList> &rows);

// An amount as a plain number with a dot and at least two decimals ("-1234.50").
QString number(Money amount);
// A date as ISO 8601 ("2024-03-05"); empty when there is none.
QString isoDate(const QDate &date);

// Writes the table to the absolute path through a temporary and a rename, so a
// failure leaves no partial file and an existing file as it was. The reason it
// failed, or nullopt.
std::optional<QString> writeFile(const QString &path, const QList<QStringList> &rows);

} // namespace csv
