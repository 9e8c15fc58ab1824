#include "scriptedprompts.h"

#include <QTest>

namespace {

// A question the test did not script is a fault of the test or of the code under
// test: it fails the test and is answered No (Cancel), the answer that loses nothing.
void unscripted(const QString &kind, const QString &text)
{
    QTest::qFail(qPrintable(QStringLiteral("unscripted %1: %2").arg(kind, text)), __FILE__,
                 __LINE__);
}

} // namespace

void ScriptedPrompts::tell(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("tell"), text, title.isEmpty() ? DefaultMessageTitle : title});
}

bool ScriptedPrompts::ask(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("ask"), text, title.isEmpty() ? DefaultMessageTitle : title});
    return answer(QStringLiteral("ask"), text);
}

bool ScriptedPrompts::askToDestroy(const QString &text, const QString &title)
{
    shown.append(
        {QStringLiteral("ask"), text, title.isEmpty() ? DefaultMessageTitle : title, true});
    return answer(QStringLiteral("ask"), text);
}

bool ScriptedPrompts::askOkCancel(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("okcancel"), text, title.isEmpty() ? DefaultMessageTitle : title});
    return answer(QStringLiteral("okcancel"), text);
}

bool ScriptedPrompts::askOkCancelWarning(const QString &text, const QString &title)
{
    shown.append({QStringLiteral("okcancel"), text,
                  title.isEmpty() ? DefaultMessageTitle : title, false, true});
    return answer(QStringLiteral("okcancel"), text);
}

std::optional<QString> ScriptedPrompts::input(const QString &prompt, const QString &title,
                                              const QString &)
{
    shown.append({QStringLiteral("input"), prompt, title.isEmpty() ? DefaultMessageTitle : title});
    if (m_inputs.isEmpty()) {
        unscripted(QStringLiteral("input"), prompt);
        return std::nullopt;
    }
    return m_inputs.takeFirst();
}

bool ScriptedPrompts::answer(const QString &kind, const QString &text)
{
    if (m_answers.isEmpty()) {
        unscripted(kind, text);
        return false;
    }
    return m_answers.takeFirst();
}

void ScriptedPrompts::clear()
{
    shown.clear();
    beeps = 0;
    m_answers.clear();
    m_inputs.clear();
}
