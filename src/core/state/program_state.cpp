#include "state/program_state.h"

#include "astro/primitives.h"

namespace duskwheel {

std::string TownLabel(const TownData& town) {
    return town.Country + " : " + town.Name;
}

void ProgramState::FillNameTables() {
    static const char* const kNames[31] = {
        // French months
        "Janvier", "F\xE9vrier", "Mars", "Avril", "Mai", "Juin", "Juillet", "Ao\xFBt", "Septembre",
        "Octobre", "Novembre",
        "D\xE9"
        "cembre",
        // French days, Monday first
        "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche",
        // Hijri months
        "MuHarram", "Safar", "Raby` al-awal", "Raby` al-THaany", "Jumaada al-awal",
        "Jumaada al-THaany", "Rajab", "SHa`baan", "RamaDHaan", "SHawwal", "Thw al-Qi`dah",
        "Thw al-Hijjah"};
    for (int i = 0; i < 31; ++i) {
        Names[static_cast<std::size_t>(i)] = kNames[i];
    }
}

namespace {
const std::string& NameAt(const std::array<std::string, 31>& names, int base, int count, int i) {
    static const std::string empty;
    if (i < 0 || i >= count) {
        return empty;
    }
    return names[static_cast<std::size_t>(base + i)];
}
} // namespace

const std::string& ProgramState::MonthName(int month0) const {
    return NameAt(Names, 0, 12, month0);
}
const std::string& ProgramState::DayName(int weekday) const {
    return NameAt(Names, 12, 7, weekday);
}
const std::string& ProgramState::HijriMonthName(int month0) const {
    return NameAt(Names, 19, 12, month0);
}

bool ProgramState::ApplyTown(int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= TownList.size()) {
        return false;
    }
    const TownData& town = TownList[static_cast<std::size_t>(i)];
    TownSelected = i;
    CurrentLongitude = town.longitude * kDegToRad;
    CurrentLatitude = town.latitude * kDegToRad;
    CurrentTimeZone = town.TimeZone;
    CurrentDST = town.DST;
    CurrentConvention = town.Convention;
    townApplied_ = true;
    return true;
}

bool ProgramState::HasTown() const {
    return townApplied_ && SelectedTown() != nullptr;
}

ProgramState::Selection ProgramState::SaveSelection() const {
    return {TownSelected, CurrentLongitude,  CurrentLatitude, CurrentTimeZone,
            CurrentDST,   CurrentConvention, townApplied_};
}

void ProgramState::RestoreSelection(const Selection& saved) {
    TownSelected = saved.townSelected;
    CurrentLongitude = saved.longitude;
    CurrentLatitude = saved.latitude;
    CurrentTimeZone = saved.timeZone;
    CurrentDST = saved.dst;
    CurrentConvention = saved.convention;
    townApplied_ = saved.applied;
}

const TownData* ProgramState::SelectedTown() const {
    if (TownSelected < 0 || static_cast<std::size_t>(TownSelected) >= TownList.size()) {
        return nullptr;
    }
    return &TownList[static_cast<std::size_t>(TownSelected)];
}

const DuskwheelConfigStruct& ProgramState::CurrentConventionRecord() const {
    if (CurrentConvention < 0 || CurrentConvention >= kConventionCount) {
        return Conventions[0];
    }
    return Conventions[static_cast<std::size_t>(CurrentConvention)];
}

void ProgramState::SetDate(int year, int month, int day) {
    Year = static_cast<std::uint16_t>(year);
    Month = static_cast<std::uint16_t>(month);
    Day = static_cast<std::uint16_t>(day);
}

int ProgramState::ComputationWeekday() const {
    return DayOfWeek(T + WeekdayShift(TZ_eff));
}

std::string ProgramState::ComputationDateText() const {
    return std::to_string(Day) + "/" + std::to_string(Month) + "/" + std::to_string(Year);
}

std::string ProgramState::FilePath(const std::string& fileName) const {
    if (FilesDir.empty()) {
        return fileName;
    }
    if (FilesDir.back() == '/') {
        return FilesDir + fileName;
    }
    return FilesDir + "/" + fileName;
}

std::string ProgramState::DataCfgPath() const {
    return FilePath("data.cfg");
}
std::string ProgramState::EchoPath() const {
    return FilePath("read_echo.cfg");
}

void ProgramState::Report(const std::string& line) {
    if (Sink != nullptr) {
        Sink->AppendLine(line);
    }
}

void ProgramState::ShowError(const std::string& text, const std::string& title) {
    if (HostUi != nullptr) {
        HostUi->ShowError(text, title);
    }
}

} // namespace duskwheel
