// pavina-cli: the logo inserter's commands without a window, for scripts and for Linux.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "Commands.h"
#include "ExecutableFolder.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return pavina::cli::RunCli(args, std::cout, std::cerr, isatty(fileno(stderr)) != 0,
                             pavina::cli::ExecutableFolder());
}
