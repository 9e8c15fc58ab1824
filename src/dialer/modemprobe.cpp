#include "dialer/modemprobe.h"

namespace dialer {

namespace {

const QByteArray Attention = QByteArrayLiteral("AT\r");
const QByteArray Answer = QByteArrayLiteral("OK");
// A device that chatters without ever saying "OK" must not grow the buffer forever.
constexpr qsizetype KeptBytes = 256;

} // namespace

ModemProbe::ModemProbe(SerialLineFactory lines, std::chrono::milliseconds deadline, QObject *parent)
    : QObject(parent), m_lines(std::move(lines)), m_deadline(deadline)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { decide(true); });
}

ModemProbe::~ModemProbe() = default;

void ModemProbe::start(int first, int last)
{
    m_timer.stop();
    m_candidates.clear();
    m_winner.reset();
    m_port = 0;
    m_running = true;
    for (int port = first; port <= last; ++port) {
        auto candidate = std::make_unique<Candidate>();
        candidate->port = port;
        candidate->line = m_lines();
        if (!candidate->line || !candidate->line->open(port))
            continue;
        Candidate *raw = candidate.get();
        connect(raw->line.get(), &SerialLine::readyRead, this, [this, raw] { received(*raw); });
        raw->line->write(Attention);
        m_candidates.push_back(std::move(candidate));
    }
    if (m_candidates.empty()) {
        finish(nullptr);
        return;
    }
    m_timer.start(m_deadline);
}

std::unique_ptr<SerialLine> ModemProbe::takeLine()
{
    return std::move(m_winner);
}

void ModemProbe::received(Candidate &candidate)
{
    if (!m_running)
        return;
    candidate.received += candidate.line->readAll();
    if (candidate.received.contains(Answer))
        candidate.answered = true;
    else if (candidate.received.size() > KeptBytes)
        candidate.received = candidate.received.right(Answer.size() - 1);
    decide(false);
}

void ModemProbe::decide(bool deadlinePassed)
{
    if (!m_running)
        return;
    for (const auto &candidate : m_candidates) {
        if (candidate->answered) {
            finish(candidate.get());
            return;
        }
        // A lower port may still answer.
        if (!deadlinePassed)
            return;
    }
    if (deadlinePassed)
        finish(nullptr);
}

void ModemProbe::finish(Candidate *winner)
{
    m_timer.stop();
    m_running = false;
    for (auto &candidate : m_candidates) {
        candidate->line->disconnect(this);
        if (candidate.get() == winner) {
            m_port = candidate->port;
            m_winner = std::move(candidate->line);
        } else {
            candidate->line->close();
        }
    }
    m_candidates.clear();
    emit finished(m_port);
}

} // namespace dialer
