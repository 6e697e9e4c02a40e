#include "ControlCommand.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace pavina::sim {

namespace {
constexpr unsigned long kMaxDelayMs = 600000;
constexpr unsigned long kMaxLine = 65535;

const std::vector<TControlCommandSpec> kCommands = {
    {"status", 1, "TEXT", "the text of the status reply (at most 255 bytes)"},
    {"clear-time", 1, "MS", "how long clearing the logo memory takes (default 250)"},
    {"silent", 1, "on|off", "answer nothing at all"},
    {"fail", 2, "TARGET missing|wrong|off",
     "leave out the answer to TARGET, or send a wrong byte (3F) instead"},
    {"delay", 2, "TARGET|all MS", "answer TARGET (or every command) MS ms late; 0 ends it"},
    {"silence-after", 1, "N|off", "hang at the header of line N: silent from then on"},
    {"stray", 1, "HEX[,HEX...]|off", "send these bytes before every answer"},
    {"status-reply", 1, "normal|long|short",
     "a status reply one byte longer or shorter than its length byte says"},
    {"pace", 1, "on|off", "bytes take their time on the wire at 19200 baud, both ways"},
    {"faults", 1, "off", "end every fault (status text, clear time and pacing stay)"},
};

bool ParseNumber(const std::string& text, unsigned long maximum, unsigned long& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  value = std::strtoul(text.c_str(), nullptr, 10);
  return errno == 0 && value <= maximum;
}

bool ParseOnOff(const std::string& text, bool& value) {
  if (text != "on" && text != "off") return false;
  value = text == "on";
  return true;
}

// clear, header, header:N, data, data:N, sizepos, status.
bool ParseTarget(const std::string& text, TFaultTarget& target) {
  const auto colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  if (kind == "clear")
    target.kind = TCommandKind::Clear;
  else if (kind == "header")
    target.kind = TCommandKind::LineHeader;
  else if (kind == "data")
    target.kind = TCommandKind::LineData;
  else if (kind == "sizepos")
    target.kind = TCommandKind::SizeAndPosition;
  else if (kind == "status")
    target.kind = TCommandKind::Status;
  else
    return false;
  target.line.reset();
  if (colon == std::string::npos) return true;
  unsigned long line = 0;
  const bool perLine =
      target.kind == TCommandKind::LineHeader || target.kind == TCommandKind::LineData;
  if (!perLine || !ParseNumber(text.substr(colon + 1), kMaxLine, line)) return false;
  target.line = static_cast<std::int32_t>(line);
  return true;
}

bool ParseHexBytes(const std::string& text, core::TBytes& bytes) {
  bytes.clear();
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    if (item.empty() || item.size() > 2 ||
        item.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      return false;
    bytes.push_back(static_cast<std::uint8_t>(std::strtoul(item.c_str(), nullptr, 16)));
  }
  return !bytes.empty();
}

bool Apply(const std::string& name, const std::vector<std::string>& a, TInserterModel& model) {
  TInserterFaults& faults = model.Faults();
  if (name == "status") {
    if (a[0].size() > TInserterModel::kMaxStatusText) return false;
    model.SetStatusText(a[0]);
    return true;
  }
  if (name == "clear-time") {
    unsigned long ms = 0;
    if (!ParseNumber(a[0], TInserterModel::kMaxClearTimeMs, ms)) return false;
    model.SetClearTimeMs(static_cast<std::uint32_t>(ms));
    return true;
  }
  if (name == "silent") return ParseOnOff(a[0], faults.silent);
  if (name == "pace") return ParseOnOff(a[0], faults.pacing);
  if (name == "fail") {
    TFaultTarget target;
    if (!ParseTarget(a[0], target)) return false;
    if (a[1] == "missing")
      faults.SetAckFault(target, TAckFault::Missing);
    else if (a[1] == "wrong")
      faults.SetAckFault(target, TAckFault::Wrong);
    else if (a[1] == "off")
      faults.SetAckFault(target, std::nullopt);
    else
      return false;
    return true;
  }
  if (name == "delay") {
    unsigned long ms = 0;
    if (!ParseNumber(a[1], kMaxDelayMs, ms)) return false;
    if (a[0] == "all") {
      faults.delayAllMs = static_cast<std::uint32_t>(ms);
      return true;
    }
    TFaultTarget target;
    if (!ParseTarget(a[0], target)) return false;
    faults.SetDelay(target, ms == 0 ? std::nullopt : std::optional<std::uint32_t>(ms));
    return true;
  }
  if (name == "silence-after") {
    unsigned long line = 0;
    if (a[0] == "off")
      faults.silenceAfterLines.reset();
    else if (ParseNumber(a[0], kMaxLine, line))
      faults.silenceAfterLines = static_cast<std::int32_t>(line);
    else
      return false;
    return true;
  }
  if (name == "stray") {
    if (a[0] == "off") {
      faults.strayBytes.clear();
      return true;
    }
    return ParseHexBytes(a[0], faults.strayBytes);
  }
  if (name == "status-reply") {
    if (a[0] == "normal")
      faults.statusLength = TStatusLength::Normal;
    else if (a[0] == "long")
      faults.statusLength = TStatusLength::Long;
    else if (a[0] == "short")
      faults.statusLength = TStatusLength::Short;
    else
      return false;
    return true;
  }
  if (name == "faults") {
    if (a[0] != "off") return false;
    const bool pacing = faults.pacing;
    faults = TInserterFaults{};
    faults.pacing = pacing;
    return true;
  }
  return false;
}
}  // namespace

