#include "printing/invoicemail.h"

#include <QObject>
#include <QProcess>
#include <QStandardPaths>

namespace invoicemail {

namespace {

// Long enough for xdg-email to hand the message to a running mail program; a mail
// program it starts in the foreground keeps running after it.
constexpr int HandOverMilliseconds = 3000;

// Texts from the setup files may hold anything; the mail program gets one line.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            c = u' ';
    }
    return text.simplified();
}

} // namespace

bool isSafeAddress(const QString &address)
{
    if (!address.contains(u'@') || address.startsWith(u'-') ||
        address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return false;
    for (const QChar c : address) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            break;
        }
        if (c == u',' || c == u';' || c == u'?' || c == u'&' || c == u'%')
            return false;
    }
    return true;
}

QString subject(const QString &number, const QString &businessName)
{
    return oneLine(QStringLiteral("Invoice ") + number + QStringLiteral(" from ") + businessName);
}

QString body(const QString &number, const QString &businessName)
{
    return QStringLiteral("Please find attached invoice ") + oneLine(number) +
           QStringLiteral(".\n\nThank you for your business.\n") + oneLine(businessName) +
           QStringLiteral("\n");
}

QStringList arguments(const QString &address, const QString &number,
                      const QString &businessName, const QString &pdfPath)
{
    QStringList out{QStringLiteral("--utf8"),
                    QStringLiteral("--subject"), subject(number, businessName),
                    QStringLiteral("--body"),    body(number, businessName),
                    QStringLiteral("--attach"),  pdfPath};
    if (!address.isEmpty())
        out.append(address);
    return out;
}

bool start(const QStringList &arguments, const QString &program)
{
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return false;
    auto *process = new QProcess;
    process->setProgram(executable);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    if (process->waitForFinished(HandOverMilliseconds)) {
        const bool handed = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return handed;
    }
    // Still running: it has the message; the process object goes when it ends.
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

} // namespace invoicemail
