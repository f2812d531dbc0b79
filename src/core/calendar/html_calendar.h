#pragma once
// The printable prayer calendars: one HTML page for a month, one for a year in
// four quarter tables. Pages are 8-bit Latin-1 text with CR LF line breaks and
// link the stylesheet style.css that lies beside them.

#include "calendar/calendar_data.h"
#include "state/program_state.h"

#include <string>
#include <string_view>

namespace duskwheel {

// &, <, >, and " as character references, so that a town or country name can
// never open or close markup. Other bytes pass unchanged.
std::string HtmlEscape(std::string_view latin1);
// File names are UTF-8 on this system while the program's texts are Latin-1.
std::string Latin1ToUtf8(std::string_view latin1);
// For messages: characters outside Latin-1 (or broken sequences) become `replacement`.
std::string Utf8ToLatin1(std::string_view utf8, char replacement = '?');

// "<town>_<French month name><year>.html" and "<town>_<year>.html", UTF-8. A '/'
// in the town name becomes '_' so the page always lands in the files' folder.
std::string MonthPageFileName(const ProgramState& state, const std::string& townName, int year,
                              int month);
std::string YearPageFileName(const std::string& townName, int year);

// The page bytes for a town and tables already computed; the state gives only
// the French month and day names.
std::string MonthPageBytes(const ProgramState& state, const TownData& town,
                           const MonthTables& month);
std::string YearPageBytes(const ProgramState& state, const TownData& town, int year,
                          const YearTables& months);

struct PageWriteResult {
    bool ok = false;
    std::string path;    // full path of the page, UTF-8 (also set when writing failed)
    std::string message; // Latin-1, what the user was shown when ok is false
};

// The month and year commands after their dialog: compute the tables for the
// town in use, then write the page into the folder of the program's files
// (temporary file, then rename over an older page of the same name). On any
// failure the user is told through ShowError and ok is false: the caller must
// not open the page then. A page is never left half-written under its name;
// an older page of that name stays as it was.
// Verbose is restored; the computation date is left as the batch leaves it.
PageWriteResult WriteMonthCalendar(ProgramState& state, int year, int month);
PageWriteResult WriteYearCalendar(ProgramState& state, int year);

} // namespace duskwheel
