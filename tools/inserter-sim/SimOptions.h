#pragma once

#include <string>
#include <vector>

namespace pavina::sim {

// The simulator's command line: its own options, and the model's settings in the syntax of
// the control FIFO ("--fail header:3 missing" is the FIFO's "fail header:3 missing").
struct TSimOptions {
  std::string link;
  std::string transcript;
  std::string logoOut;
  std::string control;
  bool verbose = false;
  bool help = false;
  struct TModelSetting {
    std::string name;
    std::vector<std::string> arguments;
  };
  std::vector<TModelSetting> settings;
};

// False with a message when an option is unknown or lacks its arguments. The settings'
// values are checked when they are applied to the model.
bool ParseSimOptions(int argc, const char* const* argv, TSimOptions& options, std::string& error);

std::string SimHelpText();

}  // namespace pavina::sim
