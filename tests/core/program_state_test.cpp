#include "astro/primitives.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace duskwheel {
namespace {

ProgramState TwoTowns() {
    ProgramState s;
    s.TownList = {TownData{"USA", "New_York", -73.98, 40.75, -5, 8, 1},
                  TownData{"South_Africa", "Cape_Town", 18.42, -33.9, 2, 3, 0}};
    s.NumberOfTowns = 2;
    return s;
}

TEST(ApplyTown, CopiesTheTownIntoTheCurrentLocation) {
    ProgramState s = TwoTowns();
    ASSERT_TRUE(s.ApplyTown(0));
    EXPECT_LT(s.CurrentLongitude, 0);
    EXPECT_DOUBLE_EQ(s.CurrentLongitude, -73.98 * kDegToRad);
    EXPECT_EQ(s.CurrentTimeZone, -5);
    EXPECT_EQ(s.CurrentDST, 1);
    EXPECT_EQ(s.CurrentConvention, 8);
    s.Conventions[8].FajrTwilightAngle = 15;
    EXPECT_EQ(s.CurrentConventionRecord().FajrTwilightAngle, 15);

    ASSERT_TRUE(s.ApplyTown(1));
    EXPECT_EQ(s.TownSelected, 1);
    EXPECT_LT(s.CurrentLatitude, 0);
    EXPECT_EQ(TownLabel(*s.SelectedTown()), "South_Africa : Cape_Town");
}

TEST(ApplyTown, EditingATownInPlaceWaitsForTheNextApply) {
    ProgramState s = TwoTowns();
    s.ApplyTown(1);
    s.TownList[1].latitude = 10;
    s.TownList[1].TimeZone = 5;
    EXPECT_DOUBLE_EQ(s.CurrentLatitude, -33.9 * kDegToRad);
    EXPECT_EQ(s.CurrentTimeZone, 2);
}

TEST(ApplyTown, AnIndexOutsideTheListChangesNothing) {
    ProgramState s = TwoTowns();
    s.ApplyTown(1);
    for (int bad : {-1, 2, 100}) {
        EXPECT_FALSE(s.ApplyTown(bad)) << bad;
        EXPECT_EQ(s.TownSelected, 1);
        EXPECT_EQ(s.CurrentTimeZone, 2);
    }
    s.TownList.clear();
    EXPECT_FALSE(s.HasTown());
    EXPECT_EQ(s.SelectedTown(), nullptr);
}

TEST(NameTables, FrenchAndHijriNamesInLatin1) {
    ProgramState s;
    EXPECT_EQ(s.DayName(4), ""); // empty until filled
    s.FillNameTables();
    EXPECT_EQ(s.MonthName(1), "F\xE9vrier");
    EXPECT_EQ(s.MonthName(7), "Ao\xFBt");
    EXPECT_EQ(s.MonthName(11), "D\xE9"
                               "cembre");
    EXPECT_EQ(s.DayName(0), "Lundi");
    EXPECT_EQ(s.DayName(4), "Vendredi");
    EXPECT_EQ(s.DayName(6), "Dimanche");
    EXPECT_EQ(s.HijriMonthName(2), "Raby` al-awal");
    EXPECT_EQ(s.HijriMonthName(8), "RamaDHaan");
    EXPECT_EQ(s.HijriMonthName(11), "Thw al-Hijjah");
    EXPECT_EQ(s.Names[12 + 6], "Dimanche");
    EXPECT_EQ(s.Names[19 + 8], "RamaDHaan");
    EXPECT_EQ(s.DayName(7), "");
    EXPECT_EQ(s.MonthName(-1), "");
}

} // namespace
} // namespace duskwheel
