#include "menu/usermanual.h"

#include "startup/commandline.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace UserManual {

QByteArray content()
{
    QFile file(QStringLiteral(":/manual/UserManual.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString installedCopy()
{
    return launch::installedManual(QCoreApplication::applicationDirPath());
}

QString defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

std::optional<QString> writeCopy(const QString &folder)
{
    const QByteArray html = content();
    if (html.isEmpty() || folder.isEmpty() || !QDir().mkpath(folder))
        return std::nullopt;
    const QString path = QDir(folder).filePath(QStringLiteral("PelmorInvoicerManual.html"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size() || !file.commit())
        return std::nullopt;
    return path;
}

} // namespace UserManual
