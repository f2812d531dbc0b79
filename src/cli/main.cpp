#include "cli.h"

#include <clocale>
#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv) {
    // Report numbers follow the user's decimal separator; nothing else is localised.
    std::setlocale(LC_NUMERIC, "");
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv[0], ec);
    }
    std::vector<std::string> args(argv + 1, argv + argc);
    return duskwheel::cli::Run(args, exe.parent_path().string(), std::cout, std::cerr);
}
