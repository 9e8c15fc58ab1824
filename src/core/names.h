#pragma once

#include <QString>

// A name that becomes a file or folder name (account numbers, invoice numbers,
// template names) must not be empty or only blanks, hold / \ : * ? " < > | or a
// control character, start with "." or end with a blank or "." (Windows drops
// those, so "A1." and "A1" would be one file). Pass the name exactly as it goes
// into the path.
namespace names {
bool isSafeFileName(const QString &name);
// Whether the character may stand anywhere in such a name.
bool isNameCharacter(QChar c);
// The message for an unsafe name; `what` names the field ("Account Number").
QString unsafeNameMessage(const QString &what, const QString &name);
} // namespace names
