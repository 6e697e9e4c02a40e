#include "Transcript.h"

#include <cstdio>

namespace pavina::sim {

std::string FormatTranscriptEntry(const TTranscriptEntry& entry) {
  char stamp[16];
  std::snprintf(stamp, sizeof stamp, "%10lu ", static_cast<unsigned long>(entry.timeMs));
  std::string line = stamp;
  switch (entry.direction) {
    case TTranscriptDirection::HostToDevice:
      line += "host>";
      break;
    case TTranscriptDirection::DeviceToHost:
      line += " dev<";
      break;
    case TTranscriptDirection::Note:
      return line + "    # " + entry.note;
  }
  static const char kHex[] = "0123456789ABCDEF";
  for (const std::uint8_t byte : entry.bytes) {
    line += ' ';
    line += kHex[byte >> 4];
    line += kHex[byte & 15];
  }
  return line;
}

}  // namespace pavina::sim
