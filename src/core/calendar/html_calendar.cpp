#include "calendar/html_calendar.h"

#include "astro/primitives.h"
#include "config/atomic_file.h"

#include <cstddef>

namespace duskwheel {

namespace {

// Every line break of a page is CR LF, as the pages were always written.
constexpr const char* kNl = "\r\n";

// The pages' bytes are fixed: the Latin-1 letters are written as escapes
// (split where a hex digit follows) so no editor can re-encode them.
constexpr const char* kPageHeadTail =
    "\t\t<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"/>\r\n"
    "\t\t<link rel=\"stylesheet\" href=\"style.css\" type=\"text/css\" />\r\n"
    "\t</head>\r\n\t<body>\r\n";

constexpr const char* kTableOpen =
    "\t\t\t<table cellpadding=0 cellspacing=1 border=1 class=tb>\r\n";

// The month page's header row is deliberately left open: the first day row follows it.
constexpr const char* kMonthHeaderRow =
    "<tr align='center' bgcolor=\"#00F0F0\">"
    "\t\t\t<td width=10></td> "
    "\t\t\t<td width=60><b> Jour </b></td> "
    "\t\t\t<td width=40><b>&#1601;&#1580;&#1585;<br />Fajr</b></td> "
    "\t\t\t<td width=40><b>&#1588;&#1585;&#1608;&#1602;<br /> Chourouk</b></td> "
    "\t\t\t<td width=40><b>&#1592;&#1607;&#1585;<br /> Zuhr </b></td> "
    "\t\t\t<td width=40><b>&#1593;&#1589;&#1585;<br /> Asr </b></td> "
    "\t\t\t<td width=40><b>&#1605;&#1594;&#1585;&#1576;<br /> Maghrib </b></td> "
    "\t\t\t<td width=40><b>&#1593;&#1588;&#1575;&#1569;<br /> Isha</b></td>\r\n";

constexpr const char* kYearColumnHeaders =
    "\t\t\t\t\t\t<td width=10></td> "
    "\t\t\t\t\t\t<td width=60><b> Jour </b></td> "
    "\t\t\t\t\t\t<td width=40><b>&#1601;&#1580;&#1585;<br />Fajr</b></td> "
    "\t\t\t\t\t\t<td width=40><b>&#1588;&#1585;&#1608;&#1602;<br /> Chourouk</b></td>  "
    "\t\t\t\t\t\t<td width=40><b>&#1592;&#1607;&#1585;<br /> Zuhr </b></td> "
    "\t\t\t\t\t\t<td width=40><b>&#1593;&#1589;&#1585;<br /> Asr </b></td> "
    "\t\t\t\t\t\t<td width=40><b>&#1605;&#1594;&#1585;&#1576;<br /> Maghrib </b></td> "
    "\t\t\t\t\t\t<td width=40><b>&#1593;&#1588;&#1575;&#1569;<br /> Isha</b></td>\r\n";

constexpr const char* kYearEmptyDay =
    "\t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> "
    "\t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> "
    "\t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td>\r\n";

constexpr int kFriday = 4;

// Day numbers are left-adjusted in two columns: "7 " but "17".
std::string DayNumber(int d) {
    std::string s = std::to_string(d);
    if (s.size() < 2) {
        s += ' ';
    }
    return s;
}

// The place as the heading shows it, escaped: "Country : Name".
std::string HeadingPlace(const TownData& town) {
    return HtmlEscape(town.Country) + " : " + HtmlEscape(town.Name);
}

std::string SafeFileStem(const std::string& townName) {
    std::string stem = townName;
    for (char& c : stem) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    return stem;
}

void AppendMonthRow(std::string& out, const ProgramState& state, const MonthTables& month, int d) {
    const auto row = static_cast<std::size_t>(d - 1);
    const int weekday = month.weekdays[row];
    if (weekday == kFriday) {
        out += "<tr bgcolor=\"#FFD5D5\">\r\n";
    } else if (d % 2 == 0) {
        out += "<tr bgcolor=\"#F5F5F5\">\r\n";
    } else {
        out += "<tr bgcolor=\"#F0F0E0\">\r\n";
    }
    out += "\t\t\t<td width=10 align=\"right\"><b>";
    out += DayNumber(d);
    out += "</b></td> \t\t\t<td width=60><b>";
    out += state.DayName(weekday);
    out += "</b></td> \t\t\t<td width=40>&nbsp;";
    out += FormatHoursMinutes(month.times[row][Fajr]);
    for (int p = Chourouk; p <= Isha; ++p) {
        out += "</td>\t\t\t<td width=40>&nbsp;";
        out += FormatHoursMinutes(month.times[row][static_cast<std::size_t>(p)]);
    }
    out += "</td></tr>\r\n";
}

void AppendYearDayCells(std::string& out, const ProgramState& state, const MonthTables& month,
                        int d) {
    if (d > month.days) {
        out += kYearEmptyDay;
        return;
    }
    const auto row = static_cast<std::size_t>(d - 1);
    const int weekday = month.weekdays[row];
    const char* colour = weekday == kFriday ? "bgcolor=\"#FFD5D5\""
                         : d % 2 == 0       ? "bgcolor=\"#E5FFE5\""
                                            : "bgcolor=\"#E0FFD0\"";
    out += "<td ";
    out += colour;
    out += "\t\t\t\t\t\t\t\t\t\twidth=10 align=\"right\"><b>";
    out += DayNumber(d);
    out += "</b></td> \t\t\t\t\t\t\t\t<td ";
    out += colour;
    out += "width=60><b>";
    out += state.DayName(weekday);
    out += "</b></td> \t\t\t\t\t\t\t\t<td ";
    out += colour;
    out += "width=40>&nbsp;";
    out += FormatHoursMinutes(month.times[row][Fajr]);
    for (int p = Chourouk; p <= Isha; ++p) {
        out += "</td>\t\t\t\t\t\t\t\t<td ";
        out += colour;
        out += "width=40>&nbsp;";
        out += FormatHoursMinutes(month.times[row][static_cast<std::size_t>(p)]);
    }
    out += "</td>\r\n";
}

PageWriteResult WritePage(ProgramState& state, const std::string& fileName,
                          const std::string& bytes) {
    PageWriteResult result;
    result.path = state.FilePath(fileName);
    std::string why;
    if (WriteFileAtomically(result.path, bytes, &why)) {
        result.ok = true;
        return result;
    }
    // Nothing could be created: an open error; anything later: a write error.
    const bool created = why.rfind("cannot create", 0) != 0;
    result.message = std::string(created ? "File write error " : "File open error ") +
                     Utf8ToLatin1(result.path) + " (" + Utf8ToLatin1(why) + ")";
    state.ShowError(result.message, "Error");
    return result;
}

PageWriteResult Refuse(ProgramState& state, const std::string& message) {
    PageWriteResult result;
    result.message = message;
    state.ShowError(message, "Error");
    return result;
}

} // namespace

std::string HtmlEscape(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char c : latin1) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size());
    for (char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf8ToLatin1(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        // Length of the sequence announced by the lead byte; 0 for a stray byte.
        const std::size_t len = (c & 0xE0) == 0xC0   ? 2
                                : (c & 0xF0) == 0xE0 ? 3
                                : (c & 0xF8) == 0xF0 ? 4
                                                     : 0;
        std::size_t n = 1;
        while (len != 0 && n < len && i + n < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80) {
            ++n;
        }
        if (len == 2 && n == 2 && c <= 0xC3 && c >= 0xC2) {
            out += static_cast<char>(((c & 0x1F) << 6) |
                                     (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        } else {
            out += replacement;
        }
        i += n;
    }
    return out;
}

std::string MonthPageFileName(const ProgramState& state, const std::string& townName, int year,
                              int month) {
    return Latin1ToUtf8(SafeFileStem(townName) + "_" + state.MonthName(month - 1) +
                        std::to_string(year) + ".html");
}

std::string YearPageFileName(const std::string& townName, int year) {
    return Latin1ToUtf8(SafeFileStem(townName) + "_" + std::to_string(year) + ".html");
}

std::string MonthPageBytes(const ProgramState& state, const TownData& town,
                           const MonthTables& month) {
    const std::string monthYear =
        state.MonthName(month.month - 1) + " " + std::to_string(month.year);
    std::string out;
    out.reserve(8192);
    out += "<html><!-- Generateur de calendrier de pri\xE8res - " + monthYear + " -->\r\n";
    out += "\t<head>\r\n";
    out += "\t\t<title>Calendrier de pri\xE8res - " + monthYear + " </title>\r\n";
    out += kPageHeadTail;
    out += "\t\t<h1>" + monthYear + " - " + HeadingPlace(town) + "</h1>" + kNl;
    out += kTableOpen;
    out += kMonthHeaderRow;
    for (int d = 1; d <= month.days; ++d) {
        AppendMonthRow(out, state, month, d);
    }
    out += "</table><BR>\t</body>\r\n</html>\r\n";
    return out;
}

std::string YearPageBytes(const ProgramState& state, const TownData& town, int year,
                          const YearTables& months) {
    const std::string y = std::to_string(year);
    std::string out;
    out.reserve(256 * 1024);
    out += "<html><!-- Generateur de calendrier de pri\xE8res - Ann\xE9"
           "e " +
           y + " -->\r\n";
    out += "\t<head>\r\n";
    out += "\t\t<title>Calendrier de pri\xE8res - Ann\xE9"
           "e " +
           y + " </title>\r\n";
    out += kPageHeadTail;
    for (int q = 0; q < 4; ++q) {
        if (q != 0) {
            // No line break: the quarter's heading follows on the same line.
            out += "<div class=\"sautpage\"></div>";
        }
        out += "\t\t<h1>Ann\xE9"
               "e " +
               y + " - " + HeadingPlace(town) + "</h1>" + kNl;
        out += kTableOpen;
        out += "<tr align='center' bgcolor=\"#F0FFF0\">\r\n";
        for (int k = 0; k < 3; ++k) {
            out += "\t\t\t\t\t\t\t<td></td><td></td><td></td><td> <b>";
            out += state.MonthName(3 * q + k);
            out += "</b></td><td>&nbsp;</td><td><b>";
            out += y;
            out += "</b></td><td></td><td></td>\r\n";
        }
        out += "</tr>\r\n <tr align='center' bgcolor=\"#00F0F0\">\r\n";
        for (int k = 0; k < 3; ++k) {
            out += kYearColumnHeaders;
        }
        out += "</tr>\r\n";
        for (int d = 1; d <= 31; ++d) {
            out += "<tr>\r\n";
            for (int k = 0; k < 3; ++k) {
                AppendYearDayCells(out, state, months[static_cast<std::size_t>(3 * q + k)], d);
            }
            out += "</tr>\r\n";
        }
        out += "</table>\r\n";
        out += "<br><br>\r\n";
    }
    out += "</body>\r\n</html>\r\n";
    return out;
}

PageWriteResult WriteMonthCalendar(ProgramState& state, int year, int month) {
    if (!CalendarMonthInRange(year, month)) {
        return Refuse(state, "No calendar for " + std::to_string(month) + "/" +
                                 std::to_string(year) +
                                 ": the months run from March 1900 to January 2100");
    }
    const TownData* selected = state.SelectedTown();
    if (selected == nullptr) {
        return Refuse(state, "No town selected: choose a town before making a calendar");
    }
    const TownData town = *selected;
    const MonthTables tables = ComputeMonthTables(state, year, month);
    return WritePage(state, MonthPageFileName(state, town.Name, year, month),
                     MonthPageBytes(state, town, tables));
}

PageWriteResult WriteYearCalendar(ProgramState& state, int year) {
    if (!CalendarYearInRange(year)) {
        return Refuse(state, "No calendar for " + std::to_string(year) +
                                 ": the years run from 1901 to 2099");
    }
    const TownData* selected = state.SelectedTown();
    if (selected == nullptr) {
        return Refuse(state, "No town selected: choose a town before making a calendar");
    }
    const TownData town = *selected;
    // All twelve months are computed before the first byte is written.
    const YearTables tables = ComputeYearTables(state, year);
    return WritePage(state, YearPageFileName(town.Name, year),
                     YearPageBytes(state, town, year, tables));
}

} // namespace duskwheel
