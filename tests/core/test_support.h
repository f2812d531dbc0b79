#pragma once
// Shared fixtures of the core tests: a temporary folder per test, a host and
// a report sink that record what the core tells the user.

#include "reference_state.h"
#include "state/host.h"
#include "state/program_state.h"

#include <filesystem>
#include <string>
#include <vector>

namespace duskwheel::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string Dir() const { return path_.string(); }
    std::vector<std::string> Names() const; // file names in the folder
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

class RecordingHost : public Host {
  public:
    std::vector<Message> messages;
    int escapeAfterPolls = -1; // Escape reads as held from this poll on
    int polls = 0;
    int conventionListRefills = 0;
    void ShowError(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }
    bool IsEscapeDown() override { return escapeAfterPolls >= 0 && polls++ >= escapeAfterPolls; }
    void ConventionListsChanged() override { ++conventionListRefills; }
};

class RecordingSink : public ReportSink {
  public:
    std::vector<std::string> lines;
    void AppendLine(const std::string& line) override { lines.push_back(line); }
};

// Whole file as bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);

} // namespace duskwheel::test
