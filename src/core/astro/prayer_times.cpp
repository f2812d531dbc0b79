// The daily prayer-time computation, its verbose trace and the month batch.
// The arithmetic and its order are part of the result: the displayed minutes
// depend on them, so keep every expression as it stands.

#include "astro/primitives.h"
#include "state/program_state.h"

#include <algorithm>
#include <cmath>

namespace duskwheel {

namespace {

constexpr double kInvSixty = 0.016666666666666666; // 1/60

const char* const kAlwaysBelow =
    "ERROR : then the Sun is always below our altitude limit. One example is midwinter in the "
    "arctics, when the Sun never gets above the horizon..";
const char* const kAlwaysAbove =
    "ERROR : then the Sun is always above our altitude limit. If we were computing rise/set "
    "times, the Sun is then aboute the horizon continuously; we have Midnight Sun.";

std::string N(double x) {
    return FormatReal(x);
}
std::string I(long long n) {
    return std::to_string(n);
}

std::string HourLine(const char* label, double t) {
    return std::string(label) + N(t) + "h ie : " + FormatHoursDms(t);
}

} // namespace

int ProgramState::EffectiveTimeZone(int day) const {
    if (CurrentDST != 0 && IsDstActive(Year, Month, day, CurrentDST, CurrentTimeZone)) {
        return CurrentTimeZone + 1;
    }
    return CurrentTimeZone;
}

bool ProgramState::DstApplies() const {
    return EffectiveTimeZone(Day) != CurrentTimeZone;
}

void ProgramState::ComputeTransit() {
    const bool verbose = Verbose != 0;
    const double lambda = CurrentLongitude;

    T = JulianCentury(Day, Month, Year, 12.0);
    if (verbose) {
        Report("T=" + N(T) + " JC \xE0 12h GMT");
    }
    L = SunTrueLongitude(T);
    SunEquatorial(T, L, RA, Delta);
    Theta0 = SiderealTime(T);

    // Theta0 - 12 h stands for the sidereal time at 0 h UT.
    double e = RadiansToHours(RA - (Theta0 - HoursToRadians(12)) - lambda);
    if (e < 0) {
        e = e + 24;
    }
    // The second evaluation is at the transit of the computation date itself.
    T = JulianCentury(Day, Month, Year, e);
    if (verbose) {
        Report("T=" + N(T) + " JC \xE0 " + FormatHoursDms(e));
    }
    L = SunTrueLongitude(T);
    SunEquatorial(T, L, RA, Delta);
    Theta0 = SiderealTime(T);

    const double m = RadiansToHours(RA - (Theta0 - HoursToRadians(e)) - lambda);
    double zuhr = m + TZ_eff;
    if (zuhr < 0) {
        zuhr += 24;
    }
    RawTimes[Zuhr] = zuhr;
}

int ProgramState::ComputePrayerHour(int prayer, double& time) {
    const bool verbose = Verbose != 0;
    const DuskwheelConfigStruct& c = CurrentConventionRecord();
    const double phi = CurrentLatitude;
    const double zuhr = RawTimes[Zuhr];

    time = 0;
    double r = 1;
    switch (prayer) {
    case Fajr:
        h0 = -c.FajrTwilightAngle * kDegToRad;
        r = -1;
        break;
    case Chourouk:
        h0 = -c.Sunrise_setAngle * kDegToRad;
        r = -1;
        break;
    case Maghrib:
        h0 = -c.Sunrise_setAngle * kDegToRad;
        break;
    case Isha:
        h0 = -c.IshaTwilightAngle * kDegToRad;
        break;
    default: // Asr: the altitude follows the declination of each iteration
        break;
    }
    const double shadow = c.AsrShafi ? 1 : 2;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);

