#include "records/daterange.h"

namespace records {

DateRange presetRange(Preset preset, const QDate &today)
{
    // Day 1 is set before month and year, so no part-by-part step passes through a
    // day the month lacks; the result is then simply the calendar range.
    switch (preset) {
    case Preset::MonthToDate:
        return monthToDate(today);
    case Preset::YearToDate:
        return {QDate(today.year(), 1, 1), today};
    case Preset::Eternity:
        return {QDate(2000, 1, 1), today};
    case Preset::LastMonth: {
        const int month = today.month() == 1 ? 12 : today.month() - 1;
        const int year = today.month() == 1 ? today.year() - 1 : today.year();
        return {QDate(year, month, 1), QDate(today.year(), today.month(), 1).addDays(-1)};
    }
    }
    return monthToDate(today);
}

DateRange monthToDate(const QDate &today)
{
    return {QDate(today.year(), today.month(), 1), today};
}

DateRange lastThirtyDays(const QDate &today)
{
    return {today.addDays(-30), today};
}

PickerOutcome pickDate(Picker picker, const QDate &picked, const DateRange &current,
                       const QDate &today)
{
    PickerOutcome outcome{current};
    QDate &slot = picker == Picker::Start ? outcome.range.start : outcome.range.end;
    if (!picked.isValid() || picked > today) {
        slot = today;
        outcome.beep = true;
        outcome.invalid = true;
        return outcome;
    }
    slot = picked;
    if (outcome.range.end < outcome.range.start) {
        outcome.range.end = outcome.range.start;
        outcome.invalid = true;
    }
    return outcome;
}

QString dateSortKey(const QDate &date)
{
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999)
        return {};
    return QString::number(date.year()) + QString::number(date.dayOfYear() + 100);
}

} // namespace records
