#include "core/csv.h"

#include "core/money.h"

#include <QDate>
#include <QFileInfo>
#include <QSaveFile>

namespace csv {

namespace {

bool isPlainNumber(QStringView text)
{
    qsizetype at = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c.isDigit() && c.unicode() < 128)
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

void appendField(QString &out, const QString &field)
{
    if (field.isEmpty())
        return;
    const QChar first = field.at(0);
    const bool formula = (first == u'=' || first == u'+' || first == u'-' || first == u'@' ||
                          first == u'\t' || first == u'\r') &&
                         !isPlainNumber(field);
    bool quoted = false;
    for (const QChar c : field) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') {
            quoted = true;
            break;
        }
    }
    if (quoted)
        out += u'"';
    if (formula)
        out += u'\'';
    if (quoted)
        out += QString(field).replace(u'"', QStringLiteral("\"\""));
    else
        out += field;
    if (quoted)
        out += u'"';
}

} // namespace

QByteArray encode(const QList<QStringList> &rows)
{
    QString text;
    text.reserve(rows.size() * 96);
    for (const QStringList &row : rows) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            if (column > 0)
                text += u',';
            appendField(text, row.at(column));
        }
        text += QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString number(Money amount)
{
    QString text = amount.toPlainText();
    // Four decimals are stored; the third and fourth show only when they count.
    for (int drop = 0; drop < 2 && text.endsWith(u'0'); ++drop)
        text.chop(1);
    return text;
}

QString isoDate(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

std::optional<QString> writeFile(const QString &path, const QList<QStringList> &rows)
{
    if (QFileInfo(path).isDir())
        return QStringLiteral("A folder of that name is in the way.");
    const QByteArray bytes = encode(rows);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace csv
