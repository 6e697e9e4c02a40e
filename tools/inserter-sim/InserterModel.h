#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Bytes.h"
#include "InserterFaults.h"
#include "LogoMemory.h"
#include "Transcript.h"

namespace pavina::sim {

// Bytes the inserter sends back, and how many milliseconds after the write that provoked
// them they are there for the host to read.
struct TTimedReply {
  std::uint32_t afterMs = 0;
  core::TBytes bytes;

  friend bool operator==(const TTimedReply& a, const TTimedReply& b) {
    return a.afterMs == b.afterMs && a.bytes == b.bytes;
  }
};

// A position move received (F1 F2 00 00 x y).
struct TReceivedPosition {
  std::uint8_t x = 0, y = 0;
  friend bool operator==(const TReceivedPosition& a, const TReceivedPosition& b) {
    return a.x == b.x && a.y == b.y;
  }
};

// What the inserter counted that was not a command.
struct TInserterStatistics {
  std::uint64_t commands = 0;
  std::uint64_t fillerBytes = 0;
  // Bytes between commands that start no command, and broken-off command beginnings.
  std::uint64_t unknownBytes = 0;
  // Fillers that ended something other than a line's data and its 24 zeros.
  std::uint64_t malformedLines = 0;
};

// The logo inserter's behaviour as a state machine without input, output or clock of its
// own: it is handed each write of the host with the time of the write, and returns what it
// answers and when. Misbehaviour is switched on through Faults() at any time.
class TInserterModel {
 public:
  static constexpr std::uint8_t kAckClear = 0x26;
  static constexpr std::uint8_t kAckLineHeader = 0x27;
  static constexpr std::uint8_t kAckLineData = 0x00;
  static constexpr std::uint8_t kAckSizeAndPosition = 0x13;
  static constexpr std::uint8_t kWrongAck = 0x3F;  // "?": none of the acknowledgements
  static constexpr std::uint8_t kFillerByte = 0x37;
  static constexpr std::size_t kFillerRun = 20;
  static constexpr std::size_t kLineTrailingZeros = 24;
  static constexpr std::size_t kMaxStatusText = 255;
  static constexpr const char* kDefaultStatusText = "Logo Inserter Simulator";
  // Clearing the logo memory takes time. The host pauses 20 ms after the clear and then
  // drops whatever has come, so an inserter that answered sooner would never be heard.
  static constexpr std::uint32_t kDefaultClearTimeMs = 250;
  static constexpr std::uint32_t kMaxClearTimeMs = 60000;

  TInserterModel();

  // One write of the host at nowMs (a millisecond counter that may wrap).
  std::vector<TTimedReply> Receive(const core::TBytes& bytes, std::uint32_t nowMs);

  TInserterFaults& Faults() { return faults_; }
  const TInserterFaults& Faults() const { return faults_; }
  // The status reply's text; anything beyond 255 bytes, which the length byte cannot
  // announce, is cut off.
  void SetStatusText(const std::string& text);
  const std::string& StatusText() const { return statusText_; }
  // How long the clear takes before it is acknowledged (at most kMaxClearTimeMs).
  void SetClearTimeMs(std::uint32_t ms) {
    clearTimeMs_ = ms < kMaxClearTimeMs ? ms : kMaxClearTimeMs;
  }
  std::uint32_t ClearTimeMs() const { return clearTimeMs_; }

  // The last logo received whole, and how many uploads ended with one.
  const std::optional<TReceivedLogo>& Logo() const { return logo_; }
  std::uint32_t UploadsCompleted() const { return uploadsCompleted_; }
  const std::vector<TReceivedPosition>& Positions() const { return positions_; }
  // Line headers received since the last clear.
  std::int32_t LinesSinceClear() const { return headersSinceClear_; }
  const TInserterStatistics& Statistics() const { return statistics_; }
  std::uint64_t DroppedMemoryBytes() const { return memory_.DroppedBytes(); }

  const std::vector<TTranscriptEntry>& Transcript() const { return transcript_; }
  // Hands over the transcript so far and starts a new one (a long run keeps no history).
  std::vector<TTranscriptEntry> TakeTranscript();

 private:
  enum class TMatch { Incomplete, Complete, Mismatch };
  enum class TCommand { Clear, LineHeader, SizeAndPosition, Status };

  void Consume(std::uint8_t byte, std::uint64_t atUs);
  void ConsumeLineData(std::uint8_t byte, std::uint64_t atUs);
  void EndLineData(std::uint64_t atUs);
  void Execute(TCommand command, std::uint64_t atUs);
  void ExecuteSizeAndPosition(std::uint8_t w, std::uint8_t h, std::uint8_t x, std::uint8_t y,
                              std::uint64_t atUs);
  core::TBytes StatusReply() const;
  void Answer(TCommandKind command, std::int32_t line, core::TBytes payload, std::uint64_t readyUs);
  void CountIgnored(std::uint8_t byte);
  void Note(const std::string& text);
  static TMatch MatchCommand(const core::TBytes& pending, TCommand& command);

  TInserterFaults faults_;
  std::string statusText_;
  std::uint32_t clearTimeMs_ = kDefaultClearTimeMs;
  TLogoMemory memory_;
  std::optional<TReceivedLogo> logo_;
  std::uint32_t uploadsCompleted_ = 0;
  std::vector<TReceivedPosition> positions_;
  TInserterStatistics statistics_;
  std::vector<TTranscriptEntry> transcript_;

  // Parsing.
  core::TBytes pending_;  // the beginning of a command
  bool inLineData_ = false;
  core::TBytes lineData_;
  std::size_t fillerRun_ = 0;
  bool lineOverflow_ = false;
  std::uint16_t lineWord_ = 0;
  std::int32_t headersSinceClear_ = 0;
  bool uploadOpen_ = false;  // a clear came and its upload has not ended yet

  // Time: the host's millisecond counter, unwrapped into microseconds.
  bool timeStarted_ = false;
  std::uint32_t lastMs_ = 0;
  std::uint64_t nowUs_ = 0;
  std::uint64_t inputFreeUs_ = 0;                // when the last byte written so far has arrived
  std::uint64_t outputFreeUs_ = 0;               // when the last byte answered so far has gone out
  std::vector<TTimedReply>* replies_ = nullptr;  // the answers of the write being handled
};

}  // namespace pavina::sim
