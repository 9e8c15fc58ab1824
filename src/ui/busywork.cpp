#include "busywork.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <exception>
#include <future>

namespace {
constexpr int ShowAfterMs = 500;
}

void runBusy(QWidget *parent, const QString &label, const std::function<void()> &work)
{
    std::future<void> done = std::async(std::launch::async, work);
    // Most runs end at once: no dialog and no event loop for them.
    if (done.wait_for(std::chrono::milliseconds(20)) == std::future_status::ready) {
        done.get();
        return;
    }
    QProgressDialog dialog(label, QString(), 0, 0, parent);
    dialog.setObjectName(QStringLiteral("dlgBusy"));
    dialog.setCancelButton(nullptr);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(ShowAfterMs);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready)
            loop.quit();
        else if (elapsed.elapsed() >= ShowAfterMs - 20 && !dialog.isVisible())
            dialog.show();
    });
    poll.start(20);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    dialog.hide();
    done.get(); // rethrows what the work threw
}
