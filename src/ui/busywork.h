#pragma once

#include <QString>

#include <functional>

class QWidget;

// Runs `work` off the screen's thread while the operator waits: a window-modal
// progress dialog without Cancel (files may be half rewritten) appears only once the
// work has taken longer than half a second. The operator's input is held back until
// the work is done, so nothing on screen can change the files underneath it.
void runBusy(QWidget *parent, const QString &label, const std::function<void()> &work);

template <typename Work> auto runBusyFor(QWidget *parent, const QString &label, Work &&work)
{
    decltype(work()) result{};
    runBusy(parent, label, [&] { result = work(); });
    return result;
}
