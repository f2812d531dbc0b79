#include "config/ini_file.h"

#include "config/atomic_file.h"

#include <charconv>
#include <filesystem>
#include <limits>
#include <system_error>

namespace duskwheel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsQuoted(std::string_view v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

// A value as it must stand in the file to read back as `value`.
std::string FileValue(std::string_view value) {
    std::string v(value);
    for (char& c : v) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    const bool needsQuotes = !v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) || IsQuoted(v));
    return needsQuotes ? "\"" + v + "\"" : v;
}

} // namespace

bool IniFile::ParseInteger(std::string_view text, std::int32_t& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 31 : std::uint64_t{std::numeric_limits<std::int32_t>::max()};
    if (magnitude > limit) {
        return false;
    }
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

void IniFile::Parse(std::string_view bytes) {
    lines_.clear();
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    const bool hasLf = bytes.find('\n') != std::string_view::npos;
    crlf_ = !hasLf || bytes.find("\r\n") != std::string_view::npos;

    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = bytes.size();
        }
        std::string_view text = bytes.substr(pos, end - pos);
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        pos = last ? bytes.size() : end + 1;

        Line line;
        line.text = std::string(text);
        const std::string_view t = Trim(text);
        if (t.starts_with('[')) {
            std::string_view name = t.substr(1);
            if (const std::size_t close = name.find(']'); close != std::string_view::npos) {
                name = name.substr(0, close);
            }
            line.kind = Kind::Section;
            line.name = std::string(Trim(name));
        } else if (!t.starts_with(';') && !t.starts_with('#')) {
            if (const std::size_t eq = t.find('='); eq != std::string_view::npos) {
                const std::string_view key = Trim(t.substr(0, eq));
                if (!key.empty()) {
                    line.kind = Kind::Entry;
                    line.name = std::string(key);
                    line.value = std::string(Trim(t.substr(eq + 1)));
                }
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::string IniFile::ToBytes() const {
    const char* const br = crlf_ ? "\r\n" : "\n";
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += br;
    }
    return out;
}

bool IniFile::Load() {
    lines_.clear();
    crlf_ = true;
    std::error_code ec;
    const bool exists = std::filesystem::exists(path_, ec);
    if (ec) {
        return false;
    }
    if (!exists) {
        return true;
    }
    std::string bytes;
    if (!ReadWholeFile(path_, bytes)) {
        return false;
    }
    Parse(bytes);
    return true;
}

bool IniFile::Save(std::string* error) const {
    return WriteFileAtomically(path_, ToBytes(), error);
}

std::ptrdiff_t IniFile::FindSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, wanted)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

std::ptrdiff_t IniFile::FindEntry(std::ptrdiff_t sectionLine, std::string_view key) const {
    if (sectionLine < 0) {
        return -1;
    }
    const std::string_view wanted = Trim(key);
    for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section) {
            break;
        }
        if (lines_[i].kind == Kind::Entry && SameName(lines_[i].name, wanted)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

bool IniFile::SectionExists(std::string_view section) const {
    return FindSection(section) >= 0;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindEntry(FindSection(section), key) >= 0;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const std::ptrdiff_t i = FindEntry(FindSection(section), key);
    if (i < 0) {
        return std::string(fallback);
    }
    std::string_view v = lines_[static_cast<std::size_t>(i)].value;
    if (IsQuoted(v)) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    const std::ptrdiff_t i = FindEntry(FindSection(section), key);
    if (i < 0) {
        return fallback;
    }
    std::int32_t value = 0;
    return ParseInteger(lines_[static_cast<std::size_t>(i)].value, value) ? value : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string fileValue = FileValue(value);
    const std::string sectionName(Trim(section));
    const std::string keyName(Trim(key));

    std::ptrdiff_t header = FindSection(sectionName);
    if (const std::ptrdiff_t i = FindEntry(header, keyName); i >= 0) {
        Line& line = lines_[static_cast<std::size_t>(i)];
        line.value = fileValue;
        line.text = line.name + "=" + fileValue;
        return;
    }

    Line entry;
    entry.kind = Kind::Entry;
    entry.name = keyName;
    entry.value = fileValue;
    entry.text = keyName + "=" + fileValue;

    if (header < 0) {
        if (!lines_.empty() && !Trim(lines_.back().text).empty()) {
            lines_.push_back(Line{});
        }
        Line head;
        head.kind = Kind::Section;
        head.name = sectionName;
        head.text = "[" + sectionName + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(entry));
        return;
    }
    // After the last key of the section, before the blank lines and comments
    // that separate it from the next one.
    std::size_t at = static_cast<std::size_t>(header) + 1;
    for (std::size_t i = at; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
        if (lines_[i].kind == Kind::Entry) {
            at = i + 1;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

} // namespace duskwheel
