#include "astro/primitives.h"
#include "calendar/calendar_data.h"
#include "calendar/html_calendar.h"
#include "state/program_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace duskwheel {
namespace {

namespace fs = std::filesystem;

struct Messages : Host {
    std::vector<std::string> texts;
    void ShowError(const std::string& text, const std::string& title) override {
        texts.push_back(title + ": " + text);
    }
};

using Folder = test::TempDir;
using Lines = test::RecordingSink;
using test::ReadFile;

ProgramState ParisState(const std::string& dir = {}) {
    ProgramState s = test::ReferenceState();
    s.FilesDir = dir;
    return s;
}

std::size_t Count(const std::string& text, const std::string& needle) {
    std::size_t n = 0;
    for (auto pos = text.find(needle); pos != std::string::npos;
         pos = text.find(needle, pos + needle.size())) {
        ++n;
    }
    return n;
}

std::vector<std::string> SplitLines(const std::string& page) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (auto pos = page.find("\r\n"); pos != std::string::npos; pos = page.find("\r\n", start)) {
        out.push_back(page.substr(start, pos - start));
        start = pos + 2;
    }
    out.push_back(page.substr(start));
    return out;
}

// The line of the year page that holds month `month` (1..12) on day `day`.
std::string YearCells(const std::string& page, int month, int day) {
    const std::vector<std::string> lines = SplitLines(page);
    int quarter = -1;
    int row = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("<table") != std::string::npos) {
            ++quarter;
            row = 0;
        } else if (lines[i] == "<tr>" && ++row == day && quarter == (month - 1) / 3) {
            return lines[i + 1 + static_cast<std::size_t>((month - 1) % 3)];
        }
    }
    return {};
}

const std::string kEmptyCells =
    "\t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> "
    "\t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td> "
    "\t\t\t\t\t\t\t\t<td></td> \t\t\t\t\t\t\t\t<td></td>";

// Compares a page with its golden file. DUSKWHEEL_UPDATE_GOLDEN=1 rewrites the
// golden file instead: inspect the result line by line before committing it.
void ExpectGolden(const std::string& bytes, const std::string& goldenName) {
    const std::string path = std::string(DUSKWHEEL_TEST_DATA_DIR) + "/calendar/" + goldenName;
    if (const char* update = std::getenv("DUSKWHEEL_UPDATE_GOLDEN"); update && *update == '1') {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    const std::string golden = ReadFile(path);
    ASSERT_FALSE(golden.empty()) << "missing golden file " << path;
    if (bytes == golden) {
        return;
    }
    const std::vector<std::string> got = SplitLines(bytes);
    const std::vector<std::string> want = SplitLines(golden);
    for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
        ASSERT_EQ(got[i], want[i]) << goldenName << ", line " << i + 1;
    }
    FAIL() << goldenName << ": " << got.size() << " lines instead of " << want.size();
}

TEST(CalendarPages, MonthPageMatchesItsGoldenFile) {
    Folder folder;
    Messages host;
    ProgramState s = ParisState(folder.Dir());
    s.HostUi = &host;
    const PageWriteResult r = WriteMonthCalendar(s, 2008, 3);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.path, folder.File("Paris_Mars2008.html"));
    EXPECT_TRUE(host.texts.empty());
    ExpectGolden(ReadFile(r.path), "Paris_Mars2008.html");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Paris_Mars2008.html"}); // no temporary left
}

TEST(CalendarPages, YearPageMatchesItsGoldenFile) {
    Folder folder;
    ProgramState s = ParisState(folder.Dir());
    const PageWriteResult r = WriteYearCalendar(s, 2008);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.path, folder.File("Paris_2008.html"));
    ExpectGolden(ReadFile(r.path), "Paris_2008.html");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Paris_2008.html"});
}

TEST(CalendarPages, MonthPageHasOneRowPerDay) {
    struct Case {
        int year, month, days;
    };
    for (const Case c : {Case{2008, 2, 29}, Case{2009, 2, 28}, Case{2008, 4, 30},
                         Case{2008, 12, 31}, Case{1900, 3, 31}, Case{2100, 1, 31}}) {
        ProgramState s = ParisState();
        const std::string page =
            MonthPageBytes(s, *s.SelectedTown(), ComputeMonthTables(s, c.year, c.month));
        EXPECT_EQ(Count(page, "<tr bgcolor="), static_cast<std::size_t>(c.days))
            << c.month << "/" << c.year;
        const std::string last = "<b>" + std::to_string(c.days) + "</b>";
        const std::string next = "<b>" + std::to_string(c.days + 1) + "</b>";
        EXPECT_EQ(Count(page, last), 1u) << c.month << "/" << c.year;
        EXPECT_EQ(Count(page, next), 0u) << c.month << "/" << c.year;
        // Every line break is CR LF.
        EXPECT_EQ(Count(page, "\n"), Count(page, "\r\n"));
        EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
    }
}

