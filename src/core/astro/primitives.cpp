#include "astro/primitives.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace duskwheel {

namespace {

// 1/36525 and 1/60 as the model's constants: multiplied, never divided, so
// that every caller rounds the same way.
constexpr double kInvJulianCentury = 2.7378507871321012e-05;

double ReduceDegrees(double value) {
    double r = value - 360.0 * std::trunc(value / 360.0);
    if (r < 0) {
        r += 360.0;
    }
    return r;
}

std::string Printf(const char* format, auto... args) {
    char buffer[96];
    int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

} // namespace

double JulianDay(int day, int month, int year, double hourUT) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = static_cast<int>(std::trunc(365.25 * year));
    const int b = static_cast<int>(std::trunc(30.6001 * (month + 1)));
    return (a + b - 15) + 1720996.5 + day + hourUT / 24;
}

double JulianCentury(int day, int month, int year, double hourUT) {
    return (JulianDay(day, month, year, hourUT) - 2451545) * kInvJulianCentury;
}

void SunMeanElements(double T, double& meanAnomaly, double& meanLongitude) {
    meanAnomaly = ReduceDegrees(357.5291 + 35999.0503 * T - 0.0001559 * T * T - 4.8e-7 * T * T * T);
    meanLongitude = ReduceDegrees(280.46645 + 36000.76983 * T + 0.0003032 * T * T);
}

double SunTrueLongitude(double T) {
    const double m = 357.5291 + 35999.0503 * T - 0.0001559 * T * T - 4.8e-7 * T * T * T;
    const double l0 = 280.46645 + 36000.76983 * T + 0.0003032 * T * T;
    const double c = (1.9146 - 0.004817 * T - 0.000014 * T * T) * std::sin(m * kDegToRad) +
                     (0.019993 - 0.000101 * T) * std::sin(2 * kDegToRad * m) +
                     0.00029 * std::sin(3 * kDegToRad * m);
    return ReduceDegrees(l0 + c) * kDegToRad;
}

void SunEquatorial(double T, double eclipticLongitude, double& rightAscension,
                   double& declination) {
    const double eps = (23.4393 - 0.013 * T) * kDegToRad;
    const double sinL = std::sin(eclipticLongitude);
    const double y = std::cos(eps) * sinL;
    const double s = std::sin(eps) * sinL;
    const double c = std::sqrt(1 - s * s);
    declination = std::atan2(s, c);
    // Half-angle form: stays exact near RA = +-pi where atan(y/x) flips.
    rightAscension = 2 * std::atan2(y, std::cos(eclipticLongitude) + c);
}

double SiderealTime(double T) {
    const double theta = 280.46061837 + 360.98564736629 * T * 36525 + 0.000387933 * T * T -
                         T * T * T * 2.5833118057349522e-08;
    return ReduceDegrees(theta) * kDegToRad;
}

void HorizontalCoordinates(double latitude, double hourAngle, double declination, double& altitude,
                           double& azimuth) {
    altitude = std::asin(std::sin(latitude) * std::sin(declination) +
                         std::cos(latitude) * std::cos(declination) * std::cos(hourAngle));
    double a = std::atan2(-std::sin(hourAngle), std::cos(latitude) * std::tan(declination) -
                                                    std::sin(latitude) * std::cos(hourAngle)) -
               kPi;
    if (a < 0) {
        a += 2 * kPi;
    }
    azimuth = a == 0 ? 0.0 : a; // never hand out -0
}

double RadiansToHours(double angle) {
    return angle * 12 * (1 / kPi);
}

double HoursToRadians(double hours) {
    return hours * kPi * (1.0 / 12);
}

double WeekdayShift(int timeZone) {
    return (timeZone + 12) / 24.0 / 36525;
}

int DayOfWeek(double T) {
    const double n = 36525 * T + 5;
    const long long day = static_cast<long long>(std::floor(n));
    return static_cast<int>(((day % 7) + 7) % 7);
}

int DaysInMonth(int month, int year) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 2:
        return year % 4 == 0 ? 29 : 28;
    default:
        return 30;
    }
}

bool IsDstActive(int year, int month, int day, int rule, int timeZone) {
    int startMonth = 3;
    int endMonth = 10;
    int weekday = 6;
    if (rule == 2) {
        startMonth = 4;
        endMonth = 9;
        weekday = 4;
    }
    auto lastWeekday = [&](int m) {
        const int last = DaysInMonth(m, year);
        for (int d = last; d > last - 7; --d) {
            if (DayOfWeek(JulianCentury(d, m, year, 12.0) + WeekdayShift(timeZone)) == weekday) {
                return d;
            }
        }
        return last; // unreachable: seven consecutive days hold every weekday
    };
    if (month > startMonth && month < endMonth) {
        return true;
    }
    if (month == startMonth) {
        return day >= lastWeekday(startMonth);
    }
    if (month == endMonth) {
        return day < lastWeekday(endMonth);
    }
    return false;
}

std::string FormatDegrees(double angle) {
    const double deg = angle * kRadToDeg;
    int d = static_cast<int>(std::trunc(deg));
    const double mm = (deg - d) * 60;
    int m = static_cast<int>(std::trunc(mm));
    double s = (mm - m) * 60;
    if (s + 0.1 >= 60) {
        s = 0;
        m = m + 1;
        if (m + 0.1 >= 60) {
            m = m - 60;
            d = d + 1;
        }
    } else if (s - 0.1 <= -60) {
        // South and west carry the same way, or -33.9 would read -33 -53' -60".
        s = 0;
        m = m - 1;
        if (m - 0.1 <= -60) {
            m = m + 60;
            d = d - 1;
        }
    }
    return Printf("%3d\xB0%02d'%02.0f\"", d, m, s);
}

std::string FormatHoursDms(double hours) {
    const int h = static_cast<int>(std::trunc(hours));
    const double mm = (hours - h) * 60;
    const int m = static_cast<int>(std::trunc(mm));
    const double s = (mm - m) * 60;
    return Printf("%02dh%02d'%02.0f\"", h, m, s);
}

std::string FormatHourAngle(double angle) {
    return FormatHoursDms(RadiansToHours(angle));
}

std::string FormatHoursMinutes(double hours) {
    int h = static_cast<int>(std::trunc(hours));
    const double mm = (hours - h) * 60;
    int m = static_cast<int>(std::trunc(mm));
    const double s = (mm - m) * 60;
    if (s >= 30) {
        m = m + 1;
        if (m == 60) {
            m = 0;
            h = h + 1;
            if (h == 24) {
                return kRoundingOverflowText;
            }
        }
    }
    return Printf("%02d:%02d", h, m);
}

std::string FormatReal(double x) {
    if (x == 0 || !std::isfinite(x)) {
        if (x == 0) {
            return "0";
        }
        return std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF");
    }
    // Fifteen significant digits, correctly rounded and locale-free.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const auto ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    const bool negative = sci[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
        if (sci[i] != '.') {
            digits += sci[i];
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const lconv* lc = std::localeconv();
    const std::string sep =
        (lc && lc->decimal_point && *lc->decimal_point) ? lc->decimal_point : ".";

    std::string out = negative ? "-" : "";
    if (exponent < 15 && std::fabs(x) >= 0.00001) {
        if (exponent < 0) {
            out += "0" + sep + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else if (static_cast<int>(digits.size()) <= exponent + 1) {
            out +=
                digits + std::string(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(exponent) + 1) + sep +
                   digits.substr(static_cast<std::size_t>(exponent) + 1);
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += sep + digits.substr(1);
        }
        out += "E" + std::to_string(exponent);
    }
    return out;
}

} // namespace duskwheel
