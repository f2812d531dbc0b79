#include "cli.h"

#include "astro/primitives.h"
#include "calendar/calendar_data.h"
#include "calendar/html_calendar.h"
#include "state/program_state.h"

#include <charconv>
#include <ctime>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace duskwheel::cli {

namespace {

constexpr const char* kUsage =
    "usage: duskwheel-cli [--dir DIR] [--town N] [--verbose] COMMAND [ARGS]\n"
    "\n"
    "  --dir DIR    folder of data.cfg; read_echo.cfg and written files go there too\n"
    "               (default: the folder of this program)\n"
    "  --town N     use town N (0-based, see 'towns') instead of the selected one\n"
    "  --verbose    write the detailed computation report\n"
    "\n"
    "commands:\n"
    "  today                  the six prayer times of today\n"
    "  day YYYY-MM-DD         the six prayer times of that date\n"
    "  days FROM TO           one line per date from FROM to TO (YYYY-MM-DD, inclusive)\n"
    "  towns                  the towns of data.cfg, the selected one marked *\n"
    "  save                   write data.cfg back into DIR\n"
    "  month YYYY-MM          write the HTML calendar of that month into DIR and print\n"
    "                         its path (Town_MonthYYYY.html, month name in French)\n"
    "  year YYYY              write the HTML calendar of that year into DIR and print\n"
    "                         its path (Town_YYYY.html)\n";

constexpr const char* kPrayerNames[kPrayerCount] = {"Fajr", "Chourouk", "Zuhr",
                                                    "Asr",  "Maghrib",  "Isha"};

using Date = CivilDate;

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int RealDaysInMonth(int month, int year) {
    return month == 2 ? (IsLeap(year) ? 29 : 28) : DaysInMonth(month, year);
}

long Serial(const Date& d) {
    return (d.year * 12L + d.month) * 32L + d.day;
}

bool ParseNumber(const std::string& text, std::size_t pos, std::size_t len, int& value) {
    if (pos + len > text.size()) {
        return false;
    }
    for (std::size_t i = pos; i < pos + len; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return std::from_chars(text.data() + pos, text.data() + pos + len, value).ec == std::errc();
}

// YYYY-MM-DD, a real calendar date inside the model's range; else a message.
std::string ParseDate(const std::string& text, Date& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
        !ParseNumber(text, 0, 4, date.year) || !ParseNumber(text, 5, 2, date.month) ||
        !ParseNumber(text, 8, 2, date.day)) {
        return "'" + text + "' is not a date of the form YYYY-MM-DD";
    }
    if (date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > RealDaysInMonth(date.month, date.year)) {
        return "'" + text + "' is not a date of the calendar";
    }
    if (Serial(date) < Serial(kFirstModelDate) || Serial(date) > Serial(kLastModelDate)) {
        return "'" + text + "' is outside 1900-03-01 .. 2100-02-28, the range of the solar model";
    }
    return {};
}

// YYYY-MM, a month whose every day the solar model covers; else a message.
std::string ParseMonth(const std::string& text, Date& date) {
    if (text.size() != 7 || text[4] != '-' || !ParseNumber(text, 0, 4, date.year) ||
        !ParseNumber(text, 5, 2, date.month) || date.month < 1 || date.month > 12) {
        return "'" + text + "' is not a month of the form YYYY-MM";
    }
    if (!CalendarMonthInRange(date.year, date.month)) {
        return "'" + text + "' is outside 1900-03 .. 2100-01, the months the solar model covers";
    }
    return {};
}

std::string ParseYear(const std::string& text, Date& date) {
    if (text.size() != 4 || !ParseNumber(text, 0, 4, date.year)) {
        return "'" + text + "' is not a year of the form YYYY";
    }
    if (!CalendarYearInRange(date.year)) {
        return "'" + text + "' is outside 1901 .. 2099, the years the solar model covers";
    }
    return {};
}

// The page's path as the user can reuse it from any folder.
std::string FullPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.string();
}

Date NextDay(Date d) {
    if (++d.day > RealDaysInMonth(d.month, d.year)) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

std::string DateText(const Date& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buf;
}

class StreamSink : public ReportSink {
  public:
    explicit StreamSink(std::ostream& out) : out_(out) {}
    void AppendLine(const std::string& line) override { out_ << line << '\n' << std::flush; }

  private:
    std::ostream& out_;
};

class StreamHost : public Host {
  public:
    explicit StreamHost(std::ostream& err) : err_(err) {}
    void ShowError(const std::string& text, const std::string& title) override {
        err_ << title << ": " << text << '\n' << std::flush;
    }

  private:
    std::ostream& err_;
};

struct Options {
    std::string dir;
    int town = -1;
    bool verbose = false;
    std::string command;
    std::vector<std::string> args;
};

} // namespace

