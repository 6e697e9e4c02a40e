#pragma once

#include <cstdio>
#include <string>

#include "ControlFifo.h"
#include "InserterModel.h"
#include "OutputQueue.h"
#include "PseudoTerminal.h"

namespace pavina::sim {

// The simulator at work: bytes from the terminal go to the model with the time they came,
// its answers go back when they are due, control lines change the model, the transcript
// and the logo files are written as things happen. Runs until SIGTERM, SIGINT or SIGHUP.
class TSimulatorLoop {
 public:
  struct TOutputs {
    FILE* transcript = nullptr;  // not owned
    std::string logoPrefix;
    bool verbose = false;
  };

  TSimulatorLoop(TInserterModel& model, TPseudoTerminal& terminal, TControlFifo* control,
                 TOutputs outputs);
  TSimulatorLoop(const TSimulatorLoop&) = delete;
  TSimulatorLoop& operator=(const TSimulatorLoop&) = delete;
  ~TSimulatorLoop();

  // Blocks the stop signals for the caller's thread from now on, so that none is lost
  // before Run() waits for them. Call before anything is announced as ready.
  void CatchStopSignals();
  // 0 when stopped by a signal, 1 after a failure of the terminal (with a message).
  int Run();

 private:
  void ReadFromHost();
  void SendDueAnswers();
  void ReadControl();
  void Record(const std::string& note);
  void RecordModelTranscript();
  void WriteLogoIfNew();

  TInserterModel& model_;
  TPseudoTerminal& terminal_;
  TControlFifo* control_;
  TOutputs outputs_;
  TOutputQueue output_;
  int signals_ = -1;
  std::uint32_t uploadsWritten_ = 0;
  std::uint64_t droppedReported_ = 0;
  std::size_t droppedLinesReported_ = 0;
};

}  // namespace pavina::sim
