#include "CliOptions.h"

#include <cstdlib>
#include <initializer_list>

namespace pavina::cli {

namespace {

struct TCommandName {
  const char* name;
  TCliCommand command;
  int positionals;
  const char* usage;
};
const TCommandName kCommands[] = {
    {"status", TCliCommand::Status, 0, "status"},
    {"send", TCliCommand::Send, 1, "send IMAGE"},
    {"move", TCliCommand::Move, 2, "move X Y"},
    {"preview", TCliCommand::Preview, 2, "preview IMAGE OUT.png"},
};

// An option, whether it takes a value, and the commands it belongs to (none: all).
struct TOptionSpec {
  const char* name;
  bool takesValue;
  std::initializer_list<TCliCommand> commands;
};
const TOptionSpec kOptions[] = {
    {"--help", false, {}},
    {"-h", false, {}},
    {"--quiet", false, {}},
    {"-q", false, {}},
    {"--port", true, {TCliCommand::Status, TCliCommand::Send, TCliCommand::Move}},
    {"--key", true, {TCliCommand::Send, TCliCommand::Preview}},
    {"--autokey", false, {TCliCommand::Send, TCliCommand::Preview}},
    {"--offset", true, {TCliCommand::Send, TCliCommand::Preview}},
    {"--x", true, {TCliCommand::Send}},
    {"--y", true, {TCliCommand::Send}},
};

const TOptionSpec* FindOption(const std::string& name) {
  for (const auto& spec : kOptions)
    if (name == spec.name) return &spec;
  return nullptr;
}

bool BelongsTo(const TOptionSpec& spec, TCliCommand command) {
  if (spec.commands.size() == 0) return true;
  for (TCliCommand c : spec.commands)
    if (c == command) return true;
  return false;
}

// A whole decimal number within [low, high]; nothing else, not even blanks.
std::optional<int> ParseInRange(const std::string& text, int low, int high) {
  std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i == text.size() || text.size() - i > 6) return std::nullopt;
  for (std::size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return std::nullopt;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}

bool SetNumber(const std::string& what, const std::string& text, int low, int high,
               std::optional<int>& field, std::string& error) {
  field = ParseInRange(text, low, high);
  if (field) return true;
  error = what + " must be a whole number from " + std::to_string(low) + " to " +
          std::to_string(high) + ", not \"" + text + "\"";
  return false;
}

bool Apply(const std::string& name, const std::string& value, TCliOptions& options,
           std::string& error) {
  if (name == "--help" || name == "-h") {
    options.help = true;
  } else if (name == "--quiet" || name == "-q") {
    options.quiet = true;
  } else if (name == "--port") {
    options.port = value;
  } else if (name == "--key") {
    options.key = value;
  } else if (name == "--autokey") {
    options.autoKey = true;
  } else if (name == "--offset") {
    return SetNumber("the key offset", value, kKeyOffsetMin, kKeyOffsetMax, options.keyOffset,
                     error);
  } else if (name == "--x") {
    return SetNumber("X", value, kXMin, kXMax, options.x, error);
  } else if (name == "--y") {
    return SetNumber("Y", value, kYMin, kYMax, options.y, error);
  }
  return true;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, TCliOptions& options,
                     std::string& error) {
  options = TCliOptions{};
  struct TGiven {
    const TOptionSpec* spec;
    std::string value;
  };
  std::vector<TGiven> given;
  std::vector<std::string> positionals;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // Numbers such as a negative offset are values, not options.
    if (arg.size() < 2 || arg[0] != '-' || (arg[1] >= '0' && arg[1] <= '9')) {
      positionals.push_back(arg);
      continue;
    }
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const TOptionSpec* spec = FindOption(name);
    if (!spec) {
      error = "unknown option " + name + " (--help lists them)";
      return false;
    }
    std::string value;
    if (spec->takesValue) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        error = name + " needs a value";
        return false;
      }
      if (value.empty()) {
        error = name + " needs a value";
        return false;
      }
    } else if (equals != std::string::npos) {
      error = name + " takes no value";
      return false;
    }
    given.push_back({spec, value});
  }

  for (const auto& g : given)
    if (!Apply(g.spec->name, g.value, options, error)) return false;
  if (options.help) return true;

  if (positionals.empty()) {
    error = "no command given (--help lists them)";
    return false;
  }
  const TCommandName* command = nullptr;
  for (const auto& c : kCommands)
    if (positionals[0] == c.name) command = &c;
  if (!command) {
    error = "unknown command \"" + positionals[0] + "\" (--help lists them)";
    return false;
  }
  options.command = command->command;
  for (const auto& g : given) {
    if (BelongsTo(*g.spec, options.command)) continue;
    error = std::string(g.spec->name) + " is not an option of " + command->name;
    return false;
  }
  if (positionals.size() - 1 != static_cast<std::size_t>(command->positionals)) {
    error = std::string("usage: pavina-cli ") + command->usage + " [options]";
    return false;
  }
  if (!options.key.empty() && options.autoKey) {
    error = "--key and --autokey exclude each other";
    return false;
  }
  switch (options.command) {
    case TCliCommand::Send:
      options.image = positionals[1];
      break;
    case TCliCommand::Move:
      return SetNumber("X", positionals[1], kXMin, kXMax, options.x, error) &&
             SetNumber("Y", positionals[2], kYMin, kYMax, options.y, error);
    case TCliCommand::Preview:
      options.image = positionals[1];
      options.output = positionals[2];
      break;
    default:
      break;
  }
  return true;
}

std::string CliHelpText() {
  return "pavina-cli: the logo inserter from the command line.\n"
         "\n"
         "Commands:\n"
         "  status                        ask the inserter once; print its status text\n"
         "  send IMAGE [--key KEY | --autokey] [--offset D] [--x X] [--y Y]\n"
         "                                encode IMAGE (BMP, JPEG or PNG) with its key and\n"
         "                                upload it; without --key the key is a PNG's alpha,\n"
         "                                or else made from the image\n"
         "  move X Y                      place the logo at X, Y\n"
         "  preview IMAGE [--key KEY] [--offset D] OUT.png\n"
         "                                write what the inserter will show as a PNG: its\n"
         "                                6-bit colours, keyed over a grey checkerboard\n"
         "\n"
         "Options:\n"
         "  --port PORT   the inserter's serial port: a number n or COMn"
#ifndef _WIN32
         " (COMn is /dev/ttyS(n-1)),\n"
         "                or a device such as /dev/ttyUSB0"
#endif
         "\n"
         "  --offset D    key offset in pixels, -10 to 10\n"
         "  --x X         horizontal position, 2 to 225 (default 50)\n"
         "  --y Y         vertical position, 20 to 254 (default 50)\n"
         "  --quiet       no progress display\n"
         "  --help        this text\n"
         "\n"
         "The port and the key offset default to COM and O in section [VARS] of the file\n"
         "pavina.ini beside the program, where there is one (else COM2 and 5).\n"
         "\n"
         "Exit codes: 0 done; 1 the inserter did not acknowledge; 2 wrong command line;\n"
         "3 no inserter found; 4 the port cannot be opened; 5 a picture cannot be read;\n"
         "6 the preview cannot be written; 130 cancelled with Ctrl+C.\n";
}

}  // namespace pavina::cli
