#pragma once

#include <string>

namespace pavina::cli {

// The folder of the running program with its trailing separator, whatever the working
// folder is; empty when the system does not say.
std::string ExecutableFolder();

}  // namespace pavina::cli
