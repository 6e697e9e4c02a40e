#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pavina::cli {

enum class TCliCommand { None, Status, Send, Move, Preview };

// The command line as given; what it leaves out comes from the settings file.
struct TCliOptions {
  TCliCommand command = TCliCommand::None;
  bool help = false;
  bool quiet = false;
  std::optional<std::string> port;
  std::string image;
  std::string key;
  bool autoKey = false;
  std::optional<int> keyOffset;
  std::optional<int> x;
  std::optional<int> y;
  std::string output;
};

// The ranges of the main window's controls, which the command line keeps.
inline constexpr int kXMin = 2, kXMax = 225, kStartX = 50;
inline constexpr int kYMin = 20, kYMax = 254, kStartY = 50;
inline constexpr int kKeyOffsetMin = -10, kKeyOffsetMax = 10;

// args without the program name. False with a message for the operator when the line is
// not understood; options may stand before or after the command, as "--x 7" or "--x=7".
bool ParseCliOptions(const std::vector<std::string>& args, TCliOptions& options,
                     std::string& error);

std::string CliHelpText();

}  // namespace pavina::cli
