#pragma once

#include "core/prompts.h"

#include <QMessageBox>

#include <memory>

class QWidget;

// The box a message or question is shown in, not yet run: no icon, the default
// title when none is given, and wide enough that the title bar shows the whole title.
std::unique_ptr<QMessageBox> makeMessageBox(const QString &text, const QString &title,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);

// Prompts shown as message and input boxes over the active window.
class MessagePrompts final : public Prompts
{
public:
    void tell(const QString &text, const QString &title = {}) override;
    bool ask(const QString &text, const QString &title = {}) override;
    // No is the default button.
    bool askToDestroy(const QString &text, const QString &title = {}) override;
    bool askOkCancel(const QString &text, const QString &title = {}) override;
    bool askOkCancelWarning(const QString &text, const QString &title = {}) override;
    std::optional<QString> input(const QString &prompt, const QString &title = {},
                                 const QString &defaultText = {}) override;
    void beep() override;
};
