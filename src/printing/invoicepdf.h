#pragma once

#include "printing/invoiceprintout.h"

#include <QDate>
#include <QString>

#include <optional>

class DataFolder;
class Desktop;
class Printouts;
class Prompts;
struct PrintSettings;

// The PDF kept of every posted invoice: "/InvoicePDFs/" + year + "/" + number +
// ".pdf", beside the images other programs read, made at the first posting.
namespace invoicepdf {

inline const QString Folder = QStringLiteral("/InvoicePDFs");

// The kept PDF's relative path; empty when the date is not valid or the number
// cannot be a file name, so neither ever becomes a path.
QString fileOf(const QDate &date, const QString &number);

// Draws the invoice with the printer's steps into the PDF, through a temporary in
// the same folder renamed over at the end: the old or the new file, never half of
// one. The reason it failed, or nullopt.
std::optional<QString> write(DataFolder &data, Printouts &printouts, const PrintSettings &settings,
                             const InvoicePrintout &invoice, const QString &relative);

} // namespace invoicepdf

// The kept PDF, "Save as PDF" and "E-mail Invoice", with their messages, for the
// invoice screen after posting and for the reprint screen.
class InvoiceHandOff final
{
public:
    InvoiceHandOff(DataFolder &data, Printouts &printouts, Prompts &prompts, Desktop *desktop);

    // Writes the kept PDF after a posting; a failure is reported (the posting stands).
    // The absolute path when written.
    std::optional<QString> keepPosted(const PrintSettings &settings, const InvoicePrintout &invoice,
                                      const QDate &date);
    // The reprint's "Save as PDF": a kept PDF that exists has its folder opened;
    // otherwise the image is written as the reprint prints it and the path is told.
    void saveAsPdf(const PrintSettings &settings, const InvoicePrintout &invoice, const QDate &date);
    // The reprint's "E-mail Invoice": the kept PDF (written first when missing) goes
    // to the customer of the account.
    void emailInvoice(const PrintSettings &settings, const InvoicePrintout &invoice,
                      const QDate &date);
    // After posting: asks whether to e-mail the kept PDF when the customer has an
    // address.
    void offerEmail(const QString &pdfPath, const QString &number, const QString &account,
                    const QString &businessName);
    // Hands the PDF to the mail program; where none starts, says so and opens the
    // PDF's folder. An address that is not safe is refused.
    void handToMail(const QString &pdfPath, const QString &number, const QString &address,
                    const QString &businessName);

private:
    std::optional<QString> writeKept(const PrintSettings &settings, const InvoicePrintout &invoice,
                                     const QString &relative, const QString &title);
    QString keptFile(const InvoicePrintout &invoice, const QDate &date, const QString &title);

    DataFolder &m_data;
    Printouts &m_printouts;
    Prompts &m_prompts;
    Desktop *m_desktop;
};
