#include "ui/programicon.h"

#include <QSize>

namespace ProgramIcon {

QString desktopId()
{
    return QStringLiteral(PELMOR_APP_ID);
}

QIcon icon()
{
    // The sizes drawn for the desktop; a window system picks the one it needs.
    static const int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
    QIcon result;
    for (int size : Sizes)
        result.addFile(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(desktopId()),
                       QSize(size, size));
    return result;
}

} // namespace ProgramIcon
