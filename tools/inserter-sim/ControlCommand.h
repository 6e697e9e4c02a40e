#pragma once

#include <string>
#include <vector>

#include "InserterModel.h"

namespace pavina::sim {

// The settings an operator can change while the simulator runs, in one syntax for the
// command line ("--fail header:3 missing") and the control FIFO ("fail header:3 missing").
struct TControlCommandSpec {
  const char* name;
  int argumentCount;
  const char* arguments;
  const char* description;
};

const std::vector<TControlCommandSpec>& ControlCommands();
const TControlCommandSpec* FindControlCommand(const std::string& name);

// Applies one command to the model; false with a message for the operator when the command
// is unknown or its arguments are not understood, and the model is then left unchanged.
bool ApplyControlCommand(const std::string& name, const std::vector<std::string>& arguments,
                         TInserterModel& model, std::string& error);

// One line of the control FIFO. Words are separated by blanks, except that "status" takes
// the rest of the line as its text. Empty lines and lines starting with "#" do nothing.
bool ApplyControlLine(const std::string& line, TInserterModel& model, std::string& error);

}  // namespace pavina::sim
