#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace pavina::cli {

// Runs one command line (without the program name) and returns the exit code. Results go
// to `out`; progress, the window's messages and our own to `err`. `terminal` says whether
// `err` is a terminal, which gets a progress bar instead of progress lines. The settings
// file is looked for in `programFolder` (with its trailing separator).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool terminal, const std::string& programFolder);

}  // namespace pavina::cli
