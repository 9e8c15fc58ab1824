#include "records/reportpickers.h"

#include "core/clock.h"
#include "core/prompts.h"

#include <QCalendarWidget>
#include <QDateEdit>

ReportPickers::ReportPickers(Prompts &prompts, const Clock &clock, QWidget *parent)
    : QObject(parent), m_prompts(prompts), m_clock(clock)
{
    for (int index = 0; index < 2; ++index) {
        auto *picker = new QDateEdit(parent);
        picker->setObjectName(QStringLiteral("DTPicker1_%1").arg(index));
        picker->setCalendarPopup(true);
        picker->setAccessibleName(index == 0 ? tr("Start date") : tr("End date"));
        DTPicker1[index] = picker;
        connect(picker, &QDateEdit::editingFinished, this, [this, index] { DTPicker1_Change(index); });
        connect(picker->calendarWidget(), &QCalendarWidget::clicked, this,
                [this, index] { DTPicker1_Change(index); });
    }
}

void ReportPickers::setRange(const records::DateRange &range)
{
    m_busy = true;
    const QDate today = m_clock.today();
    if (m_limitEnd)
        DTPicker1[1]->setMaximumDate(today);
    DTPicker1[0]->setDate(range.start);
    DTPicker1[1]->setDate(range.end);
    m_range = range;
    m_busy = false;
}

void ReportPickers::DTPicker1_Change(int index)
{
    if (m_busy || index < 0 || index > 1)
        return;
    const QDate picked = DTPicker1[index]->date();
    const QDate current = index == 0 ? m_range.start : m_range.end;
    if (picked == current)
        return;
    const records::PickerOutcome outcome =
        records::pickDate(records::Picker(index), picked, m_range, m_clock.today());
    // The message box would end the edit a second time; the first one decides.
    m_busy = true;
    if (outcome.beep)
        m_prompts.beep();
    if (outcome.invalid)
        m_prompts.tell(records::InvalidSelectionMessage);
    m_busy = false;
    setRange(outcome.range);
}
