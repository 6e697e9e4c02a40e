#include "SimOptions.h"

#include "ControlCommand.h"
#include "InserterModel.h"

namespace pavina::sim {

namespace {
struct TPathOption {
  const char* name;
  std::string TSimOptions::*field;
};
const TPathOption kPathOptions[] = {{"--link", &TSimOptions::link},
                                    {"--transcript", &TSimOptions::transcript},
                                    {"--logo-out", &TSimOptions::logoOut},
                                    {"--control", &TSimOptions::control}};
}  // namespace

bool ParseSimOptions(int argc, const char* const* argv, TSimOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help" || option == "-h") {
      options.help = true;
      continue;
    }
    if (option == "--verbose") {
      options.verbose = true;
      continue;
    }
    bool known = false;
    for (const auto& path : kPathOptions) {
      if (option != path.name) continue;
      if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
        error = option + " needs a path";
        return false;
      }
      options.*path.field = argv[++i];
      known = true;
    }
    if (known) continue;
    const TControlCommandSpec* spec =
        option.rfind("--", 0) == 0 ? FindControlCommand(option.substr(2)) : nullptr;
    if (!spec) {
      error = "unknown option " + option + " (--help lists them)";
      return false;
    }
    if (i + spec->argumentCount >= argc) {
      error = "usage: " + option + " " + spec->arguments;
      return false;
    }
    TSimOptions::TModelSetting setting{spec->name, {}};
    for (int k = 0; k < spec->argumentCount; ++k) setting.arguments.push_back(argv[++i]);
    options.settings.push_back(std::move(setting));
  }
  return true;
}

std::string SimHelpText() {
  std::string text =
      "inserter-sim: a logo inserter on a pseudo-terminal, for Pavina without the device.\n"
      "\n"
      "It prints \"pty /dev/pts/N\" on one line when it is ready, then answers the inserter's\n"
      "commands on that terminal (19200 baud, 8 data bits, no parity, one stop bit) until it\n"
      "gets SIGTERM or SIGINT (Ctrl+C). Point a COM port at it, under Wine with --link.\n"
      "\n"
      "Options:\n"
      "  --link PATH          make PATH a symbolic link to the terminal (replaced if there;\n"
      "                       removed at the end)\n"
      "  --transcript FILE    record every byte both ways, with times in ms and notes on\n"
      "                       what the inserter made of them\n"
      "  --logo-out PREFIX    after every upload write PREFIX-colour.bmp, PREFIX-key.bmp\n"
      "                       and PREFIX.txt (width, height, x, y, size sent, size-matches)\n"
      "  --control PATH       a FIFO (made if missing) that takes the settings below at run\n"
      "                       time, one a line without the \"--\": echo \"silent on\" > PATH\n"
      "  --verbose            print the notes on standard error as they come\n"
      "  --help               this text\n"
      "\n"
      "Settings (also at run time through --control):\n";
  for (const auto& spec : ControlCommands()) {
    std::string usage = std::string("  --") + spec.name + " " + spec.arguments;
    text += usage + "\n      " + spec.description + "\n";
  }
  text += std::string(
              "\n"
              "TARGET is clear, header, data, sizepos or status; header:N and data:N name the\n"
              "line N only (counted from 0 since the last clear).\n"
              "The status text is \"") +
          TInserterModel::kDefaultStatusText +
          "\" unless set.\n"
          "\n"
          "Example: inserter-sim --link ~/.wine/com2-link --fail header:3 missing\n";
  return text;
}

}  // namespace pavina::sim
