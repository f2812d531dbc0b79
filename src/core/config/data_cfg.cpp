// data.cfg: the store of conventions and towns, and read_echo.cfg, the
// transcript of its last reading. Numbers are always written and read with a
// point, whatever the user's locale.

#include "astro/primitives.h"
#include "config/atomic_file.h"
#include "state/program_state.h"

#include <charconv>
#include <fstream>
#include <string_view>

namespace duskwheel {

namespace {

constexpr std::size_t kMaxWordLength = 31;
constexpr std::size_t kMaxRestOfLine = 199;

const char* const kDashLine =
    "8 ------------------------------------------------------------------";

std::string Real(double x, int precision) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, precision);
    return std::string(buf, res.ptr);
}

std::string Pad(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

// Lays out a data line: the type and one blank, then fields left-aligned in
// their columns, every field after the first preceded by two blanks.
class LineBuilder {
  public:
    explicit LineBuilder(int type) : line_(Pad(std::to_string(type), 2)) {}
    LineBuilder& Field(const std::string& text, std::size_t width) {
        if (!first_) {
            line_ += "  ";
        }
        first_ = false;
        line_ += Pad(text, width);
        return *this;
    }
    LineBuilder& Int(long long v, std::size_t width) { return Field(std::to_string(v), width); }
    LineBuilder& Num(double v, std::size_t width, int precision) {
        return Field(Real(v, precision), width);
    }
    LineBuilder& Quoted(const std::string& name) {
        line_ += "  \"" + name + "\"";
        return *this;
    }
    const std::string& Text() const { return line_; }

  private:
    std::string line_;
    bool first_ = true;
};

// Reads the file as a stream of blank-separated tokens, except where a line
// type takes the rest of its line, much as formatted stream extraction would,
// but failing cleanly instead of looping or overrunning on bad input.
class Scanner {
  public:
    explicit Scanner(std::string_view text) : s_(text) {}

    // False at the end of the file (nothing but white space left).
    bool SkipSpace() {
        while (pos_ < s_.size() && IsSpace(s_[pos_])) {
            ++pos_;
        }
        return pos_ < s_.size();
    }

    bool Int(int& value, bool needDelimiter = true) {
        if (!SkipSpace()) {
            return false;
        }
        std::size_t p = pos_;
        if (s_[p] == '+') {
            ++p;
            if (p < s_.size() && s_[p] == '-') {
                return false;
            }
        }
        auto res = std::from_chars(s_.data() + p, s_.data() + s_.size(), value);
        if (res.ec != std::errc()) {
            return false;
        }
        return Advance(res.ptr, needDelimiter);
    }

    bool Real(double& value) {
        if (!SkipSpace()) {
            return false;
        }
        std::size_t p = pos_;
        if (s_[p] == '+') {
            ++p;
        }
        // No infinities, NaNs or hexadecimal: a number starts with a digit or a point.
        const std::size_t q = p < s_.size() && s_[p] == '-' ? p + 1 : p;
        if (q >= s_.size() || !(IsDigit(s_[q]) || s_[q] == '.')) {
            return false;
        }
        auto res = std::from_chars(s_.data() + p, s_.data() + s_.size(), value,
                                   std::chars_format::general);
        if (res.ec != std::errc()) {
            return false;
        }
        return Advance(res.ptr, true);
    }

    bool Word(std::string& word) {
        if (!SkipSpace()) {
            return false;
        }
        const std::size_t start = pos_;
        while (pos_ < s_.size() && !IsSpace(s_[pos_])) {
            ++pos_;
        }
        word.assign(s_.substr(start, pos_ - start));
        return word.size() <= kMaxWordLength;
    }

    // The rest of the current line, without its line end.
    bool RestOfLine(std::string& rest) {
        std::size_t end = s_.find('\n', pos_);
        if (end == std::string_view::npos) {
            end = s_.size();
        }
        std::size_t stop = end;
        if (stop > pos_ && s_[stop - 1] == '\r') {
            --stop;
        }
        rest.assign(s_.substr(pos_, stop - pos_));
        pos_ = end < s_.size() ? end + 1 : end;
        return rest.size() <= kMaxRestOfLine;
    }

  private:
    static bool IsSpace(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    bool Advance(const char* end, bool needDelimiter) {
        pos_ = static_cast<std::size_t>(end - s_.data());
        return !needDelimiter || pos_ >= s_.size() || IsSpace(s_[pos_]);
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

// The name is the second non-empty piece between double quotes: with the
// written layout, the text between the quotes.
std::string ExtractName(const std::string& rest) {
    int piece = 0;
    std::size_t pos = 0;
    while (pos <= rest.size()) {
        std::size_t q = rest.find('"', pos);
        if (q == std::string::npos) {
            q = rest.size();
        }
        if (q > pos) {
            ++piece;
            if (piece == 2) {
                return rest.substr(pos, q - pos);
            }
        }
        pos = q + 1;
    }
    return {};
}

bool ValidConvention(int index) {
    return index >= 0 && index < kConventionCount;
}

} // namespace

ReadStatus ProgramState::ReadConfigFile() {
    const std::string path = DataCfgPath();
    std::string text;
    if (!ReadWholeFile(path, text)) {
        ShowError("File open error " + path, "Error");
        return ReadStatus::OpenFailed;
    }
    std::ofstream echo(EchoPath(), std::ios::binary | std::ios::trunc);
    if (!echo) {
        ShowError("read_echo.cfg file open error", "Error");
        return ReadStatus::EchoOpenFailed;
    }
    echo << "8 -----------------  File reading transcription  ---------------\r\n";

    Scanner in(text);
    bool readError = false;
    while (true) {
        if (HostUi != nullptr && HostUi->IsEscapeDown()) {
            break;
        }
        if (!in.SkipSpace()) {
            break;
        }
        int type = 0;
        if (!in.Int(type, false)) {
            readError = true;
            break;
        }
        LineBuilder line(type);
        bool ok = true;
        if (type != 8) {
            // From here on the towns or conventions may differ from what the
            // current location was applied from.
            townApplied_ = false;
        }
        switch (type) {
        case 8: {
            std::string rest;
            ok = in.RestOfLine(rest);
            if (ok) {
                // The comment overwrites the blank after the type: the line is copied unchanged.
                std::string copy = std::to_string(type);
                copy += rest.empty() ? std::string(" ") : rest;
                echo << copy << "\r\n";
            }
            break;
        }
        case 5: {
            int index = 0;
            std::string rest;
            ok = in.Int(index, false) && ValidConvention(index) && in.RestOfLine(rest);
            if (ok) {
                const std::string name = ExtractName(rest);
                Conventions[static_cast<std::size_t>(index)].Name = name;
                echo << line.Int(index, 9).Quoted(name).Text() << "\r\n";
            }
            break;
        }
        case 3: {
            int index = 0, shafi = 0, ishaIsMaghrib = 0, plus = 0, zuhrFixe = 0;
            double fajr = 0, isha = 0, sunrise = 0, zuhrHour = 0;
            ok = in.Int(index) && ValidConvention(index) && in.Int(shafi) && in.Real(fajr) &&
                 in.Real(isha) && in.Real(sunrise) && in.Int(ishaIsMaghrib) && in.Int(plus) &&
                 in.Int(zuhrFixe) && in.Real(zuhrHour);
            if (ok) {
                DuskwheelConfigStruct& c = Conventions[static_cast<std::size_t>(index)];
                c.AsrShafi = shafi == 1;
                c.FajrTwilightAngle = fajr;
                c.IshaTwilightAngle = isha;
                c.Sunrise_setAngle = sunrise;
                c.Isha_is_Maghrib = ishaIsMaghrib == 1;
                c.Isha_is_Maghrib_plus = plus;
                c.ZuhrFixe = zuhrFixe == 1;
                c.ZuhrFixeHour = zuhrHour;
                echo << line.Int(index, 9)
                            .Int(shafi, 14)
                            .Num(fajr, 16, 5)
                            .Num(isha, 16, 5)
                            .Num(sunrise, 15, 5)
                            .Int(ishaIsMaghrib, 19)
                            .Int(plus, 4)
                            .Int(zuhrFixe, 7)
                            .Num(zuhrHour, 15, 5)
                            .Text()
                     << "\r\n";
            }
            break;
        }
        case 4: {
            int index = 0;
            std::array<double, kPrayerCount> offsets{};
            ok = in.Int(index) && ValidConvention(index);
            for (double& v : offsets) {
                ok = ok && in.Real(v);
            }
            if (ok) {
                Conventions[static_cast<std::size_t>(index)].time2add4salat = offsets;
                line.Int(index, 9);
                for (double v : offsets) {
                    line.Num(v, 7, 5);
                }
                echo << line.Text() << "\r\n";
            }
            break;
        }
        case 1: {
            int count = 0, selected = 0, verbose = 0;
            ok = in.Int(count) && in.Int(selected) && in.Int(verbose);
            if (ok) {
                NumberOfTowns = count;
                TownSelected = selected;
                Verbose = verbose;
                echo << line.Int(count, 13).Int(selected, 12).Int(verbose, 7).Text() << "\r\n";
                if (NumberOfTowns <= 0) {
                    ShowError("Invalid number of towns", "Read config file Error");
                }
                TownList.clear();
            }
            break;
        }
        case 2: {
            TownData town;
            ok = in.Word(town.Country) && in.Word(town.Name) && in.Real(town.latitude) &&
                 in.Real(town.longitude) && in.Int(town.TimeZone) && in.Int(town.DST) &&
                 in.Int(town.Convention) && ValidConvention(town.Convention);
            if (ok) {
                echo << line.Field(town.Country, 15)
                            .Field(town.Name, 15)
                            .Num(town.latitude, 10, 5)
                            .Num(town.longitude, 10, 5)
                            .Int(town.TimeZone, 7)
                            .Int(town.DST, 2)
                            .Int(town.Convention, 2)
                            .Text()
                     << "\r\n";
                TownList.push_back(std::move(town));
            }
            break;
        }
        default:
            ok = false;
            break;
        }
        if (!ok) {
            // The transcript ends on the type of the line that could not be read.
            echo << line.Text();
            readError = true;
            break;
        }
    }
    echo.close();

    if (readError) {
        ShowError("ReadError !!! " + path, "Error");
        return ReadStatus::ReadError;
    }
    if (static_cast<long long>(TownList.size()) != NumberOfTowns) {
        ShowError("Number of towns does not match NTowns", "Error");
        return ReadStatus::CountMismatch;
    }
    if (HostUi != nullptr) {
        HostUi->ConventionListsChanged();
    }
    if (TownSelected < 0 || TownSelected >= NumberOfTowns) {
        ShowError("Selected town out of range", "Error");
        return ReadStatus::SelectionOutOfRange;
    }
    ApplyTown(TownSelected);
    if (Verbose != 0) {
        const TownData& town = TownList[static_cast<std::size_t>(TownSelected)];
        Report("Lieu actuel : ");
        Report("Lieu : " + town.Country + ", " + town.Name);
        Report("latitude=" + FormatDegrees(CurrentLatitude) +
               "   longitude=" + FormatDegrees(CurrentLongitude));
        Report("Convention " + std::to_string(CurrentConvention));
    }
    return ReadStatus::Ok;
}

bool ProgramState::WriteConfigFile() {
    const std::string path = DataCfgPath();
    std::string out;
    auto put = [&out](const std::string& line) {
        out += line;
        out += "\r\n";
    };

    put(kDashLine);
    put("8 --------- Config file for Salat and Sun position program ---------");
    put(kDashLine);
    put("8 - Conventions");
    for (int i = 0; i < kConventionCount; ++i) {
        const DuskwheelConfigStruct& c = Conventions[static_cast<std::size_t>(i)];
        put("8 Convention Name");
        put(LineBuilder(5).Int(i, 9).Quoted(c.Name).Text());
        put("8 Convention AsrSahfi/Hanafi FajrTwilightAngle IshaTwilightAngle Sunrise/SetAngle "
            "Isha_is_Maghrib_plus xx mn ZuhrFixe ZuhrHour(h)");
        put(LineBuilder(3)
                .Int(i, 9)
                .Int(c.AsrShafi ? 1 : 0, 14)
                .Num(c.FajrTwilightAngle, 16, 10)
                .Num(c.IshaTwilightAngle, 16, 10)
                .Num(c.Sunrise_setAngle, 15, 10)
                .Int(c.Isha_is_Maghrib ? 1 : 0, 19)
                .Int(c.Isha_is_Maghrib_plus, 4)
                .Int(c.ZuhrFixe ? 1 : 0, 7)
                .Num(c.ZuhrFixeHour, 15, 10)
                .Text());
        put("8 - Time (mn) to add to get Salat");
        put("8 Convention Fajr     Chourouk Zuhr     Asr      Maghrib  Isha");
        LineBuilder offsets(4);
        offsets.Int(i, 9);
        for (double v : c.time2add4salat) {
            offsets.Num(v, 7, 10);
        }
        put(offsets.Text());
        put(kDashLine);
    }
    put("8 - sources :");
    put("8 - Jean Meeus, Astronomical Algorithms, 1st ed., Willmann-Bell 1991, ch. 24 Solar "
        "Coordinates");
    put("8 - Jean Meeus, Astronomical Algorithms, ch. 11 Sidereal Time at Greenwich");
    put("8 - https://aa.usno.navy.mil/faq/sun_approx  Approximate Solar Coordinates (USNO)");
    put("8 - https://gml.noaa.gov/grad/solcalc/calcdetails.html  NOAA solar calculation details");
    put("8 - https://en.wikipedia.org/wiki/Salah_times  prayer times, twilight angles and "
        "conventions");
    put("8 - https://www.openstreetmap.org  place names and coordinates of towns");
    put(kDashLine);
    put("8 NumberOfTowns  TownSelected  Verbose");
    // The count written is the list's own, so that the file always reads back
    // even if a failed read left NumberOfTowns out of step with the list.
    const auto count = static_cast<long long>(TownList.size());
    put(LineBuilder(1).Int(count, 13).Int(TownSelected, 12).Int(Verbose, 7).Text());
    put(kDashLine);
    put("8 - Town location and TimeZone");
    put("8 Country          Name             latitude    longitude   TimeZone DST Convention");
    for (const TownData& town : TownList) {
        put(LineBuilder(2)
                .Field(town.Country, 15)
                .Field(town.Name, 15)
                .Num(town.latitude, 10, 10)
                .Num(town.longitude, 10, 10)
                .Int(town.TimeZone, 7)
                .Int(town.DST, 2)
                .Int(town.Convention, 2)
                .Text());
    }
    put(kDashLine);

    if (count <= 0) {
        ShowError("Invalid number of towns", "Read config file Error");
    }
    std::string why;
    if (!WriteFileAtomically(path, out, &why)) {
        // A file that could not even be created is an open error; anything later a write error.
        const bool opened = why.rfind("cannot create", 0) != 0;
        ShowError(std::string(opened ? "File write error " : "File open error ") + path + " (" +
                      why + "); the previous file is unchanged",
                  "Error");
        return false;
    }
    return true;
}

} // namespace duskwheel
