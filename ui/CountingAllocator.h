#pragma once

#include <cstdint>

namespace pavina::ui {

// Every allocation of the program (malloc, calloc, realloc, strdup, and through them C++
// new in the static C++ runtime and libjpeg) is served from one private heap whose live
// bytes are counted; the link wraps those calls here (see ui/CMakeLists.txt).

// Called first thing at the program's entry: what the run-time allocated before it is its
// own (its copy of the command line, the main thread's record, the exception pool) and is
// kept out of the count.
void MarkProgramStart();

// Bytes held by the program's blocks still allocated: the sum of each block's usable size.
std::uint64_t AllocatedBytes();

}  // namespace pavina::ui
