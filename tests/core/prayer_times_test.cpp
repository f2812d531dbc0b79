#include "astro/primitives.h"
#include "state/program_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace duskwheel {
namespace {

struct Place {
    double latitude, longitude;
    int timeZone, dst;
};

using test::ReferenceConvention;

ProgramState StateAt(const Place& p, DuskwheelConfigStruct convention = ReferenceConvention()) {
    ProgramState s;
    s.FillNameTables();
    s.Conventions[0] = convention;
    s.TownList.push_back(TownData{"Here", "There", p.longitude, p.latitude, p.timeZone, 0, p.dst});
    s.NumberOfTowns = 1;
    s.ApplyTown(0);
    return s;
}

std::array<std::string, 6> Shown(const ProgramState& s) {
    std::array<std::string, 6> out;
    for (int i = 0; i < 6; ++i) {
        out[static_cast<std::size_t>(i)] =
            FormatHoursMinutes(s.FinalTimes[static_cast<std::size_t>(i)]);
    }
    return out;
}

const Place kParis{48.85, 2.35, 1, 1};
const Place kSydney{-33.87, 151.21, 10, 0};
const Place kMakkah{21.42, 39.83, 3, 0};

TEST(ComputePrayerTimes, ReferenceDays) {
    struct Case {
        Place place;
        int year, month, day;
        std::array<std::string, 6> expected; // Fajr Chourouk Zuhr Asr Maghrib Isha; "" unchecked
    };
    const Case cases[] = {
        {kParis, 2008, 12, 21, {"06:45", "08:42", "12:49", "14:40", "16:56", "18:46"}},
        // DST applies; Fajr never reached (00:00), Isha after midnight.
        {kParis, 2008, 6, 21, {"00:00", "05:47", "13:52", "18:10", "21:58", "25:07"}},
        // Southern hemisphere: the noon shadow uses |latitude - declination|.
        {kSydney, 2008, 6, 21, {"", "", "11:57", "14:36", "16:54", ""}},
        {kMakkah, 2008, 3, 21, {"05:10", "06:24", "12:28", "15:53", "18:32", "19:42"}},
    };
    for (const Case& c : cases) {
        ProgramState s = StateAt(c.place);
        s.SetDate(c.year, c.month, c.day);
        s.ComputePrayerTimes();
        const auto shown = Shown(s);
        for (std::size_t i = 0; i < 6; ++i) {
            if (!c.expected[i].empty()) {
                EXPECT_EQ(shown[i], c.expected[i])
                    << "prayer " << i << " on " << c.day << "/" << c.month << "/" << c.year;
            }
        }
    }
}

TEST(ComputePrayerTimes, UnreachedAltitudeReportsItsStatus) {
    ProgramState s = StateAt(kParis);
    s.SetDate(2008, 6, 21);
    s.TZ_eff = 2;
    s.ComputeTransit();
    double t = -1;
    EXPECT_EQ(s.ComputePrayerHour(Fajr, t), 1); // the Sun stays above -18 degrees
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(s.ComputePrayerHour(Maghrib, t), 0);

    // Polar night: the Sun never rises at 80 N in December.
    ProgramState polar = StateAt({80, 15, 1, 0});
    polar.SetDate(2008, 12, 21);
    polar.ComputeTransit();
    EXPECT_EQ(polar.ComputePrayerHour(Chourouk, t), -1);
}

TEST(ComputePrayerTimes, DaylightSavingShiftsEveryFoundTimeByOneHour) {
    DuskwheelConfigStruct fixed = ReferenceConvention();
    fixed.ZuhrFixe = true;
    fixed.ZuhrFixeHour = 13.5;
    ProgramState with = StateAt({48.85, 2.35, 1, 1}, fixed);
    ProgramState without = StateAt({48.85, 2.35, 1, 0}, fixed);
    for (ProgramState* s : {&with, &without}) {
        s->SetDate(2008, 5, 10);
        s->ComputePrayerTimes();
    }
    EXPECT_TRUE(with.DstApplies());
    EXPECT_EQ(with.TZ_eff, 2);
    for (int i : {Fajr, Chourouk, Zuhr, Asr, Maghrib, Isha}) {
        EXPECT_NEAR(with.RawTimes[i] - without.RawTimes[i], 1.0, 1e-9) << i;
    }
    EXPECT_EQ(with.FinalTimes[Zuhr], 13.5);
    EXPECT_EQ(without.FinalTimes[Zuhr], 13.5);
}

TEST(ComputePrayerTimes, ConventionRules) {
    DuskwheelConfigStruct c = ReferenceConvention();
    c.Isha_is_Maghrib = true;
    c.Isha_is_Maghrib_plus = 90;
    c.time2add4salat = {-3, 0, 5, 0, 0, 2};
    c.ZuhrFixe = true;
    c.ZuhrFixeHour = 13.5;
    ProgramState s = StateAt(kParis, c);
    s.SetDate(2008, 12, 21);
    s.ComputePrayerTimes();

    EXPECT_NEAR(s.FinalTimes[Isha], s.RawTimes[Maghrib] + 1.5 + 2 / 60.0, 1e-12);
    EXPECT_EQ(s.FinalTimes[Zuhr], 13.5);
    EXPECT_EQ(FormatHoursMinutes(s.RawTimes[Zuhr]), "12:49"); // still the transit
    EXPECT_NEAR(s.FinalTimes[Fajr] - s.RawTimes[Fajr], -0.05, 1e-12);

    ProgramState plain = StateAt(kParis);
    plain.SetDate(2008, 12, 21);
    plain.ComputePrayerTimes();
    EXPECT_DOUBLE_EQ(s.RawTimes[Fajr], plain.RawTimes[Fajr]);
}

TEST(ComputePrayerTimes, HanafiAsrIsLater) {
    DuskwheelConfigStruct hanafi = ReferenceConvention();
    hanafi.AsrShafi = false;
    ProgramState a = StateAt(kParis);
    ProgramState b = StateAt(kParis, hanafi);
    for (ProgramState* s : {&a, &b}) {
        s->SetDate(2008, 12, 21);
        s->ComputePrayerTimes();
    }
    EXPECT_GT(b.FinalTimes[Asr], a.FinalTimes[Asr] + 0.3);
    EXPECT_LT(b.FinalTimes[Asr], b.FinalTimes[Maghrib]);
}

TEST(ComputePrayerTimes, FarTimeZoneAddsTwentyFourOnlyOnce) {
    // Longitude -170 with time zone +13: the transit falls before local midnight.
    ProgramState s = StateAt({-14, -170, -11, 0});
    s.SetDate(2008, 12, 21);
    s.ComputePrayerTimes();
    EXPECT_GT(s.RawTimes[Zuhr], 0.0);
    EXPECT_LT(s.RawTimes[Zuhr], 24.0);
    ProgramState far = StateAt({-14, -170, 13, 0});
    far.SetDate(2008, 12, 21);
    far.ComputePrayerTimes();
    EXPECT_NEAR(far.RawTimes[Zuhr], s.RawTimes[Zuhr] + 24, 1e-6);
}

TEST(ComputePrayerTimes, WithoutATownComputesTheCurrentLocationSafely) {
    ProgramState s;
    s.FillNameTables();
    s.Verbose = 1; // the report reads the selected town's names
    s.SetDate(2008, 12, 21);
    s.ComputePrayerTimes();
    EXPECT_FALSE(s.HasTown());
    EXPECT_EQ(s.SelectedTown(), nullptr);
    const auto withConventionZero = s.FinalTimes;
    s.CurrentConvention = 42; // never read outside the table
    s.ComputePrayerTimes();
    EXPECT_EQ(s.FinalTimes, withConventionZero);
}

TEST(OnemounthCalculate, RowsEqualTheDailyComputation) {
    ProgramState s = StateAt(kParis);
    MonthTable table{};
    WeekdayList weekdays{};
    s.ComputeMonth(2008, 12, table, weekdays);
    EXPECT_EQ(s.Day, 32);
    const std::array<std::string, 6> expected{"06:45", "08:42", "12:49", "14:40", "16:56", "18:46"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(FormatHoursMinutes(table[20][i]), expected[i]);
    }
    EXPECT_EQ(weekdays[20], 6);
    for (int d = 1; d <= 31; ++d) {
        ProgramState daily = StateAt(kParis);
        daily.SetDate(2008, 12, d);
        daily.ComputePrayerTimes();
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(table[static_cast<std::size_t>(d - 1)][i], daily.FinalTimes[i]) << d;
        }
    }
}

