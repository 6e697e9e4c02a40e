#include "InserterModel.h"

#include <algorithm>
#include <string>

#include "WirePacing.h"

namespace pavina::sim {

namespace {
constexpr std::uint8_t kCommandStart = 0xF1;
// A line longer than the whole memory cannot be stored anyway; beyond this its bytes are
// only watched for the filler that ends it.
constexpr std::size_t kMaxLineBytes =
    TLogoMemory::kSize + TInserterModel::kLineTrailingZeros + TInserterModel::kFillerRun;

// The commands' fixed bytes; -1 stands for a parameter byte.
struct TPattern {
  std::vector<int> bytes;
};
const TPattern kClearPattern{{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x18}};
const TPattern kHeaderPattern{{0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, -1, -1}};
const TPattern kSizeAndPositionPattern{{0xF1, 0xF2, -1, -1, -1, -1}};
const TPattern kStatusPattern{{0xF1, 0xF3}};

bool PatternStartsWith(const TPattern& pattern, const core::TBytes& bytes) {
  if (bytes.size() > pattern.bytes.size()) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (pattern.bytes[i] >= 0 && pattern.bytes[i] != bytes[i]) return false;
  return true;
}

std::string Hex(std::uint8_t byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 15]};
}
}  // namespace

TInserterModel::TInserterModel() : statusText_(kDefaultStatusText) {}

void TInserterModel::SetStatusText(const std::string& text) {
  statusText_ = text.substr(0, kMaxStatusText);
}

std::vector<TTranscriptEntry> TInserterModel::TakeTranscript() {
  std::vector<TTranscriptEntry> taken;
  taken.swap(transcript_);
  return taken;
}

std::vector<TTimedReply> TInserterModel::Receive(const core::TBytes& bytes, std::uint32_t nowMs) {
  if (!timeStarted_) {
    timeStarted_ = true;
    lastMs_ = nowMs;
  } else {
    // Wrap-safe: the counter's difference is what counts; time never runs backwards here.
    const auto delta = static_cast<std::int32_t>(nowMs - lastMs_);
    if (delta > 0) {
      nowUs_ += static_cast<std::uint64_t>(delta) * 1000;
      lastMs_ = nowMs;
    }
  }
  transcript_.push_back({lastMs_, TTranscriptDirection::HostToDevice, bytes, {}});

  std::vector<TTimedReply> replies;
  replies_ = &replies;
  const std::uint64_t inputStart = std::max(nowUs_, inputFreeUs_);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint64_t arrival =
        faults_.pacing ? inputStart + wire_pacing::WireTimeUs(i + 1) : nowUs_;
    Consume(bytes[i], arrival);
  }
  inputFreeUs_ = faults_.pacing ? inputStart + wire_pacing::WireTimeUs(bytes.size()) : nowUs_;
  replies_ = nullptr;
  return replies;
}

void TInserterModel::Consume(std::uint8_t byte, std::uint64_t atUs) {
  if (inLineData_) {
    ConsumeLineData(byte, atUs);
    return;
  }
  if (pending_.empty() && byte != kCommandStart) {
    CountIgnored(byte);
    return;
  }
  pending_.push_back(byte);
  TCommand command;
  switch (MatchCommand(pending_, command)) {
    case TMatch::Incomplete:
      return;
    case TMatch::Complete:
      Execute(command, atUs);
      return;
    case TMatch::Mismatch: {
      // Not a command after all: its first byte was noise, and a command may start in
      // what followed it.
      const core::TBytes rest(pending_.begin() + 1, pending_.end());
      CountIgnored(pending_.front());
      pending_.clear();
      for (const std::uint8_t b : rest) Consume(b, atUs);
      return;
    }
  }
}

