#pragma once

#include <QIcon>
#include <QString>

// The program's own icon and the name under which the desktop knows the program.
namespace ProgramIcon {

// The reverse-domain name of the desktop entry, the icon and the AppStream file.
QString desktopId();

// Every drawn size, from 16 to 256 pixels.
QIcon icon();

} // namespace ProgramIcon
