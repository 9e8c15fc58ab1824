#pragma once

#include <QString>

// A name that becomes a file or folder name (account numbers, invoice numbers,
// template names) must not be empty, hold / \ : * ? " < > | or start with ".".
namespace names {
bool isSafeFileName(const QString &name);
// The message for an unsafe name; `what` names the field ("Account Number").
QString unsafeNameMessage(const QString &what, const QString &name);
} // namespace names
