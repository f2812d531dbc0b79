#pragma once
// The year graph without its window: the year of one town as six dotted
// curves (time of day against day of year), the day cursor moved by a scroll
// bar, and every coordinate, colour and text the window draws. The window
// only turns the scene into pen strokes and fills its fields.

#include "calendar/calendar_data.h"
#include "state/program_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace duskwheel {

// Everything one graph window shows, held by value: the window repaints from
// it whatever the program state or the town list do afterwards.
struct YearGraph {
    int year = 0;
    TownData town; // the copy taken when the graph was made
    YearTables months{};
    std::array<std::string, 12> monthNames{}; // French, Latin-1, January first
};

// Computes the year for town `townIndex` of the town list. TownSelected, the
// current location and Verbose are exactly what they were before the call,
// even when the selected town's record has been edited without being applied.
// Nothing when the index is not a town of the list or the year is outside
// CalendarYearInRange.
std::optional<YearGraph> ComputeYearGraph(ProgramState& state, int townIndex, int year);

// --- the day cursor and its scroll bar
inline constexpr int kDayScrollMin = 0;
inline constexpr int kDayScrollMax = 366;
inline constexpr int kDayScrollLargeStep = 7;
inline constexpr int kDayScrollSmallStep = 1;

struct DayCursor {
    int month = 0; // 0 = January
    int day = 0;   // 0 = first day of the month
    bool operator==(const DayCursor&) const = default;
};

// A month takes 30.5 scroll positions: month = p / 30.5, day = p - 30.5 month
// (both truncated), and a day past the month's end moves to the first of the
// next month. Positions past the last day of December (366) stay on
// 31 December; positions outside the scroll range are taken as its ends.
DayCursor DayCursorAt(const YearGraph& graph, int position);
// "15/3/2008": day, month and year without leading zeros.
std::string DayCursorLabel(const YearGraph& graph, DayCursor cursor);
// The six times of the cursor's day, Fajr to Isha, as hh:mm.
std::array<std::string, kPrayerCount> DayCursorTimes(const YearGraph& graph, DayCursor cursor);

// --- plot geometry, in pixels of the window's client area
namespace graph {

// Latin-1 texts of the window.
inline constexpr const char* kWindowCaption = "Graphique des horaires de pri\xE8res sur une ann\xE9"
                                              "e";
inline constexpr const char* kDayLabelInitial = "Jour"; // before the scroll bar first moves
inline constexpr int kClientWidth = 528;
inline constexpr int kClientHeight = 314;
inline constexpr int kX0 = 30; // origin: top end of the time axis
inline constexpr int kY0 = 40;
inline constexpr int kPixelsPerHour = 10;
inline constexpr int kMonthWidth = 31; // every month, whatever its length
inline constexpr int kPlotWidth = 12 * kMonthWidth;
inline constexpr int kCursorLength = 250;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    // 0xRRGGBB
    constexpr std::uint32_t Value() const {
        return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | std::uint32_t{b};
    }
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0x00, 0x00, 0x00};
inline constexpr Rgb kSilver{0xC0, 0xC0, 0xC0}; // hour grid
inline constexpr Rgb kLime{0x00, 0xFF, 0x00};   // day cursor
// Fajr sky blue, Chourouk yellow, Zuhr fuchsia, Asr green, Maghrib red, Isha blue.
inline constexpr std::array<Rgb, kPrayerCount> kPrayerColours{
    Rgb{0xA6, 0xCA, 0xF0}, Rgb{0xFF, 0xFF, 0x00}, Rgb{0xFF, 0x00, 0xFF},
    Rgb{0x00, 0x80, 0x00}, Rgb{0xFF, 0x00, 0x00}, Rgb{0x00, 0x00, 0xFF}};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// A one-pixel pen line from `from` to `to`.
struct Line {
    Point from, to;
    Rgb colour;
    bool operator==(const Line&) const = default;
};

// An ellipse inscribed in a box whose right and bottom edges lie outside it
// (the box covers x in [left, right), y in [top, bottom)), outlined with the
// colour as pen; filled with it too, it makes a solid dot of 2 by 2 pixels.
struct Dot {
    int left = 0, top = 0, right = 0, bottom = 0;
    Rgb colour;
    bool operator==(const Dot&) const = default;
};

enum class Anchor {
    TopLeft,   // `at` is the text's top-left corner
    TopCentre, // `at` is the middle of the text's top edge
};

struct Label {
    Point at;
    Anchor anchor = Anchor::TopLeft;
    std::string text; // Latin-1
    Rgb colour;
    bool operator==(const Label&) const = default;
};

using Shape = std::variant<Line, Dot, Label>;

// x of day `day0` of month `month0` (both 0-based).
int DayX(int month0, int day0);
// y of a time in decimal hours, truncated toward zero: 0 h on the top axis,
// 24 h 240 pixels lower; times after midnight (above 24) fall below it.
int TimeY(double hours);
// The dot of one time: x from DayX to DayX + 2, y from Y0 + 10 t to
// Y0 + 10 t + 2, each truncated (6.5 h gives 105 to 107).
Dot TimeDot(int month0, int day0, double hours, Rgb colour);

// Country " \ " Name "   latitude=" ... "   longitude=" ..., Latin-1.
std::string GraphTitle(const TownData& town);

// Everything but the cursor, in paint order: title, axes, hour ticks and
// labels, silver hour grid, month ticks and labels, then the dots day by day,
// Fajr to Isha (a later prayer's dot covers an earlier one where they meet).
std::vector<Shape> PlotScene(const YearGraph& graph);
// The lime cursor line, painted after the plot.
Line CursorLine(DayCursor cursor);

} // namespace graph
} // namespace duskwheel
