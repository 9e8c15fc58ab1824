#include "setup/setupdialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>

std::optional<QColor> QtSetupDialogs::chooseColour(QWidget *parent, const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<QString> QtSetupDialogs::chooseFont(QWidget *parent, const QString &family)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, QFont(family), parent);
    if (!ok)
        return std::nullopt;
    return font.family();
}

std::optional<QString> QtSetupDialogs::chooseFile(QWidget *parent, const QString &filter)
{
    const QString file = QFileDialog::getOpenFileName(parent, {}, {}, filter);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}
