#pragma once

#include <QString>

#include <optional>

// Every message box, question, input box and beep goes through here, so screens
// and rules can be tested with a scripted implementation.
class Prompts
{
public:
    virtual ~Prompts() = default;
    // Message with an OK button, no icon. An empty title means "Pelmor Invoicer".
    virtual void tell(const QString &text, const QString &title = {}) = 0;
    // Yes/No question without an icon; true for Yes.
    virtual bool ask(const QString &text, const QString &title = {}) = 0;
    // A question whose Yes destroys data: as ask(), with No the default button.
    virtual bool askToDestroy(const QString &text, const QString &title = {})
    {
        return ask(text, title);
    }
    // OK/Cancel; true for OK.
    virtual bool askOkCancel(const QString &text, const QString &title = {}) = 0;
    // OK/Cancel with the exclamation icon, for a deletion that cannot be undone. A
    // service that shows no icons asks the plain question.
    virtual bool askOkCancelWarning(const QString &text, const QString &title = {})
    {
        return askOkCancel(text, title);
    }
    // Input box; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &prompt, const QString &title = {},
                                         const QString &defaultText = {}) = 0;
    virtual void beep() = 0;
};

inline const QString DefaultMessageTitle = QStringLiteral("Pelmor Invoicer");
