#pragma once

#include "core/prompts.h"

#include <QList>
#include <QString>

#include <optional>

// Records every prompt and answers from a script. A question or input box the
// script does not answer fails the test (and is answered No or cancelled).
class ScriptedPrompts final : public Prompts
{
public:
    struct Shown
    {
        QString kind; // "tell", "ask", "okcancel", "input"
        QString text;
        QString title;
        // A question with No as its default button.
        bool defaultNo = false;
        // An OK/Cancel question shown with the exclamation icon.
        bool warning = false;
    };

    void tell(const QString &text, const QString &title = {}) override;
    bool ask(const QString &text, const QString &title = {}) override;
    bool askToDestroy(const QString &text, const QString &title = {}) override;
    bool askOkCancel(const QString &text, const QString &title = {}) override;
    bool askOkCancelWarning(const QString &text, const QString &title = {}) override;
    std::optional<QString> input(const QString &prompt, const QString &title = {},
                                 const QString &defaultText = {}) override;
    void beep() override { ++beeps; }

    void answerNext(bool yes) { m_answers.append(yes); }
    void inputNext(std::optional<QString> text) { m_inputs.append(std::move(text)); }
    void clear();

    QList<Shown> shown;
    int beeps = 0;

private:
    bool answer(const QString &kind, const QString &text);

    QList<bool> m_answers;
    QList<std::optional<QString>> m_inputs;
};
