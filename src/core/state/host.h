#pragma once
// What the core needs from whoever drives it: a place for report lines and a
// way to tell the user about failures. The windowed program and the command
// line each provide their own.

#include <string>

namespace duskwheel {

// Receives the verbose report, one line of Latin-1 text at a time.
class ReportSink {
  public:
    virtual ~ReportSink() = default;
    virtual void AppendLine(const std::string& line) = 0;
};

class Host {
  public:
    virtual ~Host() = default;
    // A modal error message: text and title, Latin-1.
    virtual void ShowError(const std::string& text, const std::string& title) = 0;
    // Whether the Escape key is held down at this moment (polled while reading data.cfg).
    virtual bool IsEscapeDown() { return false; }
    // The nine convention names were reloaded; lists showing them should refill.
    virtual void ConventionListsChanged() {}
};

} // namespace duskwheel
