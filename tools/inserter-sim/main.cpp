// inserter-sim: the logo inserter on a pseudo-terminal (see --help).
#include <signal.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>

#include "ControlCommand.h"
#include "ControlFifo.h"
#include "InserterModel.h"
#include "PseudoTerminal.h"
#include "SimOptions.h"
#include "SimulatorLoop.h"
#include "SymbolicLink.h"

namespace pavina::sim {
namespace {

int RunSimulator(int argc, char** argv) {
  TSimOptions options;
  std::string error;
  if (!ParseSimOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "inserter-sim: %s\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(SimHelpText().c_str(), stdout);
    return 0;
  }
  TInserterModel model;
  for (const auto& setting : options.settings) {
    if (!ApplyControlCommand(setting.name, setting.arguments, model, error)) {
      std::fprintf(stderr, "inserter-sim: %s\n", error.c_str());
      return 2;
    }
  }
  // A reader of our standard output that has gone must not end the simulator.
  signal(SIGPIPE, SIG_IGN);

  try {
    TPseudoTerminal terminal;
    std::optional<TSymbolicLink> link;
    if (!options.link.empty()) link.emplace(options.link, terminal.SlavePath());
    std::unique_ptr<TControlFifo> control;
    if (!options.control.empty()) control = std::make_unique<TControlFifo>(options.control);
    std::unique_ptr<FILE, int (*)(FILE*)> transcript(nullptr, &std::fclose);
    if (!options.transcript.empty()) {
      transcript.reset(std::fopen(options.transcript.c_str(), "w"));
      if (!transcript) throw std::runtime_error("cannot write " + options.transcript);
      std::fputs(
          "# inserter-sim transcript: ms, host> bytes written, dev< bytes answered "
          "(at the time they go out), # notes\n",
          transcript.get());
    }
    TSimulatorLoop loop(model, terminal, control.get(),
                        {transcript.get(), options.logoOut, options.verbose});
    loop.CatchStopSignals();
    // Announced only now that everything is in place: this line means ready.
    std::printf("pty %s\n", terminal.SlavePath().c_str());
    std::fflush(stdout);
    return loop.Run();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "inserter-sim: %s\n", failure.what());
    return 1;
  }
}

}  // namespace
}  // namespace pavina::sim

int main(int argc, char** argv) {
  return pavina::sim::RunSimulator(argc, argv);
}
