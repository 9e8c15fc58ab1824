#include "setup/logopicture.h"

#include <QBuffer>
#include <QImageReader>

std::optional<QSizeF> probePicture(const QByteArray &bytes)
{
    const QImage image = decodePicture(bytes);
    if (image.isNull())
        return std::nullopt;
    const auto inchesPerMetre = 0.0254;
    const double dpiX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * inchesPerMetre : 96.0;
    const double dpiY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() * inchesPerMetre : 96.0;
    return QSizeF(image.width() * 1440.0 / dpiX, image.height() * 1440.0 / dpiY);
}

QImage decodePicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer);
    return reader.read();
}
