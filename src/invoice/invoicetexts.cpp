#include "invoice/invoicetexts.h"

#include "core/datafolder.h"
#include "core/linefile.h"
#include "core/textrecord.h"

#include <QFile>

namespace invoicetexts {

namespace {

constexpr qint64 ReadLimit = 4 * 1024;

std::optional<QByteArray> head(const DataFolder &data, const QString &relative)
{
    if (!data.FileIsPresent(relative))
        return std::nullopt;
    QFile file(data.path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(ReadLimit);
}

} // namespace

std::optional<QString> firstLine(const DataFolder &data, const QString &relative)
{
    const std::optional<QByteArray> bytes = head(data, relative);
    if (!bytes)
        return std::nullopt;
    const QStringList lines = linefile::decode(*bytes);
    return lines.isEmpty() ? QString() : lines.first();
}

std::optional<QString> memo(const DataFolder &data)
{
    const std::optional<QByteArray> bytes = head(data, MemoFile);
    if (!bytes)
        return std::nullopt;
    TextRecordReader reader(*bytes);
    QString text;
    while (!reader.atEnd()) {
        const std::optional<QString> field = reader.field();
        if (!field)
            break;
        text += *field + QStringLiteral("\r\n");
    }
    return text;
}

} // namespace invoicetexts