TEST(CalendarPages, MonthPageRowColoursAndDayNumbers) {
    ProgramState s = ParisState();
    const std::string page = MonthPageBytes(s, *s.SelectedTown(), ComputeMonthTables(s, 2008, 3));
    const std::vector<std::string> lines = SplitLines(page);
    // March 2008: Fridays on the 7th (odd) and the 14th (even).
    struct Case {
        int day;
        const char* opening;
        const char* dayName;
    };
    const Case cases[] = {
        {7, "<tr bgcolor=\"#FFD5D5\">", "Vendredi"}, {14, "<tr bgcolor=\"#FFD5D5\">", "Vendredi"},
        {8, "<tr bgcolor=\"#F5F5F5\">", "Samedi"},   {9, "<tr bgcolor=\"#F0F0E0\">", "Dimanche"},
        {17, "<tr bgcolor=\"#F0F0E0\">", "Lundi"},   {30, "<tr bgcolor=\"#F5F5F5\">", "Dimanche"},
    };
    for (const Case& c : cases) {
        const std::string number = c.day < 10 ? std::to_string(c.day) + " " : std::to_string(c.day);
        const std::string cells = "\t\t\t<td width=10 align=\"right\"><b>" + number +
                                  "</b></td> \t\t\t<td width=60><b>" + c.dayName +
                                  "</b></td> \t\t\t<td width=40>&nbsp;";
        bool found = false;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].starts_with(cells)) {
                found = true;
                EXPECT_EQ(lines[i - 1], c.opening) << "day " << c.day;
                EXPECT_TRUE(lines[i].ends_with("</td></tr>")) << "day " << c.day;
            }
        }
        EXPECT_TRUE(found) << "day " << c.day;
    }
    // Every Friday and only Fridays carry the Friday colour.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i - 1].starts_with("<tr bgcolor=")) {
            EXPECT_EQ(lines[i - 1] == "<tr bgcolor=\"#FFD5D5\">",
                      lines[i].find("<b>Vendredi</b>") != std::string::npos)
                << lines[i];
        }
    }
}

TEST(CalendarPages, RolloverTextAndTimesAfterMidnightStayInTheirCells) {
    ProgramState s = ParisState();
    MonthTables month;
    month.year = 2008;
    month.month = 6;
    month.days = 30;
    month.weekdays.fill(0);
    for (auto& row : month.times) {
        row = {3.5, 5.75, 13.9, 18.2, 21.95, 23.5};
    }
    month.times[20][Isha] = 23 + 59.5 / 60; // rounds to 24:00
    month.times[21][Isha] = 25.1;           // after midnight, not reduced
    const std::string page = MonthPageBytes(s, *s.SelectedTown(), month);
    EXPECT_NE(page.find("</td>\t\t\t<td width=40>&nbsp;erreur : arrondi au jour suivant</td></tr>"),
              std::string::npos);
    EXPECT_NE(page.find("</td>\t\t\t<td width=40>&nbsp;25:06</td></tr>"), std::string::npos);
    EXPECT_EQ(Count(page, kRoundingOverflowText), 1u);

    YearTables year;
    for (int m = 0; m < 12; ++m) {
        year[static_cast<std::size_t>(m)] = month;
        year[static_cast<std::size_t>(m)].month = m + 1;
    }
    const std::string yearPage = YearPageBytes(s, *s.SelectedTown(), 2008, year);
    EXPECT_NE(yearPage.find("width=40>&nbsp;erreur : arrondi au jour suivant</td>\r\n"),
              std::string::npos);
    EXPECT_EQ(Count(yearPage, kRoundingOverflowText), 12u);
}

