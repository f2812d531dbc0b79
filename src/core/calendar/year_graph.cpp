#include "calendar/year_graph.h"

#include "astro/primitives.h"

#include <algorithm>
#include <cmath>

namespace duskwheel {

namespace {

// Puts TownSelected and the current location back when the graph is done.
class LocationKeeper {
  public:
    explicit LocationKeeper(ProgramState& s) : s_(s), saved_(s.SaveSelection()) {}
    ~LocationKeeper() { s_.RestoreSelection(saved_); }
    LocationKeeper(const LocationKeeper&) = delete;
    LocationKeeper& operator=(const LocationKeeper&) = delete;

  private:
    ProgramState& s_;
    ProgramState::Selection saved_;
};
const MonthTables& MonthAt(const YearGraph& graph, DayCursor cursor) {
    return graph.months[static_cast<std::size_t>(std::clamp(cursor.month, 0, 11))];
}

std::size_t RowAt(const MonthTables& month, DayCursor cursor) {
    return static_cast<std::size_t>(std::clamp(cursor.day, 0, std::max(month.days, 1) - 1));
}

} // namespace

std::optional<YearGraph> ComputeYearGraph(ProgramState& state, int townIndex, int year) {
    if (townIndex < 0 || static_cast<std::size_t>(townIndex) >= state.TownList.size() ||
        !CalendarYearInRange(year)) {
        return std::nullopt;
    }
    YearGraph graph;
    graph.year = year;
    graph.town = state.TownList[static_cast<std::size_t>(townIndex)];
    for (int m = 0; m < 12; ++m) {
        graph.monthNames[static_cast<std::size_t>(m)] = state.MonthName(m);
    }
    {
        LocationKeeper keep(state);
        state.ApplyTown(townIndex);
        graph.months = ComputeYearTables(state, year);
    }
    return graph;
}

DayCursor DayCursorAt(const YearGraph& graph, int position) {
    const int p = std::clamp(position, kDayScrollMin, kDayScrollMax);
    DayCursor c;
    c.month = static_cast<int>(p / 30.5);
    c.day = static_cast<int>(p - 30.5 * c.month);
    if (c.month < 12 && c.day >= graph.months[static_cast<std::size_t>(c.month)].days) {
        c.day = 0;
        c.month += 1;
    }
    if (c.month >= 12) {
        // The scroll range ends one position after the rule's last day of the
        // year: the cursor stays on the last day of December there.
        c.month = 11;
        c.day = std::max(graph.months[11].days, 1) - 1;
    }
    return c;
}

std::string DayCursorLabel(const YearGraph& graph, DayCursor cursor) {
    return std::to_string(cursor.day + 1) + "/" + std::to_string(cursor.month + 1) + "/" +
           std::to_string(graph.year);
}

std::array<std::string, kPrayerCount> DayCursorTimes(const YearGraph& graph, DayCursor cursor) {
    const MonthTables& month = MonthAt(graph, cursor);
    const MonthRow& row = month.times[RowAt(month, cursor)];
    std::array<std::string, kPrayerCount> out;
    for (std::size_t p = 0; p < out.size(); ++p) {
        out[p] = FormatHoursMinutes(row[p]);
    }
    return out;
}

namespace graph {

int DayX(int month0, int day0) {
    return kX0 + kMonthWidth * month0 + day0;
}

namespace {
// A time far outside any day (a corrupt table) must not overflow the int
// arithmetic of the plot; real times stay well inside this band.
double PlotHours(double hours) {
    return std::isnan(hours) ? 0.0 : std::clamp(hours, -100.0, 100.0);
}
} // namespace

int TimeY(double hours) {
    return static_cast<int>(kY0 + kPixelsPerHour * PlotHours(hours));
}

Dot TimeDot(int month0, int day0, double hours, Rgb colour) {
    const double t = PlotHours(hours);
    const int x = DayX(month0, day0);
    return Dot{x, TimeY(t), x + 2, static_cast<int>(kY0 + kPixelsPerHour * t + 2), colour};
}

std::string GraphTitle(const TownData& town) {
    return town.Country + " \\ " + town.Name +
           "   latitude=" + FormatDegrees(town.latitude * kDegToRad) +
           "   longitude=" + FormatDegrees(town.longitude * kDegToRad);
}

std::vector<Shape> PlotScene(const YearGraph& graph) {
    std::vector<Shape> scene;
    scene.reserve(128 + 366 * kPrayerCount);
    scene.emplace_back(Label{{10, 3}, Anchor::TopLeft, GraphTitle(graph.town), kBlack});
    scene.emplace_back(Line{{kX0, kY0}, {kX0, kY0 + 24 * kPixelsPerHour}, kBlack});
    scene.emplace_back(Line{{kX0 + kPlotWidth, kY0}, {kX0, kY0}, kBlack});
    for (int n = 0; n <= 24; ++n) {
        const int y = kY0 + kPixelsPerHour * n;
        scene.emplace_back(Line{{kX0, y}, {kX0 - 5, y}, kBlack});
        if (n % 2 == 0) {
            scene.emplace_back(
                Label{{kX0 - 15, y - 7}, Anchor::TopCentre, std::to_string(n) + "h", kBlack});
        }
    }
    for (int n = 0; n <= 24; n += 2) {
        const int y = kY0 + kPixelsPerHour * n;
        scene.emplace_back(Line{{kX0, y}, {kX0 + kPlotWidth, y}, kSilver});
    }
    for (int m = 0; m < 12; ++m) {
        const int x = kX0 + kMonthWidth * m;
        scene.emplace_back(Line{{x, kY0}, {x, kY0 - 5}, kBlack});
        if (m % 2 == 0) {
            scene.emplace_back(Label{{x, kY0 - 20},
                                     Anchor::TopCentre,
                                     graph.monthNames[static_cast<std::size_t>(m)],
                                     kBlack});
        }
    }
    for (int m = 0; m < 12; ++m) {
        const MonthTables& month = graph.months[static_cast<std::size_t>(m)];
        const int days = std::clamp(month.days, 0, kMaxMonthDays);
        for (int i = 0; i < days; ++i) {
            const MonthRow& row = month.times[static_cast<std::size_t>(i)];
            for (std::size_t p = 0; p < row.size(); ++p) {
                scene.emplace_back(TimeDot(m, i, row[p], kPrayerColours[p]));
            }
        }
    }
    return scene;
}

Line CursorLine(DayCursor cursor) {
    const int x = DayX(cursor.month, cursor.day);
    return Line{{x, kY0}, {x, kY0 + kCursorLength}, kLime};
}

} // namespace graph
} // namespace duskwheel