TEST(OnemounthCalculate, MonthWithTheSpringChange) {
    ProgramState s = StateAt(kParis);
    MonthTable table{};
    WeekdayList weekdays{};
    s.ComputeMonth(2008, 3, table, weekdays);
    // Rows 0..28 in standard time, 29 and 30 one hour later than the smooth progression.
    const double step = table[28][Zuhr] - table[27][Zuhr];
    EXPECT_LT(std::abs(step), 0.01);
    EXPECT_NEAR(table[29][Zuhr] - table[28][Zuhr], 1.0 + step, 0.002);
    EXPECT_NEAR(table[30][Zuhr] - table[29][Zuhr], step, 0.002);
    EXPECT_EQ(weekdays[29], 6); // Sunday 30 March
}

TEST(OnemounthCalculate, FillsOnlyTheDaysAskedFor) {
    ProgramState s = StateAt(kParis);
    MonthTable table{};
    WeekdayList weekdays{};
    for (auto& row : table) {
        row.fill(-7);
    }
    weekdays.fill(-7);
    s.SetDate(2008, 2, 1);
    s.OnemounthCalculate(table, weekdays, DaysInMonth(2, 2008));
    EXPECT_EQ(s.Day, 30);
    EXPECT_NE(table[28][Fajr], -7);
    EXPECT_EQ(table[29][Fajr], -7);
    EXPECT_EQ(weekdays[29], -7);

    s.OnemounthCalculate(table, weekdays, 0);
    EXPECT_EQ(s.Day, 1);

    // A buffer shorter than n is never overrun.
    std::vector<MonthRow> small(3);
    std::vector<std::int32_t> smallDays(3);
    s.OnemounthCalculate(small, smallDays, 31);
    EXPECT_EQ(s.Day, 4);
}

TEST(OnemounthCalculate, KeepsTheReportQuiet) {
    struct Lines : ReportSink {
        std::vector<std::string> lines;
        void AppendLine(const std::string& l) override { lines.push_back(l); }
    } sink;
    ProgramState s = StateAt(kParis);
    s.Sink = &sink;
    s.Verbose = 1;
    MonthTable table{};
    WeekdayList weekdays{};
    s.ComputeMonth(2008, 12, table, weekdays);
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(s.Verbose, 1);
}

} // namespace
} // namespace duskwheel