TEST(CalendarPages, YearPageQuartersAndPageBreaks) {
    ProgramState s = ParisState();
    const std::string page = YearPageBytes(s, *s.SelectedTown(), 2008, ComputeYearTables(s, 2008));
    EXPECT_EQ(Count(page, "<div class=\"sautpage\"></div>"), 3u);
    EXPECT_EQ(Count(page, "<table "), 4u);
    EXPECT_LT(page.find("</table>"), page.find("sautpage")); // none before the first table
    // The marker runs straight into the quarter's heading.
    EXPECT_EQ(Count(page, "<div class=\"sautpage\"></div>\t\t<h1>"), 3u);

    const std::vector<std::string> lines = SplitLines(page);
    int tables = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("<table") == std::string::npos) {
            continue;
        }
        ++tables;
        std::size_t j = i + 1;
        while (j < lines.size() && lines[j] != "<tr>") {
            ++j;
        }
        int rows = 0;
        while (j < lines.size() && lines[j] == "<tr>") {
            ++rows;
            for (std::size_t k = 1; k <= 3; ++k) {
                EXPECT_TRUE(lines[j + k].starts_with("<td bgcolor=") || lines[j + k] == kEmptyCells)
                    << "table " << tables << ", row " << rows << ", group " << k;
            }
            EXPECT_EQ(lines[j + 4], "</tr>") << "table " << tables << ", row " << rows;
            j += 5;
        }
        EXPECT_EQ(rows, 31) << "table " << tables;
        EXPECT_EQ(lines[j], "</table>") << "table " << tables;
    }
    EXPECT_EQ(tables, 4);
}

TEST(CalendarPages, YearPageWritesEmptyCellsPastTheEndOfEachMonth) {
    ProgramState s = ParisState();
    for (const int year : {2008, 2009}) {
        const std::string page =
            YearPageBytes(s, *s.SelectedTown(), year, ComputeYearTables(s, year));
        for (int month = 1; month <= 12; ++month) {
            const int days = DaysInMonth(month, year);
            for (int day = 28; day <= 31; ++day) {
                const std::string cells = YearCells(page, month, day);
                if (day > days) {
                    EXPECT_EQ(cells, kEmptyCells) << day << "/" << month << "/" << year;
                } else {
                    EXPECT_NE(cells.find("<b>" + std::to_string(day) + "</b>"), std::string::npos)
                        << day << "/" << month << "/" << year;
                }
            }
        }
        EXPECT_EQ(YearCells(page, 2, 29) == kEmptyCells, year == 2009);
    }
}

TEST(CalendarPages, YearPageColoursEvenOddPerRowFridayPerMonth) {
    ProgramState s = ParisState();
    const std::string page = YearPageBytes(s, *s.SelectedTown(), 2008, ComputeYearTables(s, 2008));
    // 1 February 2008 is a Friday; 1 January a Tuesday, 1 March a Saturday.
    EXPECT_TRUE(
        YearCells(page, 2, 1)
            .starts_with("<td bgcolor=\"#FFD5D5\"\t\t\t\t\t\t\t\t\t\twidth=10 align=\"right\"><b>1 "
                         "</b></td> "
                         "\t\t\t\t\t\t\t\t<td bgcolor=\"#FFD5D5\"width=60><b>Vendredi</b></td> "))
        << YearCells(page, 2, 1);
    EXPECT_TRUE(YearCells(page, 1, 1).starts_with("<td bgcolor=\"#E0FFD0\"\t"));
    EXPECT_TRUE(YearCells(page, 3, 1).starts_with("<td bgcolor=\"#E0FFD0\"\t"));
    // 2 January, February and March 2008: Wednesday, Saturday, Sunday, all even.
    for (int month = 1; month <= 3; ++month) {
        EXPECT_TRUE(YearCells(page, month, 2).starts_with("<td bgcolor=\"#E5FFE5\"\t")) << month;
    }
    // The colour attribute is repeated before every cell of the group.
    const std::string friday = YearCells(page, 2, 1);
    EXPECT_EQ(Count(friday, "bgcolor=\"#FFD5D5\""), 8u);
    EXPECT_EQ(Count(friday, "bgcolor=\"#FFD5D5\"width=40>&nbsp;"), 6u);
    // 7 March 2008 (a Friday) in the first quarter's third group, 7 without a blank before it.
    EXPECT_TRUE(
        YearCells(page, 3, 7)
            .starts_with(
                "<td bgcolor=\"#FFD5D5\"\t\t\t\t\t\t\t\t\t\twidth=10 align=\"right\"><b>7 </b>"));
    EXPECT_NE(YearCells(page, 3, 17).find("<b>17</b>"), std::string::npos);
}