TInserterModel::TMatch TInserterModel::MatchCommand(const core::TBytes& pending,
                                                    TCommand& command) {
  const std::pair<const TPattern*, TCommand> patterns[] = {
      {&kClearPattern, TCommand::Clear},
      {&kHeaderPattern, TCommand::LineHeader},
      {&kSizeAndPositionPattern, TCommand::SizeAndPosition},
      {&kStatusPattern, TCommand::Status}};
  bool prefix = false;
  for (const auto& [pattern, kind] : patterns) {
    if (!PatternStartsWith(*pattern, pending)) continue;
    if (pending.size() == pattern->bytes.size()) {
      command = kind;
      return TMatch::Complete;
    }
    prefix = true;
  }
  return prefix ? TMatch::Incomplete : TMatch::Mismatch;
}

void TInserterModel::Execute(TCommand command, std::uint64_t atUs) {
  const core::TBytes bytes = std::move(pending_);
  pending_.clear();
  ++statistics_.commands;
  switch (command) {
    case TCommand::Clear:
      memory_.Clear();
      headersSinceClear_ = 0;
      uploadOpen_ = true;
      Note("clear");
      Answer(TCommandKind::Clear, -1, {kAckClear}, atUs + std::uint64_t{clearTimeMs_} * 1000);
      return;
    case TCommand::LineHeader: {
      const std::int32_t line = headersSinceClear_++;
      lineWord_ = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
      Note("header of line " + std::to_string(line) + ", address " +
           std::to_string(std::size_t{lineWord_} * 8));
      if (faults_.silenceAfterLines && line >= *faults_.silenceAfterLines && !faults_.silent) {
        faults_.silent = true;
        Note("hangs: silent from now on");
      }
      inLineData_ = true;
      lineData_.clear();
      fillerRun_ = 0;
      lineOverflow_ = false;
      Answer(TCommandKind::LineHeader, line, {kAckLineHeader}, atUs);
      return;
    }
    case TCommand::SizeAndPosition:
      ExecuteSizeAndPosition(bytes[2], bytes[3], bytes[4], bytes[5], atUs);
      return;
    case TCommand::Status:
      Note("status query");
      Answer(TCommandKind::Status, -1, StatusReply(), atUs);
      return;
  }
}

void TInserterModel::ConsumeLineData(std::uint8_t byte, std::uint64_t atUs) {
  fillerRun_ = byte == kFillerByte ? fillerRun_ + 1 : 0;
  if (lineData_.size() < kMaxLineBytes)
    lineData_.push_back(byte);
  else
    lineOverflow_ = true;
  if (fillerRun_ == kFillerRun) EndLineData(atUs);
}

// Pixel data never holds 20 fillers in a row (every pixel's third byte is 0), so the
// first run of 20 ends the line; the 24 zeros just before it are padding, not data.
void TInserterModel::EndLineData(std::uint64_t atUs) {
  inLineData_ = false;
  fillerRun_ = 0;
  statistics_.fillerBytes += kFillerRun;
  const std::int32_t line = headersSinceClear_ - 1;
  const std::size_t received = lineData_.size() - std::min(lineData_.size(), kFillerRun);
  const bool padded =
      received >= kLineTrailingZeros &&
      std::all_of(lineData_.begin() + static_cast<std::ptrdiff_t>(received - kLineTrailingZeros),
                  lineData_.begin() + static_cast<std::ptrdiff_t>(received),
                  [](std::uint8_t b) { return b == 0; });
  if (lineOverflow_ || !padded) {
    ++statistics_.malformedLines;
    statistics_.unknownBytes += received;
    Note("filler after " + std::to_string(received) + " bytes that are no line data: ignored");
    lineData_.clear();
    return;
  }
  ++statistics_.commands;
  lineData_.resize(received - kLineTrailingZeros);
  memory_.StoreLine(lineWord_, lineData_);
  Note("data of line " + std::to_string(line) + ", " + std::to_string(lineData_.size()) + " bytes");
  lineData_.clear();
  Answer(TCommandKind::LineData, line, {kAckLineData}, atUs);
}

