#include "astro/primitives.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

namespace duskwheel {
namespace {

// Correctly rounded, as a clock time typed in would be.
double Hms(int h, int m, double s) {
    return (h * 3600 + m * 60 + s) / 3600.0;
}

TEST(JulianDay, J2000IsTheEpoch) {
    EXPECT_DOUBLE_EQ(JulianDay(1, 1, 2000, 12.0), 2451545.0);
    EXPECT_DOUBLE_EQ(JulianCentury(1, 1, 2000, 12.0), 0.0);
}

TEST(JulianDay, HoursRollOverIntoTheNextDay) {
    // Callers shift an instant across midnight by moving 24 h between day and hour.
    EXPECT_NEAR(JulianCentury(0, 3, 2008, 30.0), JulianCentury(1, 3, 2008, 6.0), 1e-15);
    EXPECT_NEAR(JulianCentury(1, 1, 2009, -2.5), JulianCentury(31, 12, 2008, 21.5), 1e-15);
}

TEST(DayOfWeek, CountsFromMondayOnBothSidesOfTheEpoch) {
    struct Case {
        int day, month, year, expected;
    };
    const Case cases[] = {
        {1, 1, 2000, 5},   // Saturday
        {26, 12, 1999, 6}, // Sunday, before the counting Monday
        {27, 12, 1999, 0}, // the counting Monday itself
        {21, 12, 2008, 6}, // Sunday
        {1, 3, 1900, 3},   // Thursday, first day of the model's range
        {5, 12, 2098, 4},  // Friday
    };
    for (const Case& c : cases) {
        const double T = JulianCentury(c.day, c.month, c.year, 12.0) + WeekdayShift(0);
        EXPECT_EQ(DayOfWeek(T), c.expected) << c.day << "/" << c.month << "/" << c.year;
    }
}

TEST(DayOfWeek, FarEasternZonesNameTheFollowingDate) {
    // +12 and +13 hours: the shifted count crosses into the next day.
    const double T = JulianCentury(21, 12, 2008, 12.0);
    EXPECT_EQ(DayOfWeek(T + WeekdayShift(11)), 6);
    EXPECT_EQ(DayOfWeek(T + WeekdayShift(13)), 0);
    EXPECT_EQ(DayOfWeek(T + WeekdayShift(-11)), 6);
}

TEST(DaysInMonth, HasNoCenturyRule) {
    EXPECT_EQ(DaysInMonth(2, 1900), 29);
    EXPECT_EQ(DaysInMonth(2, 2008), 29);
    EXPECT_EQ(DaysInMonth(2, 2001), 28);
    EXPECT_EQ(DaysInMonth(4, 2001), 30);
    EXPECT_EQ(DaysInMonth(12, 2001), 31);
    EXPECT_EQ(DaysInMonth(13, 2001), 30);
}

TEST(IsDstActive, WholeDaysBetweenTheLastWeekdays) {
    struct Case {
        int year, month, day, rule;
        bool expected;
    };
    const Case cases[] = {
        // Sunday rule 2008: last Sunday of March is the 30th, of October the 26th.
        {2008, 3, 29, 1, false},
        {2008, 3, 30, 1, true},
        {2008, 7, 1, 1, true},
        {2008, 10, 25, 1, true},
        {2008, 10, 26, 1, false},
        {2008, 12, 21, 1, false},
        {2008, 1, 10, 1, false},
        // Friday rule, 2009: 1 May is a Friday, the start is still the last Friday of April.
        {2009, 4, 23, 2, false},
        {2009, 4, 24, 2, true},
        {2009, 5, 1, 2, true},
        {2009, 9, 24, 2, true},
        {2009, 9, 25, 2, false}, // last Friday of September 2009
        {2009, 10, 1, 2, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDstActive(c.year, c.month, c.day, c.rule, 1), c.expected)
            << c.day << "/" << c.month << "/" << c.year << " rule " << c.rule;
    }
}

TEST(FormatHoursMinutes, RoundsFromThirtySecondsUp) {
    struct Case {
        double hours;
        const char* text;
    };
    const Case cases[] = {
        {Hms(12, 29, 29), "12:29"},
        {Hms(12, 29, 30), "12:30"},
        {Hms(12, 59, 45), "13:00"},
        {Hms(23, 59, 29), "23:59"},
        {Hms(23, 59, 30), "erreur : arrondi au jour suivant"},
        {Hms(23, 59, 59), "erreur : arrondi au jour suivant"},
        {24.5, "24:30"},
        {25.12, "25:07"},
        {0.0, "00:00"},
        {6.75, "06:45"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatHoursMinutes(c.hours), c.text) << c.hours;
    }
}

TEST(FormatHoursDms, HasNoCarryIntoMinutes) {
    EXPECT_EQ(FormatHoursDms(1.99999), "01h59'60\"");
    EXPECT_EQ(FormatHoursDms(Hms(12, 49, 7.2)), "12h49'07\"");
    EXPECT_EQ(FormatHoursDms(0.0), "00h00'00\"");
    EXPECT_EQ(FormatHourAngle(kPi / 2), "06h00'00\"");
}

TEST(FormatDegrees, CarriesSecondsAndKeepsTheSignOfEachField) {
    EXPECT_EQ(FormatDegrees((59 + 59 / 60.0 + 59.95 / 3600) * kDegToRad), " 60\xB0"
                                                                          "00'00\"");
    EXPECT_EQ(FormatDegrees(48.8566 * kDegToRad), " 48\xB0"
                                                  "51'24\"");
    EXPECT_EQ(FormatDegrees(-(2 + 30 / 60.0 + 15 / 3600.0) * kDegToRad), " -2\xB0-30'-15\"");
    EXPECT_EQ(FormatDegrees(-73.98 * kDegToRad), "-73\xB0-58'-48\"");
    EXPECT_EQ(FormatDegrees(151.21 * kDegToRad), "151\xB0"
                                                 "12'36\"");
    // Negative angles carry like positive ones: -33.9 degrees is -33 54' 00".
    EXPECT_EQ(FormatDegrees(-33.9 * kDegToRad), "-33\xB0-54'00\"");
    EXPECT_EQ(FormatDegrees(-(59 + 59 / 60.0 + 59.95 / 3600) * kDegToRad), "-60\xB0"
                                                                           "00'00\"");
}

TEST(HorizontalCoordinates, AzimuthFromTheSouthTowardsTheWest) {
    double alt = 0;
    double az = 0;
    HorizontalCoordinates(48.85 * kDegToRad, 0.0, -23.4 * kDegToRad, alt, az);
    EXPECT_EQ(az, 0.0);
    EXPECT_FALSE(std::signbit(az));
    EXPECT_NEAR(alt * kRadToDeg, 90 - 48.85 - 23.4, 1e-9);
    HorizontalCoordinates(48.85 * kDegToRad, kPi / 2, 0.0, alt, az);
    EXPECT_NEAR(az, kPi / 2, 1e-12);
    EXPECT_NEAR(alt, 0.0, 1e-12);
}

TEST(SolarModel, ReducesIntoTheirRanges) {
    for (double T = -1.0; T <= 1.0; T += 0.0137) {
        double m = 0;
        double l0 = 0;
        SunMeanElements(T, m, l0);
        EXPECT_GE(m, 0.0);
        EXPECT_LT(m, 360.0);
        EXPECT_GE(l0, 0.0);
        EXPECT_LT(l0, 360.0);
        const double L = SunTrueLongitude(T);
        EXPECT_GE(L, 0.0);
        EXPECT_LT(L, 2 * kPi);
        double ra = 0;
        double dec = 0;
        SunEquatorial(T, L, ra, dec);
        EXPECT_GT(ra, -kPi - 1e-12);
        EXPECT_LE(ra, kPi + 1e-12);
        EXPECT_LE(std::fabs(dec), 23.5 * kDegToRad);
        const double theta = SiderealTime(T);
        EXPECT_GE(theta, 0.0);
        EXPECT_LT(theta, 2 * kPi);
    }
}

TEST(SolarModel, MatchesTheSunAtTheEquinoxAndSolstice) {
    // Spring equinox 2008: 20 March 05:48 UT; the longitude crosses 0 there.
    const double before = SunTrueLongitude(JulianCentury(20, 3, 2008, 5.0));
    const double after = SunTrueLongitude(JulianCentury(20, 3, 2008, 7.0));
    EXPECT_GT(before, 359.9 * kDegToRad);
    EXPECT_LT(after, 0.1 * kDegToRad);
    // Winter solstice 2008: declination -23.44 degrees.
    const double T = JulianCentury(21, 12, 2008, 12.0);
    double ra = 0;
    double dec = 0;
    SunEquatorial(T, SunTrueLongitude(T), ra, dec);
    EXPECT_NEAR(dec * kRadToDeg, -23.44, 0.01);
}

TEST(FormatReal, ShortestTextOfFifteenDigits) {
    std::setlocale(LC_NUMERIC, "C");
    struct Case {
        double x;
        const char* text;
    };
    const Case cases[] = {
        {0.833, "0.833"},
        {18, "18"},
        {-2, "-2"},
        {0, "0"},
        {0.1 + 0.2, "0.3"},
        {12.5, "12.5"},
        {-0.0801, "-0.0801"},
        {1e-5, "0.00001"},
        {1.5e-6, "1.5E-6"},
        {1e15, "1E15"},
        {123456789012345.0, "123456789012345"},
        {1.0 / 3, "0.333333333333333"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatReal(c.x), c.text) << c.x;
    }
}

} // namespace
} // namespace duskwheel
