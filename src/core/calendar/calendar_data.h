#pragma once
// The month and year tables behind the printed calendars and the year graph.
// They are computed once, before anything is written or drawn, and then only
// read: a page or a plot never recomputes a time.

#include "state/program_state.h"

#include <array>

namespace duskwheel {

// One month of final times and weekdays, rows 0 .. days - 1; rows from `days`
// on are never read.
struct MonthTables {
    int year = 0;
    int month = 0; // 1..12
    int days = 0;  // DaysInMonth(month, year)
    MonthTable times{};
    WeekdayList weekdays{}; // 0 = Monday ... 6 = Sunday
};

using YearTables = std::array<MonthTables, 12>; // January first

// The solar model's dates run from 1 March 1900 to 28 February 2100 and its
// month lengths know no century rule (1900 and 2100 get a 29 February), so
// only whole months from March 1900 to January 2100 come out right, and whole
// years from 1901 to 2099.
bool CalendarMonthInRange(int year, int month);
bool CalendarYearInRange(int year);

// The years offered by the month, year and graph dialogs; entry index = year - first.
inline constexpr int kDialogFirstYear = 1950;
inline constexpr int kDialogLastYear = 2049;
// The entry to preselect for a year, or -1 (no selection) when the list lacks it.
int DialogYearIndex(int year);

// One month for the current location and convention. The report is kept quiet
// and Verbose restored; the computation date is left as the batch leaves it
// (that year and month, day N + 1), like every other batch caller.
MonthTables ComputeMonthTables(ProgramState& state, int year, int month);
// The twelve months, January first, all computed before the call returns.
YearTables ComputeYearTables(ProgramState& state, int year);

} // namespace duskwheel
