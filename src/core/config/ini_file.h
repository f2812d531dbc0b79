#pragma once
// A plain Windows INI file (Duskwheel.ini): "[Section]" lines and "Key=Value"
// lines, names with blanks kept as they are, compared without regard to ASCII
// case, as the Windows profile functions do. Everything the program does not
// own (comments, other sections and keys, their order) is kept when the file
// is written back. Bytes are passed through unchanged (8-bit text).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace duskwheel {

class IniFile {
  public:
    IniFile() = default;
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Reads the file at Path(). A missing file reads as empty and is not an
    // error; false only when the file exists but cannot be read (the contents
    // are then empty too).
    bool Load();
    // Writes the whole file at Path() through a temporary file and a rename,
    // so a failure never destroys the previous file. On failure returns false
    // and leaves a short reason in `error` (when given).
    bool Save(std::string* error = nullptr) const;

    // Replaces the contents with the text of a file.
    void Parse(std::string_view bytes);
    // The text of the file as Save writes it.
    std::string ToBytes() const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // The value of the first such key of the first such section, blanks around
    // it removed, and one pair of matching surrounding quotes ("..." or '...')
    // removed; `fallback` when the key is absent.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // A decimal integer with an optional sign, blanks around it allowed;
    // anything else (empty, trailing text, out of the 32-bit range) gives
    // `fallback`.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback) const;
    // An integer: 0 is false, any other integer true; anything else gives
    // `fallback`.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Sets the value of the key in place when it exists, else appends the key
    // at the end of its section, else appends the section at the end of the
    // file. Line breaks in a value become blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Parses a whole decimal 32-bit integer as ReadInteger does.
    static bool ParseInteger(std::string_view text, std::int32_t& value);

  private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        Kind kind = Kind::Other;
        std::string text;  // the line as read or written, without its line break
        std::string name;  // section name or key, trimmed
        std::string value; // entry value, trimmed, quotes kept
    };

    // Line index of the first header of the section, or -1.
    std::ptrdiff_t FindSection(std::string_view section) const;
    // Line index of the first such key after that header and before the next, or -1.
    std::ptrdiff_t FindEntry(std::ptrdiff_t sectionLine, std::string_view key) const;

    std::string path_;
    std::vector<Line> lines_;
    bool crlf_ = true; // line break written: the file's own, CR LF for a new file
};

} // namespace duskwheel
