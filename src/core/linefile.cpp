#include "core/linefile.h"

#include "core/codepage.h"

namespace linefile {

QByteArray encodeValue(const QString &value)
{
    // A multi-line box here separates its lines with LF alone; the files separate every
    // line with CR LF, as a reader of the format expects.
    QByteArray out = codepage::encode(value);
    QByteArray lines;
    lines.reserve(out.size() + 2);
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char c = out.at(i);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < out.size() && out.at(i + 1) == '\n')
                ++i;
            lines.append("\r\n");
        } else {
            lines.append(c);
        }
    }
    lines.append("\r\n");
    return lines;
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
