#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Bytes.h"

namespace pavina::sim {

// The commands the inserter answers, as fault settings name them.
enum class TCommandKind { Clear, LineHeader, LineData, SizeAndPosition, Status };

// A command, or one line's header or data (lines counted from 0 since the last clear).
// Without a line number a header or data target means every line.
struct TFaultTarget {
  TCommandKind kind = TCommandKind::Clear;
  std::optional<std::int32_t> line;

  bool Matches(TCommandKind command, std::int32_t commandLine) const {
    return kind == command && (!line || *line == commandLine);
  }
  friend bool operator==(const TFaultTarget& a, const TFaultTarget& b) {
    return a.kind == b.kind && a.line == b.line;
  }
};

enum class TAckFault { Missing, Wrong };

// What the status reply looks like: as announced, one byte longer than its length byte
// says, or one byte shorter.
enum class TStatusLength { Normal, Long, Short };

// Every misbehaviour the simulated inserter can be told to show; all off by default.
// Changing a field takes effect from the next command on.
struct TInserterFaults {
  // Listens, but answers nothing at all.
  bool silent = false;
  std::vector<std::pair<TFaultTarget, TAckFault>> ackFaults;
  // Extra time before the answer, for one target or (delayAllMs) for every command.
  std::vector<std::pair<TFaultTarget, std::uint32_t>> delays;
  std::uint32_t delayAllMs = 0;
  // The device hangs when the header of this line arrives: from then on it is silent.
  std::optional<std::int32_t> silenceAfterLines;
  // Sent before every answer, as a noisy line would.
  core::TBytes strayBytes;
  TStatusLength statusLength = TStatusLength::Normal;
  // Bytes take their time on the wire at 19200 baud, in both directions.
  bool pacing = false;

  std::optional<TAckFault> AckFaultFor(TCommandKind command, std::int32_t line) const {
    for (const auto& [target, fault] : ackFaults)
      if (target.Matches(command, line)) return fault;
    return std::nullopt;
  }
  std::uint32_t DelayFor(TCommandKind command, std::int32_t line) const {
    for (const auto& [target, ms] : delays)
      if (target.Matches(command, line)) return ms;
    return delayAllMs;
  }
  // Setting a target again replaces its fault; nullopt removes it.
  void SetAckFault(const TFaultTarget& target, std::optional<TAckFault> fault) {
    Replace(ackFaults, target, fault);
  }
  void SetDelay(const TFaultTarget& target, std::optional<std::uint32_t> ms) {
    Replace(delays, target, ms);
  }

 private:
  template <typename T>
  static void Replace(std::vector<std::pair<TFaultTarget, T>>& list, const TFaultTarget& target,
                      std::optional<T> value) {
    for (auto it = list.begin(); it != list.end(); ++it) {
      if (!(it->first == target)) continue;
      list.erase(it);
      break;
    }
    // Newest first, so that a specific line set after a general target wins over it.
    if (value) list.insert(list.begin(), {target, *value});
  }
};

}  // namespace pavina::sim
