#include "dialer/serialline.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace dialer {

namespace {

QSettings programSettings()
{
    return QSettings(QStringLiteral("Pelmor"), QStringLiteral("PelmorInvoicer"));
}

} // namespace

QString DefaultSerialDeviceName(int port)
{
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

QString SerialDeviceSettingsKey(int port)
{
    return QStringLiteral("SerialPorts/port") + QString::number(port);
}

QString SerialDeviceName(int port)
{
    const QString stored = programSettings().value(SerialDeviceSettingsKey(port)).toString();
    return stored.trimmed().isEmpty() ? DefaultSerialDeviceName(port) : stored.trimmed();
}

void SetSerialDeviceName(int port, const QString &device)
{
    QSettings settings = programSettings();
    if (device.trimmed().isEmpty())
        settings.remove(SerialDeviceSettingsKey(port));
    else
        settings.setValue(SerialDeviceSettingsKey(port), device.trimmed());
}

QStringList SystemConsoles()
{
    QFile active(QStringLiteral("/sys/class/tty/console/active"));
    if (!active.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(active.readAll())
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

bool IsSystemConsole(const QString &device, const QStringList &consoles)
{
    const QFileInfo info(device);
    const QString resolved = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (resolved == QStringLiteral("/dev/console"))
        return true;
    return resolved.startsWith(QStringLiteral("/dev/")) &&
           consoles.contains(resolved.mid(QStringLiteral("/dev/").size()));
}

} // namespace dialer
