#include "invoice/invoicefiles.h"

#include "core/codepage.h"
#include "core/datafolder.h"
#include "core/linefile.h"
#include "core/names.h"
#include "core/textrecord.h"
#include "invoice/partialinvoice.h"
#include "printing/printengine.h"

#include <QFile>
#include <QFileInfo>

namespace invoicefiles {

namespace {

// Whole content of an ordinary file; refused when it is far beyond a memo's size.
Text readSmall(const DataFolder &data, const QString &relative, QByteArray &bytes)
{
    Text result;
    if (relative.isEmpty() || !data.FileIsPresent(relative))
        return result;
    result.present = true;
    QFile file(data.path(relative));
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("\"%1\" could not be read.").arg(data.path(relative));
        return result;
    }
    bytes = file.read(MaxTextFileSize + 1);
    if (bytes.size() > MaxTextFileSize) {
        bytes.clear();
        result.error = QStringLiteral("\"%1\" is too large to be loaded (more than %2 KB).")
                           .arg(data.path(relative))
                           .arg(MaxTextFileSize / 1024);
    }
    return result;
}

QString linesText(const QByteArray &bytes)
{
    QString text;
    for (const QString &line : linefile::decode(bytes))
        text += line + QStringLiteral("\r\n");
    return text;
}

std::optional<QString> firstLine(const DataFolder &data, const QString &relative)
{
    if (!data.FileIsPresent(relative))
        return std::nullopt;
    QFile file(data.path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // A line as long as a carrier or terms text can be; the rest is not read.
    QByteArray line = file.readLine(4096);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return codepage::decode(line);
}

bool writeOneLine(const DataFolder &data, const QString &relative, const QString &text)
{
    QString one = text;
    for (QChar &c : one) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return data.RewriteFile(relative, linefile::encodeValue(one));
}

} // namespace

QStringList carriers()
{
    return {QStringLiteral("UPS - Next Day Air"),   QStringLiteral("UPS - 2nd Day Air"),
            QStringLiteral("UPS - Ground"),         QStringLiteral("USPS - Express"),
            QStringLiteral("USPS - Priority Mail"), QStringLiteral("USPS - Parcel Post"),
            QStringLiteral("FEDEX - Next Day Air"), QStringLiteral("FEDEX - 2nd Day Air"),
            QStringLiteral("FEDEX - Ground"),       QStringLiteral("None")};
}

Text readMemo(const DataFolder &data)
{
    QByteArray bytes;
    Text memo = readSmall(data, MemoFile, bytes);
    if (!memo.present || !memo.error.isEmpty())
        return memo;
    TextRecordReader reader(bytes);
    while (!reader.atEnd()) {
        const std::optional<QString> field = reader.field();
        if (!field)
            break;
        memo.text += *field + QStringLiteral("\r\n");
    }
    return memo;
}

bool saveMemo(const DataFolder &data, const QString &text)
{
    return data.WriteTextFile(MemoFile, text);
}

Text readNarrativeTemplate(const DataFolder &data)
{
    QByteArray bytes;
    Text narrative = readSmall(data, NarrativeTemplateFile, bytes);
    if (narrative.present && narrative.error.isEmpty())
        narrative.text = linesText(bytes);
    return narrative;
}

bool saveNarrativeTemplate(const DataFolder &data, const QString &text)
{
    return data.WriteTextFile(NarrativeTemplateFile, text);
}

std::optional<QString> saveNarrative(const DataFolder &data, const QString &invoiceNumber,
                                     const QString &text)
{
    const QString number = invoiceNumber.trimmed();
    if (number.isEmpty())
        return NoInvoiceNumber;
    const QString file = PrintEngine::narrativeFile(number);
    if (file.isEmpty())
        return names::unsafeNameMessage(QStringLiteral("Invoice Number"), number);
    if (!data.RewriteFile(file, linefile::encodeValue(text)))
        return QStringLiteral("The Narrative could not be saved in \"%1\".").arg(data.path(file));
    return std::nullopt;
}

Text readNarrative(const DataFolder &data, const QString &invoiceNumber)
{
    QByteArray bytes;
    Text narrative = readSmall(data, PrintEngine::narrativeFile(invoiceNumber.trimmed()), bytes);
    if (narrative.present && narrative.error.isEmpty())
        narrative.text = linesText(bytes);
    return narrative;
}

void DiscardAbandonedNarrative(const DataFolder &data, const QString &invoiceNumber)
{
    const QString number = invoiceNumber.trimmed();
    const QString narrative = PrintEngine::narrativeFile(number);
    if (narrative.isEmpty())
        return;
    const QString image = QStringLiteral("/CompletedInvoices/") + number + QStringLiteral(".txt");
    if (data.Exists(partialinvoice::fileOf(number)) || data.Exists(image))
        return;
    data.DeleteWithBackup(narrative);
}

QString defaultCarrier(const DataFolder &data)
{
    return firstLine(data, ShipViaFile).value_or(QStringLiteral("None"));
}

bool saveDefaultCarrier(const DataFolder &data, const QString &carrier)
{
    if (carrier.isEmpty())
        return false;
    return writeOneLine(data, ShipViaFile, carrier);
}

std::optional<QString> defaultTerms(const DataFolder &data)
{
    return firstLine(data, TermsFile);
}

bool saveDefaultTerms(const DataFolder &data, const QString &terms)
{
    return writeOneLine(data, TermsFile, terms);
}

} // namespace invoicefiles
