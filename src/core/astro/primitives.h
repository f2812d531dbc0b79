#pragma once
// Low-precision solar model and the text formatters through which every angle
// and clock time reaches the user. Stateless; angles in radians unless named
// otherwise, clock times in decimal hours, T in Julian centuries since J2000.0.

#include <string>

namespace duskwheel {

inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;
inline constexpr double kPi = 3.141592653589793;

// The dates the calendar arithmetic of JulianDay holds for (its fixed
// Gregorian correction is that of 1900-2099); pickers and commands keep to them.
struct CivilDate {
    int year, month, day;
};
inline constexpr CivilDate kFirstModelDate{1900, 3, 1};
inline constexpr CivilDate kLastModelDate{2100, 2, 28};

double JulianDay(int day, int month, int year, double hourUT);
double JulianCentury(int day, int month, int year, double hourUT);

// Mean anomaly and mean longitude, degrees in [0, 360).
void SunMeanElements(double T, double& meanAnomaly, double& meanLongitude);
// True ecliptic longitude, radians in [0, 2pi); no nutation or aberration.
double SunTrueLongitude(double T);
// Right ascension in (-pi, pi] and declination.
void SunEquatorial(double T, double eclipticLongitude, double& rightAscension, double& declination);
// Greenwich mean sidereal time, radians in [0, 2pi).
double SiderealTime(double T);
// Azimuth in [0, 2pi) measured from the south, growing towards the west.
void HorizontalCoordinates(double latitude, double hourAngle, double declination, double& altitude,
                           double& azimuth);

double RadiansToHours(double angle);
double HoursToRadians(double hours);

// Daylight saving rule: 1 Sunday (last Sunday of March to the day before the
// last Sunday of October), 2 Friday (April to September). Whole days only.
bool IsDstActive(int year, int month, int day, int rule, int timeZone);
// 0 = Monday ... 6 = Sunday. Pass T + (tz + 12) / 24 / 36525 of the date at 12:00 UT.
int DayOfWeek(double T);
// The T shift that makes DayOfWeek name the civil date of a zone.
double WeekdayShift(int timeZone);
// No century rule: valid together with JulianDay for 1900-03-01 .. 2100-02-28.
int DaysInMonth(int month, int year);

std::string FormatDegrees(double angle);
std::string FormatHourAngle(double angle);
std::string FormatHoursDms(double hours);
std::string FormatHoursMinutes(double hours);

// The general real-to-text form of reports: shortest text of up to 15
// significant digits, with the decimal separator of the current C locale.
std::string FormatReal(double x);

inline constexpr const char* kRoundingOverflowText = "erreur : arrondi au jour suivant";

} // namespace duskwheel
