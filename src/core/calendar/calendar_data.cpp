#include "calendar/calendar_data.h"

#include "astro/primitives.h"

namespace duskwheel {

bool CalendarMonthInRange(int year, int month) {
    if (month < 1 || month > 12) {
        return false;
    }
    const int serial = year * 12 + (month - 1);
    return serial >= 1900 * 12 + 2 && serial <= 2100 * 12 + 0;
}

bool CalendarYearInRange(int year) {
    return year >= 1901 && year <= 2099;
}

int DialogYearIndex(int year) {
    if (year < kDialogFirstYear || year > kDialogLastYear) {
        return -1;
    }
    return year - kDialogFirstYear;
}

MonthTables ComputeMonthTables(ProgramState& state, int year, int month) {
    MonthTables m;
    m.year = year;
    m.month = month;
    m.days = DaysInMonth(month, year);
    state.ComputeMonth(year, month, m.times, m.weekdays);
    return m;
}

YearTables ComputeYearTables(ProgramState& state, int year) {
    YearTables tables;
    for (int m = 1; m <= 12; ++m) {
        tables[static_cast<std::size_t>(m - 1)] = ComputeMonthTables(state, year, m);
    }
    return tables;
}

} // namespace duskwheel