    double ut = zuhr - TZ_eff;
    if (verbose) {
        Report(" 1st iter " + FormatHoursDms(ut));
    }
    for (int iter = 1; iter <= 3; ++iter) {
        if (iter > 1) {
            ut = time - TZ_eff;
        }
        T = JulianCentury(Day, Month, Year, ut);
        if (verbose) {
            if (iter == 2) {
                Report("** corrected values ** :");
                Report(" 2nd iter \xE0 " + FormatHoursDms(ut));
            } else if (iter == 3) {
                Report("3rd iter \xE0 " + FormatHoursDms(ut));
            }
            Report(" T=" + N(T) + " JC \xE0 " + FormatHoursDms(ut));
        }
        L = SunTrueLongitude(T);
        SunEquatorial(T, L, RA, Delta);
        if (prayer == Asr) {
            h0 = std::atan(1 / (std::tan(std::fabs(phi - Delta)) + shadow));
            if (verbose && iter == 3) {
                Report("h=" + N(h0 * kRadToDeg) + "\xB0  ie altitude " + FormatDegrees(h0));
            }
        }
        const double cosTau = (std::sin(h0) - std::sin(Delta) * sinPhi) / cosPhi / std::cos(Delta);
        if (verbose) {
            Report(" costau=" + N(cosTau));
        }
        if (cosTau > 1) {
            if (verbose) {
                Report(kAlwaysBelow);
            }
            return -1;
        }
        if (cosTau < -1) {
            if (verbose) {
                Report(kAlwaysAbove);
            }
            return 1;
        }
        Tau = std::acos(cosTau);
        if (iter == 1) {
            Tau = Tau / 1.002738;
        }
        time = r * RadiansToHours(Tau) + zuhr;
        if (verbose) {
            Report(HourLine(" SalatHour=", time));
        }
    }
    return 0;
}

// The prayers after the transit, in the order whose working values the
// weekday names read afterwards; then the convention's offsets and rules.
void ProgramState::ComputeRawAndFinal(bool report) {
    const DuskwheelConfigStruct& c = CurrentConventionRecord();
    report = report && Verbose != 0;

    ComputePrayerHour(Chourouk, RawTimes[Chourouk]);
    if (report) {
        Report(HourLine("Chourouk (Sunrise) at ", RawTimes[Chourouk]));
        Report("");
    }
    ComputePrayerHour(Maghrib, RawTimes[Maghrib]);
    if (report) {
        Report(HourLine("Maghrib (Sunset) at ", RawTimes[Maghrib]));
        Report("");
    }
    ComputePrayerHour(Fajr, RawTimes[Fajr]);
    if (report) {
        Report(HourLine("Fajr (Twilight)=", RawTimes[Fajr]));
        Report("");
    }
    if (c.Isha_is_Maghrib) {
        RawTimes[Isha] = RawTimes[Maghrib] + c.Isha_is_Maghrib_plus / 60.0;
        if (report) {
            Report(HourLine("Isha (Maghrib_plus)=", RawTimes[Isha]));
        }
    } else {
        ComputePrayerHour(Isha, RawTimes[Isha]);
        if (report) {
            Report(HourLine("Isha (Twilight)=", RawTimes[Isha]));
        }
    }
    if (report) {
        Report("");
    }
    ComputePrayerHour(Asr, RawTimes[Asr]);
    if (report) {
        Report(std::string("Asr (") + (c.AsrShafi ? "Shafi" : "Hanafi") + ")=" + N(RawTimes[Asr]) +
               "h ie : " + FormatHoursDms(RawTimes[Asr]));
        Report("");
    }

    for (int i : {Fajr, Chourouk, Asr, Maghrib, Isha}) {
        FinalTimes[i] = RawTimes[i] + c.time2add4salat[i] * kInvSixty;
    }
    if (c.ZuhrFixe) {
        FinalTimes[Zuhr] = c.ZuhrFixeHour;
    } else {
        FinalTimes[Zuhr] = RawTimes[Zuhr] + c.time2add4salat[Zuhr] * kInvSixty;
    }
}