TEST(CalendarPages, TownAndCountryNamesAreEscaped) {
    ProgramState s = ParisState();
    TownData town{"\"Quoted\"", "Ivry&Co<script>", 2.35, 48.85, 1, 0, 1};
    const std::string place = "&quot;Quoted&quot; : Ivry&amp;Co&lt;script&gt;";
    const std::string month = MonthPageBytes(s, town, ComputeMonthTables(s, 2008, 3));
    const std::string year = YearPageBytes(s, town, 2008, ComputeYearTables(s, 2008));
    EXPECT_NE(month.find("\t\t<h1>Mars 2008 - " + place + "</h1>\r\n"), std::string::npos);
    EXPECT_EQ(Count(year, "\t\t<h1>Ann\xE9"
                          "e 2008 - " +
                              place + "</h1>\r\n"),
              4u);
    for (const std::string* page : {&month, &year}) {
        EXPECT_EQ(page->find("<script"), std::string::npos);
        EXPECT_EQ(page->find("\"Quoted"), std::string::npos);
    }
    EXPECT_EQ(HtmlEscape("a<b>&\"c\"'\xE9"), "a&lt;b&gt;&amp;&quot;c&quot;'\xE9");
}

TEST(CalendarPages, FileNames) {
    ProgramState s = ParisState();
    struct Case {
        const char* town;
        int month; // 0: the year page
        const char* expected;
    };
    const Case cases[] = {
        {"Paris", 3, "Paris_Mars2008.html"},
        {"Paris", 2, "Paris_F\xC3\xA9vrier2008.html"},
        {"Paris", 8, "Paris_Ao\xC3\xBBt2008.html"},
        {"Paris", 12,
         "Paris_D\xC3\xA9"
         "cembre2008.html"},
        {"Besan\xE7on", 1, "Besan\xC3\xA7on_Janvier2008.html"},
        {"Paris", 0, "Paris_2008.html"},
        {"Besan\xE7on", 0, "Besan\xC3\xA7on_2008.html"},
        // A separator would send the page out of the files' folder.
        {"../../etc/x", 0, ".._.._etc_x_2008.html"},
        {"Ivry&Co", 5, "Ivry&Co_Mai2008.html"},
    };
    for (const Case& c : cases) {
        const std::string name = c.month == 0 ? YearPageFileName(c.town, 2008)
                                              : MonthPageFileName(s, c.town, 2008, c.month);
        EXPECT_EQ(name, c.expected);
    }
}

TEST(CalendarPages, FailedWriteIsReportedAndNeverLeavesAHalfPage) {
    // The folder does not exist: nothing can be created.
    {
        Folder folder;
        Messages host;
        ProgramState s = ParisState(folder.File("missing"));
        s.HostUi = &host;
        const PageWriteResult r = WriteMonthCalendar(s, 2008, 3);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(host.texts.size(), 1u);
        EXPECT_TRUE(host.texts[0].starts_with("Error: File open error " +
                                              folder.File("missing/Paris_Mars2008.html")))
            << host.texts[0];
        EXPECT_EQ("Error: " + r.message, host.texts[0]);
        EXPECT_FALSE(fs::exists(folder.File("missing")));
    }
    // The temporary file cannot be made: an older page stays exactly as it was.
    {
        Folder folder;
        Messages host;
        ProgramState s = ParisState(folder.Dir());
        s.HostUi = &host;
        std::ofstream(folder.File("Paris_2008.html"), std::ios::binary) << "older page";
        fs::create_directory(folder.File("Paris_2008.html.tmp"));
        const PageWriteResult r = WriteYearCalendar(s, 2008);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(host.texts.size(), 1u);
        EXPECT_TRUE(
            host.texts[0].starts_with("Error: File open error " + folder.File("Paris_2008.html")));
        EXPECT_EQ(ReadFile(folder.File("Paris_2008.html")), "older page");
    }
    // The page's name is taken by a folder: the finished temporary file is not
    // left behind and the name keeps what it held.
    {
        Folder folder;
        Messages host;
        ProgramState s = ParisState(folder.Dir());
        s.HostUi = &host;
        fs::create_directory(folder.File("Paris_F\xC3\xA9vrier2008.html"));
        const PageWriteResult r = WriteMonthCalendar(s, 2008, 2);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(host.texts.size(), 1u);
        // Messages are Latin-1: the path's UTF-8 month name is shown as such.
        EXPECT_TRUE(host.texts[0].starts_with("Error: File write error " + folder.Dir() +
                                              "/Paris_F\xE9vrier2008.html"))
            << host.texts[0];
        EXPECT_TRUE(fs::is_directory(folder.File("Paris_F\xC3\xA9vrier2008.html")));
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"Paris_F\xC3\xA9vrier2008.html"});
    }
}