void TInserterModel::ExecuteSizeAndPosition(std::uint8_t w, std::uint8_t h, std::uint8_t x,
                                            std::uint8_t y, std::uint64_t atUs) {
  const std::string where = "position " + std::to_string(x) + " " + std::to_string(y);
  if (w == 0 && h == 0) {
    positions_.push_back({x, y});
    Note(where);
  } else if (uploadOpen_ && memory_.LineCount() > 0) {
    uploadOpen_ = false;
    auto logo = memory_.Reconstruct(w, h, x, y);
    if (logo) {
      logo_ = std::move(logo);
      ++uploadsCompleted_;
      Note("logo " + std::to_string(logo_->width) + " x " + std::to_string(logo_->height) +
           " received; size " + std::to_string(w) + " " + std::to_string(h) +
           (logo_->sizeMatches ? " matches" : " does not match") + "; " + where);
    } else {
      Note("upload ended after " + std::to_string(memory_.LineCount()) +
           " lines without its blank lines; size " + std::to_string(w) + " " + std::to_string(h) +
           ", " + where);
    }
  } else {
    Note("size " + std::to_string(w) + " " + std::to_string(h) + " without an upload, " + where);
  }
  Answer(TCommandKind::SizeAndPosition, -1, {kAckSizeAndPosition}, atUs);
}

core::TBytes TInserterModel::StatusReply() const {
  core::TBytes reply;
  const auto length = static_cast<std::uint8_t>(statusText_.size());
  switch (faults_.statusLength) {
    case TStatusLength::Normal:
      reply.push_back(length);
      break;
    // One byte fewer than announced: the length byte promises one more than the text.
    case TStatusLength::Short:
      reply.push_back(static_cast<std::uint8_t>(length + 1));
      break;
    case TStatusLength::Long:
      reply.push_back(length);
      break;
  }
  reply.insert(reply.end(), statusText_.begin(), statusText_.end());
  if (faults_.statusLength == TStatusLength::Long) reply.push_back(' ');
  return reply;
}

void TInserterModel::Answer(TCommandKind command, std::int32_t line, core::TBytes payload,
                            std::uint64_t readyUs) {
  if (faults_.silent) {
    Note("silent: no answer");
    return;
  }
  const auto fault = faults_.AckFaultFor(command, line);
  if (fault == TAckFault::Missing) {
    Note("answer left out");
    return;
  }
  if (fault == TAckFault::Wrong) {
    payload = {kWrongAck};
    Note("wrong answer " + Hex(kWrongAck));
  }
  core::TBytes bytes = faults_.strayBytes;
  bytes.insert(bytes.end(), payload.begin(), payload.end());

  // One line back to the host: an answer never overtakes an earlier one.
  const std::uint64_t start =
      std::max(readyUs + std::uint64_t{faults_.DelayFor(command, line)} * 1000, outputFreeUs_);
  outputFreeUs_ = faults_.pacing ? start + wire_pacing::WireTimeUs(bytes.size()) : start;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const std::uint64_t at = faults_.pacing ? start + wire_pacing::WireTimeUs(k + 1) : start;
    const auto afterMs = static_cast<std::uint32_t>((at - nowUs_ + 999) / 1000);
    // Bytes due in the same millisecond go out together.
    if (k == 0 || replies_->back().afterMs != afterMs) {
      replies_->push_back({afterMs, {}});
      transcript_.push_back({lastMs_ + afterMs, TTranscriptDirection::DeviceToHost, {}, {}});
    }
    replies_->back().bytes.push_back(bytes[k]);
    transcript_.back().bytes.push_back(bytes[k]);
  }
}

void TInserterModel::CountIgnored(std::uint8_t byte) {
  if (byte == kFillerByte)
    ++statistics_.fillerBytes;
  else
    ++statistics_.unknownBytes;
}

void TInserterModel::Note(const std::string& text) {
  transcript_.push_back({lastMs_, TTranscriptDirection::Note, {}, text});
}

}  // namespace pavina::sim