const std::vector<TControlCommandSpec>& ControlCommands() {
  return kCommands;
}

const TControlCommandSpec* FindControlCommand(const std::string& name) {
  for (const auto& spec : kCommands)
    if (name == spec.name) return &spec;
  return nullptr;
}

bool ApplyControlCommand(const std::string& name, const std::vector<std::string>& arguments,
                         TInserterModel& model, std::string& error) {
  const TControlCommandSpec* spec = FindControlCommand(name);
  if (!spec) {
    error = "unknown command \"" + name + "\"";
    return false;
  }
  const auto usage = std::string(spec->name) + " " + spec->arguments;
  if (arguments.size() != static_cast<std::size_t>(spec->argumentCount)) {
    error = "usage: " + usage;
    return false;
  }
  // Work on a copy so that a half-understood command changes nothing.
  TInserterFaults before = model.Faults();
  const std::string textBefore = model.StatusText();
  const std::uint32_t clearTimeBefore = model.ClearTimeMs();
  if (Apply(name, arguments, model)) return true;
  model.Faults() = std::move(before);
  model.SetStatusText(textBefore);
  model.SetClearTimeMs(clearTimeBefore);
  error = "cannot read \"" + name;
  for (const auto& a : arguments) error += " " + a;
  error += "\"; usage: " + usage;
  return false;
}

bool ApplyControlLine(const std::string& line, TInserterModel& model, std::string& error) {
  std::string trimmed = line;
  while (!trimmed.empty() &&
         (trimmed.back() == '\r' || trimmed.back() == ' ' || trimmed.back() == '\t'))
    trimmed.pop_back();
  const auto start = trimmed.find_first_not_of(" \t");
  if (start == std::string::npos || trimmed[start] == '#') return true;
  trimmed.erase(0, start);
  const auto nameEnd = trimmed.find_first_of(" \t");
  const std::string name = trimmed.substr(0, nameEnd);
  std::vector<std::string> arguments;
  const std::string rest =
      nameEnd == std::string::npos ? "" : trimmed.substr(trimmed.find_first_not_of(" \t", nameEnd));
  if (name == "status") {
    arguments.push_back(rest);
  } else {
    std::istringstream words(rest);
    std::string word;
    while (words >> word) arguments.push_back(word);
  }
  return ApplyControlCommand(name, arguments, model, error);
}

}  // namespace pavina::sim
