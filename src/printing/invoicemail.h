#pragma once

#include <QString>
#include <QStringList>

// Handing an invoice PDF to the desktop's mail program through `xdg-email`. The
// program itself sends nothing: the operator sees the message and sends it.
namespace invoicemail {

// Whether the customer's address may be handed over as the one recipient: it must
// hold an "@", and no line break or other control character, no "," or ";" (more
// recipients), no "?", "&" or "%" (headers and attachments smuggled into the
// mailto address), and must not start with "-" (an option) or "mailto:".
bool isSafeAddress(const QString &address);

QString subject(const QString &number, const QString &businessName);
QString body(const QString &number, const QString &businessName);

// The arguments of `xdg-email`, each one argument (there is no shell): subject,
// body, the PDF attached, then the address when there is one.
QStringList arguments(const QString &address, const QString &number,
                      const QString &businessName, const QString &pdfPath);

// Starts the program found on PATH with the arguments and waits a little for it to
// hand the message on. False when it cannot be started or reports a failure (no
// mail program on the desktop).
bool start(const QStringList &arguments, const QString &program = QStringLiteral("xdg-email"));

} // namespace invoicemail