int Run(const std::vector<std::string>& argv, const std::string& exeDir, std::ostream& out,
        std::ostream& err) {
    auto usage = [&](const std::string& message) {
        err << "duskwheel-cli: " << message << '\n' << kUsage;
        return 2;
    };
    auto failure = [&](const std::string& message) {
        err << "duskwheel-cli: " << message << '\n';
        return 1;
    };

    Options opt;
    opt.dir = exeDir;
    std::size_t i = 0;
    for (; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        }
        if (a == "--dir" || a == "--town") {
            if (i + 1 >= argv.size()) {
                return usage(a + " needs a value");
            }
            const std::string& v = argv[++i];
            if (a == "--dir") {
                opt.dir = v;
            } else if (v.empty() || !ParseNumber(v, 0, v.size(), opt.town)) {
                return usage("--town needs a town index (0, 1, ...), not '" + v + "'");
            }
        } else if (a == "--verbose") {
            opt.verbose = true;
        } else if (a.starts_with("-")) {
            return usage("unknown option '" + a + "'");
        } else {
            break;
        }
    }
    if (i >= argv.size()) {
        return usage("no command given");
    }
    opt.command = argv[i];
    opt.args.assign(argv.begin() + static_cast<long>(i) + 1, argv.end());

    // Check the command and its arguments before touching any file.
    std::vector<Date> dates;
    auto wantArgs = [&](std::size_t n) { return opt.args.size() == n; };
    if (opt.command == "today" || opt.command == "towns" || opt.command == "save") {
        if (!wantArgs(0)) {
            return usage("'" + opt.command + "' takes no argument");
        }
    } else if (opt.command == "day" || opt.command == "days") {
        const std::size_t n = opt.command == "day" ? 1 : 2;
        if (!wantArgs(n)) {
            return usage("'" + opt.command + "' needs " + (n == 1 ? "a date" : "two dates") +
                         " (YYYY-MM-DD)");
        }
        for (const std::string& text : opt.args) {
            Date d{};
            if (std::string why = ParseDate(text, d); !why.empty()) {
                return usage(why);
            }
            dates.push_back(d);
        }
        if (n == 2 && Serial(dates[0]) > Serial(dates[1])) {
            return usage("the first date comes after the second");
        }
    } else if (opt.command == "month" || opt.command == "year") {
        const bool month = opt.command == "month";
        if (!wantArgs(1)) {
            return usage(month ? "'month' needs a month (YYYY-MM)" : "'year' needs a year (YYYY)");
        }
        Date d{};
        if (std::string why = month ? ParseMonth(opt.args[0], d) : ParseYear(opt.args[0], d);
            !why.empty()) {
            return usage(why);
        }
        dates.push_back(d);
    } else {
        return usage("unknown command '" + opt.command + "'");
    }

    StreamSink sink(out);
    StreamHost host(err);
    ProgramState state;
    state.FilesDir = opt.dir;
    state.Sink = &sink;
    state.HostUi = &host;
    state.FillNameTables();

    const ReadStatus status = state.ReadConfigFile();
    const bool townGiven = opt.town >= 0;
    if (status != ReadStatus::Ok && !(status == ReadStatus::SelectionOutOfRange && townGiven)) {
        return failure("cannot go on: " + state.DataCfgPath() + " was not read completely");
    }
    if (townGiven && !state.ApplyTown(opt.town)) {
        return usage("--town " + std::to_string(opt.town) + ": data.cfg has " +
                     std::to_string(state.TownList.size()) + " towns, numbered from 0");
    }
    if (opt.verbose) {
        state.Verbose = 1;
    }

    if (opt.command == "towns") {
        for (std::size_t t = 0; t < state.TownList.size(); ++t) {
            out << t << '\t' << TownLabel(state.TownList[t])
                << (static_cast<long>(t) == state.TownSelected ? " *" : "") << '\n';
        }
        return 0;
    }
    if (opt.command == "save") {
        return state.WriteConfigFile() ? 0 : failure("data.cfg was not written");
    }
    if (opt.command == "month" || opt.command == "year") {
        // The same call as the menu commands, so the page is the same byte for byte.
        const Date& d = dates.front();
        const PageWriteResult page = opt.command == "month"
                                         ? WriteMonthCalendar(state, d.year, d.month)
                                         : WriteYearCalendar(state, d.year);
        if (!page.ok) {
            return failure("the page was not written");
        }
        out << FullPath(page.path) << '\n';
        return 0;
    }
    if (opt.command == "today") {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        Date d{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
        dates.push_back(d);
    }

    const Date last = dates.back();
    for (Date d = dates.front();; d = NextDay(d)) {
        state.SetDate(d.year, d.month, d.day);
        state.ComputePrayerTimes();
        if (opt.command == "days") {
            out << DateText(d);
            for (double t : state.FinalTimes) {
                out << ' ' << FormatHoursMinutes(t);
            }
            out << '\n';
        } else {
            for (int p = 0; p < kPrayerCount; ++p) {
                out << kPrayerNames[p] << ' '
                    << FormatHoursMinutes(state.FinalTimes[static_cast<std::size_t>(p)]) << '\n';
            }
        }
        if (Serial(d) >= Serial(last)) {
            break;
        }
    }
    return 0;
}

} // namespace duskwheel::cli
