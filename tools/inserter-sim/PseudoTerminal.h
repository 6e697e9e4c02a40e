#pragma once

#include <string>

namespace pavina::sim {

// The simulator's end of the cable: a pseudo-terminal whose master side the simulator
// reads and writes, and whose slave side the host opens as its serial port. The simulator
// keeps a slave descriptor of its own open (and raw), so that the master never reads EIO
// when the host closes the port, and the line passes every byte unchanged.
class TPseudoTerminal {
 public:
  // Throws std::runtime_error with the reason when no pseudo-terminal can be had.
  TPseudoTerminal();
  TPseudoTerminal(const TPseudoTerminal&) = delete;
  TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;
  ~TPseudoTerminal();

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }
  // Throws away what the simulator sent and no host has read: nobody is listening, and
  // the host drains stale bytes before every exchange anyway.
  void DiscardUnreadOutput();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace pavina::sim
