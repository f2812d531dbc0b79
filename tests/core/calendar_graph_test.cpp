#include "astro/primitives.h"
#include "calendar/calendar_data.h"
#include "calendar/year_graph.h"
#include "state/program_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace duskwheel {
namespace {

using graph::Dot;
using graph::Label;
using graph::Line;
using graph::Shape;

using Lines = test::RecordingSink;

// Paris (reference convention: Fajr 18, Isha 17, 0.833, Shafi, no offsets)
// selected, Cairo second with a convention of its own.
ProgramState TwoTowns() {
    ProgramState s = test::ReferenceState();
    s.Conventions[2] = s.Conventions[0];
    s.Conventions[2].FajrTwilightAngle = 19.5;
    s.Conventions[2].IshaTwilightAngle = 17.5;
    s.TownList.push_back(TownData{"Egypt", "Cairo", 31.2357, 30.0444, 2, 2, 2});
    s.NumberOfTowns = 2;
    return s;
}

YearGraph ParisGraph(int year) {
    ProgramState s = TwoTowns();
    std::optional<YearGraph> g = ComputeYearGraph(s, 0, year);
    EXPECT_TRUE(g.has_value());
    return g.value_or(YearGraph{});
}

TEST(YearGraph, CursorPositions) {
    const YearGraph common = ParisGraph(2009);
    const YearGraph leap = ParisGraph(2008);
    struct Case {
        const YearGraph* graph;
        int position;
        const char* label;
    };
    const Case cases[] = {
        {&common, 0, "1/1/2009"},     {&common, 30, "31/1/2009"}, {&common, 31, "1/2/2009"},
        {&common, 59, "1/3/2009"},    {&leap, 59, "29/2/2008"},   {&leap, 60, "1/3/2008"},
        {&common, 243, "30/8/2009"},  {&common, 244, "1/9/2009"}, {&common, 365, "30/12/2009"},
        {&common, 366, "31/12/2009"}, {&leap, 366, "31/12/2008"}, {&common, -4, "1/1/2009"},
        {&common, 400, "31/12/2009"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DayCursorLabel(*c.graph, DayCursorAt(*c.graph, c.position)), c.label)
            << "position " << c.position;
    }
}

TEST(YearGraph, EveryPositionShowsARealDay) {
    for (const int year : {2008, 2009}) {
        const YearGraph g = ParisGraph(year);
        std::set<std::pair<int, int>> shown;
        DayCursor previous;
        for (int p = kDayScrollMin; p <= kDayScrollMax; ++p) {
            const DayCursor c = DayCursorAt(g, p);
            ASSERT_GE(c.month, 0);
            ASSERT_LE(c.month, 11);
            ASSERT_GE(c.day, 0);
            ASSERT_LT(c.day, g.months[static_cast<std::size_t>(c.month)].days) << p;
            // The cursor never moves backwards as the scroll bar moves on.
            EXPECT_GE(c.month * 31 + c.day, previous.month * 31 + previous.day) << p;
            previous = c;
            shown.insert({c.month, c.day});
        }
        // A month takes 30.5 positions, so the 31st of a month that starts
        // half-way through a position (August, October) is never reached;
        // 31 December is, at the last position.
        const int daysInYear = year % 4 == 0 ? 366 : 365;
        EXPECT_EQ(shown.size(), static_cast<std::size_t>(daysInYear - 2)) << year;
        EXPECT_EQ(shown.count({7, 30}), 0u) << year;
        EXPECT_EQ(shown.count({9, 30}), 0u) << year;
        EXPECT_EQ(shown.count({11, 30}), 1u) << year;
    }
}

TEST(YearGraph, CursorFieldsShowTheDaysTimes) {
    const YearGraph g = ParisGraph(2008);
    // Position 356: month 11, day index 20, that is 21 December 2008.
    const DayCursor c = DayCursorAt(g, 356);
    EXPECT_EQ(DayCursorLabel(g, c), "21/12/2008");
    const std::array<std::string, kPrayerCount> expected{"06:45", "08:42", "12:49",
                                                         "14:40", "16:56", "18:46"};
    EXPECT_EQ(DayCursorTimes(g, c), expected);
}

TEST(YearGraph, ProgramStateKeepsItsTownLocationAndReport) {
    Lines sink;
    ProgramState s = TwoTowns();
    s.Sink = &sink;
    s.Verbose = 1;
    // An edit of the selected town that was never applied must stay unapplied.
    s.TownList[0].latitude = 10;
    s.TownList[0].TimeZone = 5;
    const ProgramState before = s;

    const std::optional<YearGraph> g = ComputeYearGraph(s, 1, 2008);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(s.TownSelected, before.TownSelected);
    EXPECT_EQ(s.CurrentLongitude, before.CurrentLongitude);
    EXPECT_EQ(s.CurrentLatitude, before.CurrentLatitude);
    EXPECT_EQ(s.CurrentTimeZone, before.CurrentTimeZone);
    EXPECT_EQ(s.CurrentDST, before.CurrentDST);
    EXPECT_EQ(s.CurrentConvention, before.CurrentConvention);
    EXPECT_EQ(s.Verbose, 1);
    EXPECT_TRUE(sink.lines.empty());

    // The graph holds Cairo's year, computed with Cairo's own convention.
    EXPECT_EQ(g->town, s.TownList[1]);
    EXPECT_EQ(g->year, 2008);
    ProgramState cairo = TwoTowns();
    cairo.ApplyTown(1);
    const YearTables expected = ComputeYearTables(cairo, 2008);
    for (std::size_t m = 0; m < 12; ++m) {
        EXPECT_EQ(g->months[m].days, expected[m].days);
        EXPECT_EQ(g->months[m].times, expected[m].times) << m;
    }
    EXPECT_EQ(g->monthNames[1], "F\xE9vrier");
}

TEST(YearGraph, RefusedForAnUnknownTownOrYear) {
    ProgramState s = TwoTowns();
    s.ApplyTown(1);
    for (const auto& [town, year] :
         {std::pair{-1, 2008}, std::pair{2, 2008}, std::pair{0, 1900}, std::pair{0, 2100}}) {
        EXPECT_FALSE(ComputeYearGraph(s, town, year).has_value()) << town << " " << year;
        EXPECT_EQ(s.TownSelected, 1);
        EXPECT_EQ(s.CurrentTimeZone, 2);
    }
}

TEST(GraphGeometry, TimesAndDaysToPixels) {
    struct Case {
        double hours;
        int top, bottom;
    };
    const Case cases[] = {
        {6.5, 105, 107},  {6.55, 105, 107}, {6.59, 105, 107}, {0.0, 40, 42},
        {24.0, 280, 282}, {25.1, 291, 293}, {-0.05, 39, 41},
    };
    for (const Case& c : cases) {
        const Dot d = graph::TimeDot(0, 0, c.hours, graph::kPrayerColours[0]);
        EXPECT_EQ(d.top, c.top) << c.hours;
        EXPECT_EQ(d.bottom, c.bottom) << c.hours;
        EXPECT_EQ(graph::TimeY(c.hours), c.top) << c.hours;
    }
    EXPECT_EQ(graph::DayX(0, 0), 30);
    EXPECT_EQ(graph::DayX(1, 0), 61); // every month starts 31 pixels after the previous one
    EXPECT_EQ(graph::DayX(11, 30), 401);
    const Dot d = graph::TimeDot(2, 14, 6.5, graph::kPrayerColours[3]);
    EXPECT_EQ(d.left, 106);
    EXPECT_EQ(d.right, 108);
    // A corrupt time stays on a finite pixel instead of overflowing.
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), 1e300, -1e300,
                             std::numeric_limits<double>::infinity()}) {
        const int y = graph::TimeY(bad);
        EXPECT_GE(y, graph::kY0 - 1000);
        EXPECT_LE(y, graph::kY0 + 1000);
    }
}

