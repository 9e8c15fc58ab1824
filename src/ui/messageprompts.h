#pragma once

#include "core/prompts.h"

class QWidget;

// Prompts shown as message and input boxes over the active window.
class MessagePrompts final : public Prompts
{
public:
    void tell(const QString &text, const QString &title = {}) override;
    bool ask(const QString &text, const QString &title = {}) override;
    bool askOkCancel(const QString &text, const QString &title = {}) override;
    bool askOkCancelWarning(const QString &text, const QString &title = {}) override;
    std::optional<QString> input(const QString &prompt, const QString &title = {},
                                 const QString &defaultText = {}) override;
    void beep() override;
};
