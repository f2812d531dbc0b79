#pragma once
// The one program-state object: conventions, towns, the current location, the
// computation date, the working values of the solar model, the day's results
// and the name tables. The windows and the command line are views on it.

#include "state/host.h"
#include "state/records.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace duskwheel {

using MonthRow = std::array<double, kPrayerCount>;
inline constexpr int kMaxMonthDays = 31;
using MonthTable = std::array<MonthRow, kMaxMonthDays>;
using WeekdayList = std::array<std::int32_t, kMaxMonthDays>;

// How the last ReadConfigFile ended. Only Ok means the state holds a complete,
// applied configuration.
enum class ReadStatus {
    Ok,
    OpenFailed,          // data.cfg could not be opened; nothing changed
    EchoOpenFailed,      // read_echo.cfg could not be opened; nothing changed
    ReadError,           // a malformed line; what came before it stays
    CountMismatch,       // the town lines do not match NumberOfTowns
    SelectionOutOfRange, // TownSelected is not a town of the list
};

class ProgramState {
  public:
    ProgramState() = default;

    // --- conventions and towns
    std::array<DuskwheelConfigStruct, kConventionCount> Conventions{};
    TownDataArray TownList;
    std::int32_t NumberOfTowns = 0;
    std::int32_t TownSelected = 0;

    // --- current location, copied from the selected town by ApplyTown
    double CurrentLongitude = 0; // radians, east positive
    double CurrentLatitude = 0;  // radians, north positive
    std::int32_t CurrentTimeZone = 0;
    std::int32_t CurrentDST = 0;
    std::int32_t CurrentConvention = 0;

    std::int32_t Verbose = 0; // used as a flag: the report is written only when not 0

    // --- computation date
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t Day = 0;

    // --- working values of the last solar evaluation
    std::int32_t TZ_eff = 0;
    double T = 0;      // Julian centuries
    double L = 0;      // true ecliptic longitude
    double RA = 0;     // right ascension
    double Delta = 0;  // declination
    double Theta0 = 0; // Greenwich mean sidereal time, set by ComputeTransit only
    double h0 = 0;     // target altitude of the prayer last computed
    double Tau = 0;    // hour angle last found

    // --- the day's results, decimal local hours indexed by Prayer
    std::array<double, kPrayerCount> RawTimes{};
    std::array<double, kPrayerCount> FinalTimes{};

    // The day the live refresh last recomputed for (days since 30 December 1899).
    double LastRefreshDate = 0;

    // Months (0..11), then days (12..18, Monday first), then Hijri months (19..30).
    std::array<std::string, 31> Names{};

    // Folder of data.cfg, read_echo.cfg, Duskwheel.ini and the written pages.
    std::string FilesDir;

    ReportSink* Sink = nullptr;
    Host* HostUi = nullptr;

    // --- name tables
    void FillNameTables();
    const std::string& MonthName(int month0) const; // 0 = January
    const std::string& DayName(int weekday) const;  // 0 = Monday
    const std::string& HijriMonthName(int month0) const;

    // --- towns
    // Makes town i the town in use. An index outside the list changes nothing
    // and returns false.
    bool ApplyTown(int i);
    // Whether the current location is that of the town at TownSelected: a
    // town was applied and no reading of data.cfg has changed the towns or
    // conventions since without applying one again. Without it the
    // computations still run on the current location, but nothing may present
    // the results as that town's times.
    bool HasTown() const;

    // TownSelected and the current location, to be put back after a command
    // that computes for another town.
    struct Selection {
        std::int32_t townSelected = 0;
        double longitude = 0;
        double latitude = 0;
        std::int32_t timeZone = 0;
        std::int32_t dst = 0;
        std::int32_t convention = 0;
        bool applied = false;
    };
    Selection SaveSelection() const;
    // Field by field: applying the old index again would pick up edits of that
    // town's record that the user has not applied.
    void RestoreSelection(const Selection& saved);
    const TownData* SelectedTown() const;
    // The convention the computations use; convention 0 should CurrentConvention
    // ever fall outside the table.
    const DuskwheelConfigStruct& CurrentConventionRecord() const;

    // --- computations
    void SetDate(int year, int month, int day);
    // Weekday of the computation date (0 = Monday), from the T and TZ_eff the
    // last computation left, as every caption and report reads it.
    int ComputationWeekday() const;
    // The computation date as "d/m/yyyy", no padding.
    std::string ComputationDateText() const;
    bool DstApplies() const; // for the computation date and the current location
    void ComputePrayerTimes();
    void ComputeTransit();
    // 0 found, +1 the Sun stays above the target altitude all day, -1 below it.
    int ComputePrayerHour(int prayer, double& time);
    // Final times of days 1..n of the computation month; the day is left at n + 1.
    void OnemounthCalculate(std::span<MonthRow> table, std::span<std::int32_t> weekdays, int n);
    // OnemounthCalculate for a month with the report switched off for the call.
    void ComputeMonth(int year, int month, MonthTable& table, WeekdayList& weekdays);

    // --- data.cfg
    ReadStatus ReadConfigFile();
    bool WriteConfigFile();
    std::string DataCfgPath() const;
    std::string EchoPath() const;
    std::string FilePath(const std::string& fileName) const;

    // Appends a report line; callers build text only while Verbose is on.
    void Report(const std::string& line);
    void ShowError(const std::string& text, const std::string& title = "Error");

  private:
    int EffectiveTimeZone(int day) const;
    bool townApplied_ = false;
    void ComputeRawAndFinal(bool report);
};

} // namespace duskwheel
