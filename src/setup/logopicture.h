#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <optional>

// The size in twips of the picture the bytes hold, at the resolution stored in it
// (96 dots an inch when none is); nullopt when Qt cannot read it.
std::optional<QSizeF> probePicture(const QByteArray &bytes);
QImage decodePicture(const QByteArray &bytes);
