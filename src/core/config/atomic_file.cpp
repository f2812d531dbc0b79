#include "config/atomic_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace duskwheel {

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    auto fail = [&](const std::string& why, const std::string& tmp) {
        if (!tmp.empty()) {
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
        }
        if (error != nullptr) {
            *error = why;
        }
        return false;
    };
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return fail("cannot create " + tmp, {});
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            return fail("cannot write " + tmp, tmp);
        }
        out.close();
        if (out.fail()) {
            return fail("cannot close " + tmp, tmp);
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        return fail("cannot replace " + path + ": " + ec.message(), tmp);
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace duskwheel