void ProgramState::ComputePrayerTimes() {
    const bool verbose = Verbose != 0;
    TZ_eff = EffectiveTimeZone(Day);
    const bool dst = TZ_eff != CurrentTimeZone;
    const DuskwheelConfigStruct& c = CurrentConventionRecord();

    std::string country;
    std::string name;
    if (verbose) {
        if (const TownData* town = SelectedTown()) {
            country = town->Country;
            name = town->Name;
        }
        const std::string place = "latitude=" + FormatDegrees(CurrentLatitude) +
                                  "   longitude=" + FormatDegrees(CurrentLongitude);
        Report(std::string(61, '_'));
        Report("Lieu : " + country + ", " + name);
        Report(place);
        Report(dst ? "DST Applies" : "DST does not apply");
        Report("Convention " + I(CurrentConvention));
        Report("____ Mawakit Salat _____");
        Report(" at Date=" + ComputationDateText() + "   TZ=" + I(TZ_eff));
    }

    ComputeTransit();
    if (verbose) {
        Report(HourLine("Passage au m\xE9ridien (Zuhr)=", RawTimes[Zuhr]));
        Report("");
        Report("Sunrise / Sunset at -" + N(c.Sunrise_setAngle));
    }

    ComputeRawAndFinal(true);

    if (!verbose) {
        return;
    }
    static const char* const kLabels[kPrayerCount] = {
        "Fajr    =", "Chourouk=", "Zuhr    =", "Asr     =", "Maghrib =", "Isha    ="};
    Report("_______ Mawakit Salat Exactes _______");
    for (int i = 0; i < kPrayerCount; ++i) {
        if (i == Zuhr && c.ZuhrFixe) {
            Report("Zuhr Fixed =" + FormatHoursDms(FinalTimes[Zuhr]));
            continue;
        }
        const double offset = c.time2add4salat[static_cast<std::size_t>(i)];
        Report(kLabels[i] + FormatHoursDms(RawTimes[static_cast<std::size_t>(i)]) +
               (offset >= 0 ? " +" : " ") + N(offset) + "mn  " +
               FormatHoursDms(FinalTimes[static_cast<std::size_t>(i)]));
    }
    Report("_______ Mawakit Salat arrondi _______");
    Report("__ Lieu : " + country + ", " + name + " latitude=" + FormatDegrees(CurrentLatitude) +
           "   longitude=" + FormatDegrees(CurrentLongitude) + " Convention " +
           I(CurrentConvention));
    Report("__ Date : " + DayName(ComputationWeekday()) + " " + ComputationDateText() + "   " +
           (dst ? "*DST Applies*" : "*DST does not apply*") + "  TZ (include DST)=" + I(TZ_eff));
    for (int i = 0; i < kPrayerCount; ++i) {
        Report(kLabels[i] + FormatHoursMinutes(FinalTimes[static_cast<std::size_t>(i)]));
    }
    Report(std::string(37, '_'));
}

void ProgramState::OnemounthCalculate(std::span<MonthRow> table, std::span<std::int32_t> weekdays,
                                      int n) {
    // Never write past what the caller handed in.
    n = std::min({n, static_cast<int>(table.size()), static_cast<int>(weekdays.size())});
    Day = 1;
    while (Day <= n) {
        TZ_eff = EffectiveTimeZone(Day);
        ComputeTransit();
        weekdays[Day - 1u] = ComputationWeekday();
        ComputeRawAndFinal(false);
        table[Day - 1u] = FinalTimes;
        ++Day;
    }
}

void ProgramState::ComputeMonth(int year, int month, MonthTable& table, WeekdayList& weekdays) {
    Year = static_cast<std::uint16_t>(year);
    Month = static_cast<std::uint16_t>(month);
    const std::int32_t saved = Verbose;
    Verbose = 0;
    OnemounthCalculate(table, weekdays, DaysInMonth(month, year));
    Verbose = saved;
}

} // namespace duskwheel
