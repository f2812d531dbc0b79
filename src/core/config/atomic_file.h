#pragma once

#include <string>

namespace duskwheel {

// Writes bytes to a temporary file beside `path` and renames it over `path`
// only once everything was written and closed, so a failed write never leaves
// a truncated file behind nor destroys the previous one. On failure returns
// false and leaves a short reason in `error` (when given).
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);

// Whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace duskwheel
