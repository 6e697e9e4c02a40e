#pragma once

namespace pavina::ui {

// The last clean-up step of every run: when any bytes are still allocated, a "Memory
// Leak" box says how many. It must run after everything the program owns is destroyed.
void RunLeakReport();

}  // namespace pavina::ui
