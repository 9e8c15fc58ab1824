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

} // namespace invoicetexts
