#include "core/linefile.h"

#include "core/codepage.h"

namespace linefile {

QByteArray encodeValue(const QString &value)
{
    QByteArray out = codepage::encode(value);
    out.append("\r\n");
    return out;
}

QByteArray encode(const QStringList &values)
{
    QByteArray out;
    for (const QString &value : values)
        out.append(encodeValue(value));
    return out;
}

QStringList decode(const QByteArray &bytes)
{
    QStringList lines;
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0)
            lf = size;
        qsizetype end = lf;
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        lines.append(codepage::decode(bytes.constData() + start, end - start));
        start = lf + 1;
    }
    return lines;
}

} // namespace linefile
