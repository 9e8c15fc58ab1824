#pragma once

#include "records/daterange.h"

#include <QObject>

#include <array>

class Clock;
class Prompts;
class QDateEdit;
class QWidget;

// The start and end pickers of a report. The rules run on the operator's finished
// edits only; a range set by the program raises no message.
class ReportPickers final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportPickers)
public:
    ReportPickers(Prompts &prompts, const Clock &clock, QWidget *parent);

    std::array<QDateEdit *, 2> DTPicker1{};

    records::DateRange range() const { return m_range; }
    void setRange(const records::DateRange &range);
    // The end picker cannot go past today (the item sales report).
    void limitEndToToday(bool limit) { m_limitEnd = limit; }

    void DTPicker1_Change(int index);

private:
    Prompts &m_prompts;
    const Clock &m_clock;
    records::DateRange m_range;
    bool m_limitEnd = false;
    bool m_busy = false;
};