TEST(CalendarPages, RunningAgainOverwritesThePageAndLeavesOtherPages) {
    Folder folder;
    ProgramState s = ParisState(folder.Dir());
    std::ofstream(folder.File("Paris_Mars2008.html"), std::ios::binary)
        << std::string(50000, 'x'); // longer than the page: nothing of it may remain
    ASSERT_TRUE(WriteMonthCalendar(s, 2008, 3).ok);
    const std::string march = ReadFile(folder.File("Paris_Mars2008.html"));
    EXPECT_EQ(march, MonthPageBytes(s, *s.SelectedTown(), ComputeMonthTables(s, 2008, 3)));

    ASSERT_TRUE(WriteYearCalendar(s, 2008).ok);
    s.TownList[0].latitude = 43.3; // same town name, other place: the second run replaces the first
    s.ApplyTown(0);
    const std::string first = ReadFile(folder.File("Paris_2008.html"));
    ASSERT_TRUE(WriteYearCalendar(s, 2008).ok);
    const std::string second = ReadFile(folder.File("Paris_2008.html"));
    EXPECT_NE(first, second);
    EXPECT_EQ(second, YearPageBytes(s, *s.SelectedTown(), 2008, ComputeYearTables(s, 2008)));
    EXPECT_EQ(ReadFile(folder.File("Paris_Mars2008.html")), march);
    EXPECT_EQ(folder.Names().size(), 2u);
}

TEST(CalendarPages, RefusedWithoutATownOrOutsideTheModel) {
    Folder folder;
    Messages host;
    ProgramState s = ParisState(folder.Dir());
    s.HostUi = &host;
    s.TownSelected = 3;
    EXPECT_FALSE(WriteMonthCalendar(s, 2008, 3).ok);
    EXPECT_FALSE(WriteYearCalendar(s, 2008).ok);
    EXPECT_EQ(host.texts.size(), 2u);
    EXPECT_TRUE(folder.Names().empty());

    s.TownSelected = 0;
    host.texts.clear();
    for (const auto& [year, month] :
         {std::pair{1900, 2}, std::pair{2100, 2}, std::pair{2008, 13}, std::pair{2008, 0}}) {
        EXPECT_FALSE(WriteMonthCalendar(s, year, month).ok) << month << "/" << year;
    }
    for (const int year : {1900, 2100}) {
        EXPECT_FALSE(WriteYearCalendar(s, year).ok) << year;
    }
    EXPECT_EQ(host.texts.size(), 6u);
    EXPECT_TRUE(folder.Names().empty());

    EXPECT_TRUE(CalendarMonthInRange(1900, 3));
    EXPECT_TRUE(CalendarMonthInRange(2100, 1));
    EXPECT_TRUE(CalendarYearInRange(1901));
    EXPECT_TRUE(CalendarYearInRange(2099));
}

TEST(CalendarPages, ProgramStateAfterwards) {
    Folder folder;
    Lines sink;
    ProgramState s = ParisState(folder.Dir());
    s.Sink = &sink;
    s.Verbose = 1;
    s.TownList.push_back(TownData{"Egypt", "Cairo", 31.2357, 30.0444, 2, 0, 2});
    s.NumberOfTowns = 2;
    const double longitude = s.CurrentLongitude;
    ASSERT_TRUE(WriteYearCalendar(s, 2009).ok);
    EXPECT_EQ(s.Verbose, 1);
    EXPECT_TRUE(sink.lines.empty()); // the batch never writes into the report
    EXPECT_EQ(s.TownSelected, 0);
    EXPECT_EQ(s.CurrentLongitude, longitude);
    EXPECT_EQ(s.Year, 2009);
    ASSERT_TRUE(WriteMonthCalendar(s, 2008, 2).ok);
    EXPECT_EQ(s.Month, 2);
    EXPECT_EQ(s.Day, 30);
}

TEST(CalendarPages, DialogYearList) {
    EXPECT_EQ(DialogYearIndex(1949), -1);
    EXPECT_EQ(DialogYearIndex(1950), 0);
    EXPECT_EQ(DialogYearIndex(2008), 58);
    EXPECT_EQ(DialogYearIndex(2049), 99);
    EXPECT_EQ(DialogYearIndex(2050), -1);
}

TEST(CalendarPages, TextConversions) {
    EXPECT_EQ(Latin1ToUtf8("F\xE9vrier Ao\xFBt \xFF"), "F\xC3\xA9vrier Ao\xC3\xBBt \xC3\xBF");
    EXPECT_EQ(Utf8ToLatin1("F\xC3\xA9vrier Ao\xC3\xBBt"), "F\xE9vrier Ao\xFBt");
    // Outside Latin-1, truncated and stray bytes.
    EXPECT_EQ(Utf8ToLatin1("5\xE2\x82\xAC /\xC3"), "5? /?");
    EXPECT_EQ(Utf8ToLatin1("a\x80z"), "a?z");
    EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80!"), "?!");
}

} // namespace
} // namespace duskwheel
