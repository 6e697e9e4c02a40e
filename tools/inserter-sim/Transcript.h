#pragma once

#include <cstdint>
#include <string>

#include "Bytes.h"

namespace pavina::sim {

// One line of the simulated inserter's record: bytes written by the host, bytes sent back
// (stamped with the time they go out), or a note on what the inserter made of them.
enum class TTranscriptDirection { HostToDevice, DeviceToHost, Note };

struct TTranscriptEntry {
  std::uint32_t timeMs = 0;
  TTranscriptDirection direction = TTranscriptDirection::Note;
  core::TBytes bytes;
  std::string note;
};

// "<ms> host> F1 F3", "<ms>  dev< 05 41 ...", "<ms>    # note", without a line break.
std::string FormatTranscriptEntry(const TTranscriptEntry& entry);

}  // namespace pavina::sim
