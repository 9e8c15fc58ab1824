#include "printing/invoicepdf.h"

#include "core/datafolder.h"
#include "core/names.h"
#include "core/prompts.h"
#include "customers/customerfile.h"
#include "printing/invoicemail.h"
#include "printing/printouts.h"
#include "printing/printsettings.h"
#include "ui/desktop.h"
#include "ui/painterpage.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryFile>

namespace invoicepdf {

QString fileOf(const QDate &date, const QString &number)
{
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999 ||
        !names::isSafeFileName(number))
        return {};
    return Folder + u'/' + QString::number(date.year()) + u'/' + number + QStringLiteral(".pdf");
}

std::optional<QString> write(DataFolder &data, Printouts &printouts, const PrintSettings &settings,
                             const InvoicePrintout &invoice, const QString &relative)
{
    const QString folder = relative.left(relative.lastIndexOf(u'/'));
    if (relative.isEmpty() || !data.EnsureFolder(folder))
        return QStringLiteral("The folder %1 could not be made.")
            .arg(QDir::toNativeSeparators(data.path(folder)));
    const QString target = data.path(relative);
    if (QFileInfo(target).isDir())
        return QStringLiteral("A folder of that name is in the way.");

    QTemporaryFile temporary(QFileInfo(target).absolutePath() + u'/' +
                             QFileInfo(target).fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return temporary.errorString();
    temporary.close();
    {
        PainterPage page(PainterPage::pdfPrinter(temporary.fileName()));
        printouts.DrawInvoice(page, settings, invoice, nullptr);
        if (!page.endDocument())
            return QStringLiteral("The PDF could not be written.");
    }
    if (QFileInfo(temporary.fileName()).size() == 0)
        return QStringLiteral("The PDF could not be written.");
    // A temporary is private to its owner; the kept PDF is an ordinary file like the images.
    temporary.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                             QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    const QString temporaryRelative = folder + u'/' + QFileInfo(temporary.fileName()).fileName();
    if (!data.ReplaceWithTemporary(temporaryRelative, relative))
        return QStringLiteral("The PDF could not be renamed to its place.");
    return std::nullopt;
}

} // namespace invoicepdf

namespace {

const QString MailTitle = QStringLiteral("E-mail Invoice");
const QString SaveTitle = QStringLiteral("Save as PDF");

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

InvoiceHandOff::InvoiceHandOff(DataFolder &data, Printouts &printouts, Prompts &prompts,
                               Desktop *desktop)
    : m_data(data), m_printouts(printouts), m_prompts(prompts), m_desktop(desktop)
{
}

std::optional<QString> InvoiceHandOff::writeKept(const PrintSettings &settings,
                                                 const InvoicePrintout &invoice,
                                                 const QString &relative, const QString &title)
{
    std::optional<QString> failed;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        failed = invoicepdf::write(m_data, m_printouts, settings, invoice, relative);
        QGuiApplication::restoreOverrideCursor();
    }
    if (failed) {
        m_prompts.tell(QStringLiteral("The PDF of Invoice %1 could not be written:\r\n%2\r\n%3")
                           .arg(invoice.number, QDir::toNativeSeparators(m_data.path(relative)),
                                *failed),
                       title);
        return std::nullopt;
    }
    return m_data.path(relative);
}

QString InvoiceHandOff::keptFile(const InvoicePrintout &invoice, const QDate &date,
                                 const QString &title)
{
    const QString relative = invoicepdf::fileOf(date, invoice.number.trimmed());
    if (relative.isEmpty())
        m_prompts.tell(QStringLiteral("No PDF can be kept for Invoice %1:\r\n"
                                      "its number or date cannot name a file.")
                           .arg(invoice.number),
                       title);
    return relative;
}

std::optional<QString> InvoiceHandOff::keepPosted(const PrintSettings &settings,
                                                  const InvoicePrintout &invoice, const QDate &date)
{
    const QString relative = keptFile(invoice, date, QStringLiteral("Invoice PDF"));
    if (relative.isEmpty())
        return std::nullopt;
    return writeKept(settings, invoice, relative, QStringLiteral("Invoice PDF"));
}

void InvoiceHandOff::saveAsPdf(const PrintSettings &settings, const InvoicePrintout &invoice,
                               const QDate &date)
{
    const QString relative = keptFile(invoice, date, SaveTitle);
    if (relative.isEmpty())
        return;
    const QString path = m_data.path(relative);
    // The kept PDF is what the printer received at posting: it is never written over.
    if (QFileInfo(path).isFile()) {
        if (!m_desktop || !m_desktop->openFolder(folderOf(path)))
            m_prompts.tell(QStringLiteral("The PDF of this Invoice is kept as\r\n") +
                               QDir::toNativeSeparators(path),
                           SaveTitle);
        return;
    }
    if (writeKept(settings, invoice, relative, SaveTitle))
        m_prompts.tell(QStringLiteral("The Invoice was saved as\r\n") + QDir::toNativeSeparators(path),
                       SaveTitle);
}

void InvoiceHandOff::emailInvoice(const PrintSettings &settings, const InvoicePrintout &invoice,
                                  const QDate &date)
{
    const QString address = customers::EmailOf(m_data, invoice.account);
    if (!address.isEmpty() && !invoicemail::isSafeAddress(address)) {
        handToMail({}, invoice.number, address, settings.business[0]);
        return;
    }
    const QString relative = keptFile(invoice, date, MailTitle);
    if (relative.isEmpty())
        return;
    QString path = m_data.path(relative);
    if (!QFileInfo(path).isFile()) {
        const std::optional<QString> written = writeKept(settings, invoice, relative, MailTitle);
        if (!written)
            return;
        path = *written;
    }
    handToMail(path, invoice.number, address, settings.business[0]);
}

void InvoiceHandOff::offerEmail(const QString &pdfPath, const QString &number,
                                const QString &account, const QString &businessName)
{
    const QString address = customers::EmailOf(m_data, account);
    if (address.isEmpty())
        return;
    if (!m_prompts.ask(QStringLiteral("Would you like to E-mail Invoice %1 to the Customer?").arg(number),
                       MailTitle))
        return;
    handToMail(pdfPath, number, address, businessName);
}

void InvoiceHandOff::handToMail(const QString &pdfPath, const QString &number,
                                const QString &address, const QString &businessName)
{
    if (!address.isEmpty() && !invoicemail::isSafeAddress(address)) {
        m_prompts.tell(QStringLiteral("The Customer's E-mail Address cannot be handed to the mail "
                                      "program.\r\nCorrect it on the Customer screen first."),
                       MailTitle);
        return;
    }
    if (invoicemail::start(invoicemail::arguments(address, number, businessName, pdfPath)))
        return;
    const QString folder = folderOf(pdfPath);
    m_prompts.tell(QStringLiteral("No mail program could be started.\r\n"
                                  "The Invoice PDF is in this folder:\r\n") +
                       QDir::toNativeSeparators(folder),
                   MailTitle);
    if (m_desktop)
        m_desktop->openFolder(folder);
}
