#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace duskwheel {

// Index into every array of six prayer times and into time2add4salat.
enum Prayer : int { Fajr = 0, Chourouk = 1, Zuhr = 2, Asr = 3, Maghrib = 4, Isha = 5 };
inline constexpr int kPrayerCount = 6;
inline constexpr int kConventionCount = 9;

struct DuskwheelConfigStruct {
    std::array<double, kPrayerCount> time2add4salat{}; // minutes added to each computed instant
    bool AsrShafi = false;                             // shadow factor 1 (Shafi) or 2 (Hanafi)
    bool Isha_is_Maghrib = false; // Isha = Maghrib + Isha_is_Maghrib_plus minutes
    bool ZuhrFixe = false;        // Zuhr is ZuhrFixeHour, no offset
    double FajrTwilightAngle = 0; // degrees below the horizon
    double IshaTwilightAngle = 0;
    double Sunrise_setAngle = 0;
    std::int32_t Isha_is_Maghrib_plus = 0; // minutes
    double ZuhrFixeHour = 0;               // decimal hours of local clock time
    std::string Name;

    bool operator==(const DuskwheelConfigStruct&) const = default;
};

struct TownData {
    std::string Country; // one blank-free word in data.cfg
    std::string Name;
    double longitude = 0; // degrees, east positive
    double latitude = 0;  // degrees, north positive
    std::int32_t TimeZone = 0;
    std::int32_t Convention = 0; // 0..8
    std::int32_t DST = 0;        // 0 None, 1 Sunday, 2 Friday

    bool operator==(const TownData&) const = default;
};

using TownDataArray = std::vector<TownData>;

// "Country : Name", the text of a town in every town list.
std::string TownLabel(const TownData& town);

} // namespace duskwheel
