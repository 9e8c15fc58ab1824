#include "core/names.h"

namespace names {

namespace {

// C1 controls too: Windows-1252 decodes its five unassigned bytes to them.
bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f);
}

} // namespace

bool isNameCharacter(QChar c)
{
    return !isControl(c) && !QStringView(u"/\\:*?\"<>|").contains(c);
}

bool isSafeFileName(const QString &name)
{
    if (name.trimmed().isEmpty())
        return false;
    if (name.startsWith(u'.') || name.endsWith(u'.') || name.back().isSpace())
        return false;
    for (QChar c : name) {
        if (!isNameCharacter(c))
            return false;
    }
    return true;
}

QString unsafeNameMessage(const QString &what, const QString &name)
{
    // A line break or tab inside the quoted value would garble the message.
    QString shown = name;
    for (QChar &c : shown) {
        if (isControl(c))
            c = QChar::ReplacementCharacter;
    }
    return QStringLiteral("The %1 \"%2\" cannot be used: it may not be empty, start or end "
                          "with a period, end with a blank, or contain "
                          "/ \\ : * ? \" < > | or control characters")
        .arg(what, shown);
}

} // namespace names
