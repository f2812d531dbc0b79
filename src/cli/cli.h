#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace duskwheel::cli {

// Runs the command line with its arguments (without the program name);
// `exeDir` is the default folder of the program's files. Returns the exit
// status: 0 done, 1 could not be done, 2 usage error.
int Run(const std::vector<std::string>& args, const std::string& exeDir, std::ostream& out,
        std::ostream& err);

} // namespace duskwheel::cli
