#include "test_support.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace duskwheel::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("duskwheel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TempDir::Read(const std::string& name) const {
    return ReadFile(File(name));
}

std::vector<std::string> TempDir::Names() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
        out.push_back(e.path().filename().string());
    }
    return out;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace duskwheel::test
