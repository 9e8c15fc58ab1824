#pragma once

#include <QDate>
#include <QString>

// The date range of the reports, its presets and the rules of its two pickers.
namespace records {

struct DateRange
{
    QDate start;
    QDate end;
    // Both ends belong to the range; a date that cannot be read belongs to none.
    bool contains(const QDate &date) const
    {
        return date.isValid() && start <= date && date <= end;
    }
    friend bool operator==(const DateRange &, const DateRange &) = default;
};

// The preset buttons, in the order of their indexes on the screens.
enum class Preset { LastMonth = 0, MonthToDate = 1, YearToDate = 2, Eternity = 3 };

// The range a preset sets, as the pickers end up when each part of the start is set
// in turn and the end is stepped back a day at a time.
DateRange presetRange(Preset preset, const QDate &today);

// The reports open on the first of this month to today (invoice report) or on the
// last 30 days (item sales report).
DateRange monthToDate(const QDate &today);
DateRange lastThirtyDays(const QDate &today);

// What the operator's finished edit of one picker leaves: a date after today is put
// back to today (with a beep and the message); an end before the start becomes the
// start (with the message).
struct PickerOutcome
{
    DateRange range;
    bool beep = false;
    bool invalid = false; // show "Your Calendar Selection is Invalid"
};
enum class Picker { Start = 0, End = 1 };
PickerOutcome pickDate(Picker picker, const QDate &picked, const DateRange &current,
                       const QDate &today);

inline const QString InvalidSelectionMessage = QStringLiteral("Your Calendar Selection is Invalid");

// The list's date order: the four-digit year followed by the day of the year plus 100
// ("2024101" for 1 January 2024); empty for a date that cannot be read.
QString dateSortKey(const QDate &date);

} // namespace records