TEST(GraphGeometry, CursorLine) {
    const Line l = graph::CursorLine(DayCursor{2, 14});
    EXPECT_EQ(l.from, (graph::Point{106, 40}));
    EXPECT_EQ(l.to, (graph::Point{106, 290}));
    EXPECT_EQ(l.colour.Value(), 0x00FF00u);
}

TEST(GraphGeometry, PlotScene) {
    for (const int year : {2008, 2009}) {
        const YearGraph g = ParisGraph(year);
        const std::vector<Shape> scene = graph::PlotScene(g);
        std::vector<Line> lines;
        std::vector<Label> labels;
        std::vector<Dot> dots;
        for (const Shape& s : scene) {
            if (const auto* l = std::get_if<Line>(&s)) {
                lines.push_back(*l);
            } else if (const auto* t = std::get_if<Label>(&s)) {
                labels.push_back(*t);
            } else {
                dots.push_back(std::get<Dot>(s));
            }
        }
        // Axes, 25 hour ticks, 13 silver grid lines, 12 month ticks.
        EXPECT_EQ(lines.size(), 2u + 25u + 13u + 12u);
        const auto has = [&](const Line& l) {
            return std::find(lines.begin(), lines.end(), l) != lines.end();
        };
        EXPECT_TRUE(has(Line{{30, 40}, {30, 280}, graph::kBlack}));
        EXPECT_TRUE(has(Line{{402, 40}, {30, 40}, graph::kBlack}));
        EXPECT_TRUE(has(Line{{30, 170}, {25, 170}, graph::kBlack}));   // 13 h tick
        EXPECT_TRUE(has(Line{{30, 160}, {402, 160}, graph::kSilver})); // 12 h grid
        EXPECT_FALSE(has(Line{{30, 170}, {402, 170}, graph::kSilver}));
        EXPECT_TRUE(has(Line{{371, 40}, {371, 35}, graph::kBlack})); // December tick

        // Title, 13 hour labels, 6 month labels.
        ASSERT_EQ(labels.size(), 1u + 13u + 6u);
        EXPECT_EQ(labels[0].at, (graph::Point{10, 3}));
        EXPECT_EQ(labels[0].anchor, graph::Anchor::TopLeft);
        const auto label = [&](const std::string& text) {
            const auto it = std::find_if(labels.begin(), labels.end(),
                                         [&](const Label& l) { return l.text == text; });
            return it == labels.end() ? Label{} : *it;
        };
        EXPECT_EQ(label("0h").at, (graph::Point{15, 33}));
        EXPECT_EQ(label("24h").at, (graph::Point{15, 273}));
        EXPECT_EQ(label("24h").anchor, graph::Anchor::TopCentre);
        EXPECT_EQ(label("13h").text, "");
        EXPECT_EQ(label("Janvier").at, (graph::Point{30, 20}));
        EXPECT_EQ(label("Novembre").at, (graph::Point{340, 20}));
        EXPECT_EQ(label("F\xE9vrier").text, "");

        // Six dots per day, Fajr to Isha, where the tables put them; the
        // scene ends with the dots so they cover the grid.
        const int days = year % 4 == 0 ? 366 : 365;
        ASSERT_EQ(dots.size(), static_cast<std::size_t>(days * kPrayerCount));
        EXPECT_TRUE(std::holds_alternative<Dot>(scene[scene.size() - dots.size()]));
        std::size_t k = 0;
        for (int m = 0; m < 12; ++m) {
            const MonthTables& month = g.months[static_cast<std::size_t>(m)];
            for (int i = 0; i < month.days; ++i) {
                for (std::size_t p = 0; p < kPrayerCount; ++p, ++k) {
                    const double t = month.times[static_cast<std::size_t>(i)][p];
                    EXPECT_EQ(dots[k],
                              (Dot{30 + 31 * m + i, static_cast<int>(40 + 10 * t), 32 + 31 * m + i,
                                   static_cast<int>(42 + 10 * t), graph::kPrayerColours[p]}));
                }
            }
        }
        // February's columns: 29 in a leap year, 28 otherwise.
        std::set<int> february;
        for (const Dot& d : dots) {
            if (d.left >= 61 && d.left < 92) {
                february.insert(d.left);
            }
        }
        EXPECT_EQ(february.size(), year % 4 == 0 ? 29u : 28u);
    }
}

TEST(GraphGeometry, Title) {
    EXPECT_EQ(graph::GraphTitle(TownData{"France", "Paris", 2.35, 48.85, 1, 0, 1}),
              "France \\ Paris   latitude= 48\xB0"
              "51'00\"   longitude=  2\xB0"
              "21'00\"");
    EXPECT_EQ(graph::GraphTitle(TownData{"USA", "NY", -73.98, 40.75, -5, 0, 1}),
              "USA \\ NY   latitude= 40\xB0"
              "45'00\"   longitude=-73\xB0-58'-48\"");
}

} // namespace
} // namespace duskwheel
