#include "astro/primitives.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <fstream>
#include <iterator>
#include <sstream>

namespace duskwheel {
namespace {

using test::RecordingSink;

struct Reporter {
    RecordingSink sink;
    ProgramState state;
    explicit Reporter(const DuskwheelConfigStruct& convention = test::ReferenceConvention(),
                      TownData town = test::ReferenceParis()) {
        std::setlocale(LC_NUMERIC, "C");
        state.FillNameTables();
        state.Sink = &sink;
        state.Conventions[0] = convention;
        town.Convention = 0;
        state.TownList.push_back(town);
        state.NumberOfTowns = 1;
        state.ApplyTown(0);
        state.Verbose = 1;
    }
    const std::vector<std::string>& Day(int year, int month, int day) {
        state.SetDate(year, month, day);
        state.ComputePrayerTimes();
        return sink.lines;
    }
    std::size_t Find(const std::string& line) const {
        return static_cast<std::size_t>(std::find(sink.lines.begin(), sink.lines.end(), line) -
                                        sink.lines.begin());
    }
    bool Has(const std::string& line) const { return Find(line) < sink.lines.size(); }
};

std::vector<std::string> GoldenLines(const std::string& name) {
    std::ifstream in(std::string(DUSKWHEEL_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(VerboseReport, ReferenceDayLineForLine) {
    Reporter r;
    const auto& lines = r.Day(2008, 12, 21);
    const auto golden = GoldenLines("verbose_paris_2008-12-21.txt");
    ASSERT_EQ(golden.size(), 105u);
    ASSERT_EQ(lines.size(), golden.size());
    for (std::size_t i = 0; i < golden.size(); ++i) {
        EXPECT_EQ(lines[i], golden[i]) << "line " << i + 1;
    }
}

TEST(VerboseReport, UnreachedFajrEndsItsBlockOnTheError) {
    Reporter r;
    const auto& lines = r.Day(2008, 6, 21);
    const std::size_t fajr = r.Find("Fajr (Twilight)=0h ie : 00h00'00\"");
    ASSERT_LT(fajr, lines.size());
    EXPECT_EQ(lines[fajr - 1],
              "ERROR : then the Sun is always above our altitude limit. If we were computing "
              "rise/set times, the Sun is then aboute the horizon continuously; we have Midnight "
              "Sun.");
    EXPECT_TRUE(lines[fajr - 2].starts_with(" costau=-1."));
    EXPECT_TRUE(lines[fajr - 3].starts_with(" T="));
    EXPECT_TRUE(lines[fajr - 4].starts_with(" 1st iter "));
    EXPECT_EQ(lines[fajr - 5], ""); // after the Maghrib result
    EXPECT_TRUE(r.Has("DST Applies"));
    EXPECT_TRUE(r.Has("Fajr    =00:00"));
    EXPECT_TRUE(r.Has("Isha    =25:07"));
    // 12 header lines, 4 full blocks, Asr's 14, the short Fajr block, results and summaries.
    EXPECT_EQ(lines.size(), 12u + 4 * 13 + 14 - (13 - 4) + 10 + 7 + 10);
}

TEST(VerboseReport, PolarNightWritesTheAlwaysBelowLine) {
    TownData north{"Norway", "Longyearbyen", 15.6, 78.2, 1, 0, 0};
    Reporter r(test::ReferenceConvention(), north);
    r.Day(2008, 12, 21);
    EXPECT_TRUE(r.Has("ERROR : then the Sun is always below our altitude limit. One example is "
                      "midwinter in the arctics, when the Sun never gets above the horizon.."));
}

TEST(VerboseReport, ConventionVariants) {
    DuskwheelConfigStruct c = test::ReferenceConvention();
    c.AsrShafi = false;
    c.ZuhrFixe = true;
    c.ZuhrFixeHour = 13.5;
    c.Isha_is_Maghrib = true;
    c.Isha_is_Maghrib_plus = 90;
    c.time2add4salat = {-2, 0, 5, 0, 0, 2};
    Reporter r(c);
    const auto& lines = r.Day(2008, 12, 21);
    const std::string raw = FormatHoursDms(r.state.RawTimes[Fajr]);
    const std::string final = FormatHoursDms(r.state.FinalTimes[Fajr]);
    EXPECT_TRUE(r.Has("Fajr    =" + raw + " -2mn  " + final));
    EXPECT_TRUE(r.Has("Zuhr Fixed =13h30'00\""));
    EXPECT_TRUE(r.Has("Zuhr    =13:30"));
    EXPECT_TRUE(r.Has("Isha    =" + FormatHoursDms(r.state.RawTimes[Isha]) + " +2mn  " +
                      FormatHoursDms(r.state.FinalTimes[Isha])));
    const std::size_t isha = r.Find("Isha (Maghrib_plus)=" + FormatReal(r.state.RawTimes[Isha]) +
                                    "h ie : " + FormatHoursDms(r.state.RawTimes[Isha]));
    ASSERT_LT(isha, lines.size());
    // No Isha iterations: the Isha line follows the Fajr result and its blank.
    EXPECT_TRUE(lines[isha - 2].starts_with("Fajr (Twilight)="));
    EXPECT_EQ(lines[isha + 1], "");
    EXPECT_TRUE(lines[isha + 2].starts_with(" 1st iter ")); // Asr
    EXPECT_TRUE(r.Has("Asr (Hanafi)=" + FormatReal(r.state.RawTimes[Asr]) +
                      "h ie : " + FormatHoursDms(r.state.RawTimes[Asr])));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.starts_with(" 1st iter "); }),
              4);
}

TEST(VerboseReport, OffDoesNotChangeTheResults) {
    Reporter on;
    on.Day(2008, 6, 21);
    Reporter off;
    off.state.Verbose = 0;
    off.Day(2008, 6, 21);
    EXPECT_TRUE(off.sink.lines.empty());
    EXPECT_EQ(on.state.FinalTimes, off.state.FinalTimes);
    EXPECT_EQ(on.state.RawTimes, off.state.RawTimes);
    EXPECT_EQ(on.state.T, off.state.T);
}

TEST(VerboseReport, NumbersUseTheLocaleDecimalSeparator) {
    if (std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    EXPECT_EQ(FormatReal(0.833), "0,833");
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(FormatReal(0.833), "0.833");
}

} // namespace
} // namespace duskwheel
