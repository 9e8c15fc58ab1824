#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

// The colour, font and open-file dialogs of the setup screen, so tests can answer
// them. Each gives nullopt when the operator cancels.
class SetupDialogs
{
public:
    virtual ~SetupDialogs() = default;
    virtual std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) = 0;
    // A font face; the size is not asked for.
    virtual std::optional<QString> chooseFont(QWidget *parent, const QString &family) = 0;
    // `filter` in Qt's form: "Pictures (*.bmp *.jpg);;All (*)".
    virtual std::optional<QString> chooseFile(QWidget *parent, const QString &filter) = 0;
};

class QtSetupDialogs final : public SetupDialogs
{
public:
    std::optional<QColor> chooseColour(QWidget *parent, const QColor &initial) override;
    std::optional<QString> chooseFont(QWidget *parent, const QString &family) override;
    std::optional<QString> chooseFile(QWidget *parent, const QString &filter) override;
};
