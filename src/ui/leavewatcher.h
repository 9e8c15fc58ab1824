#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QWidget;

// Runs a screen's rules for entering and leaving its boxes when the operator moves
// the cursor: with Tab, a click, a caption's or a button's mnemonic. Focus lost to
// another window or a popup, moved by the screen itself (Qt::OtherFocusReason), or
// lost by a box that is hidden or disabled is not the operator's move; nor is a
// move made while a leave rule runs: the box a rule sends the cursor back from was
// never entered, and two rules would otherwise send it back and forth.
class LeaveWatcher final : public QObject
{
    Q_OBJECT
public:
    using Rule = std::function<void()>;

    explicit LeaveWatcher(QObject *parent = nullptr);

    void onLeave(QWidget *box, Rule rule);
    void onEnter(QWidget *box, Rule rule);

    // While quiet (the screen fills its boxes or closes), no rule runs.
    void setQuiet(bool quiet) { m_quiet = quiet; }
    bool isQuiet() const { return m_quiet; }

    static bool isOperatorMove(Qt::FocusReason reason);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *box);

    QHash<QObject *, Rule> m_leave;
    QHash<QObject *, Rule> m_enter;
    bool m_quiet = false;
    bool m_running = false;
};
