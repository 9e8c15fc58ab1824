#include "ui/leavewatcher.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

LeaveWatcher::LeaveWatcher(QObject *parent) : QObject(parent) {}

void LeaveWatcher::onLeave(QWidget *box, Rule rule)
{
    watch(box);
    m_leave.insert(box, std::move(rule));
}

void LeaveWatcher::onEnter(QWidget *box, Rule rule)
{
    watch(box);
    m_enter.insert(box, std::move(rule));
}

void LeaveWatcher::watch(QWidget *box)
{
    if (m_leave.contains(box) || m_enter.contains(box))
        return;
    box->installEventFilter(this);
    connect(box, &QObject::destroyed, this, [this](QObject *gone) {
        m_leave.remove(gone);
        m_enter.remove(gone);
    });
}

bool LeaveWatcher::isOperatorMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::OtherFocusReason;
}

bool LeaveWatcher::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::FocusIn && type != QEvent::FocusOut) || m_quiet || m_running)
        return false;
    if (!isOperatorMove(static_cast<QFocusEvent *>(event)->reason()))
        return false;
    const auto *box = static_cast<QWidget *>(watched);
    const auto &rules = type == QEvent::FocusIn ? m_enter : m_leave;
    const auto rule = rules.constFind(watched);
    if (rule == rules.constEnd())
        return false;
    if (type == QEvent::FocusOut && (!box->isVisible() || !box->isEnabled()))
        return false;
    const Rule run = *rule;
    m_running = true;
    run();
    m_running = false;
    return false;
}
