#include "scriptedprompts.h"

void ScriptedPrompts::tell(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("tell"), text, title.isEmpty() ? DefaultMessageTitle : title});
}

bool ScriptedPrompts::ask(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("ask"), text, title.isEmpty() ? DefaultMessageTitle : title});
    return m_answers.isEmpty() ? true : m_answers.takeFirst();
}

bool ScriptedPrompts::askOkCancel(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("okcancel"), text, title.isEmpty() ? DefaultMessageTitle : title});
    return m_answers.isEmpty() ? true : m_answers.takeFirst();
}

std::optional<QString> ScriptedPrompts::input(const QString &prompt, const QString &title,
                                              const QString &)
{
    shown.append({QStringLiteral("input"), prompt, title.isEmpty() ? DefaultMessageTitle : title});
    return m_inputs.isEmpty() ? std::nullopt : m_inputs.takeFirst();
}

void ScriptedPrompts::clear()
{
    shown.clear();
    beeps = 0;
    m_answers.clear();
    m_inputs.clear();
}
