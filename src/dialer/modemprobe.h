#pragma once

#include "dialer/serialline.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

namespace dialer {

// Looks for a modem: sends "AT" CR to every port that opens, then waits one shared,
// bounded time for an answer holding "OK". The lowest answering port wins; the wait
// ends early once every lower port is known to be silent or absent.
class ModemProbe final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModemProbe)
public:
    // Real modems answer "AT" within a few tens of milliseconds; sixteen ports that
    // open but never answer cost this once, not sixteen times.
    static constexpr std::chrono::milliseconds DefaultDeadline{200};

    explicit ModemProbe(SerialLineFactory lines,
                        std::chrono::milliseconds deadline = DefaultDeadline,
                        QObject *parent = nullptr);
    ~ModemProbe() override;

    // Probes ports first..last. finished() is emitted before start() returns when no
    // port opens.
    void start(int first = FirstSerialPort, int last = LastSerialPort);
    bool isRunning() const { return m_running; }
    // The answering port, 0 when none (valid after finished()).
    int port() const { return m_port; }
    // The answering port's line, still open; nullptr when none or already taken.
    std::unique_ptr<SerialLine> takeLine();

signals:
    void finished(int port);

private:
    struct Candidate
    {
        int port = 0;
        std::unique_ptr<SerialLine> line;
        QByteArray received;
        bool answered = false;
    };

    void received(Candidate &candidate);
    void decide(bool deadlinePassed);
    void finish(Candidate *winner);

    SerialLineFactory m_lines;
    std::chrono::milliseconds m_deadline;
    QTimer m_timer;
    // In port order; only ports that opened.
    std::vector<std::unique_ptr<Candidate>> m_candidates;
    std::unique_ptr<SerialLine> m_winner;
    int m_port = 0;
    bool m_running = false;
};

} // namespace dialer
