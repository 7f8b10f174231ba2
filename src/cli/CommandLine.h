#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tremvix::cli {

// The batch modes of the program: `arguments` without the program name. Output
// goes to `out`, messages to `err`; the result is the exit status (0 done, 1 a
// file or its data refused, 2 wrong usage).
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// The same on the process's own streams.
int RunCommandLine(int argc, char** argv);

// "tremvix 3.3.1".
std::string VersionText();
std::string UsageText();

}  // namespace tremvix::cli
