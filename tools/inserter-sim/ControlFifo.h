#pragma once

#include <string>
#include <vector>

namespace pavina::sim {

// The named pipe through which an operator or a test changes the simulator's behaviour
// while it runs: one command a line, e.g. `echo "silent on" > FIFO`. Writers may come and
// go; the simulator holds a write end itself so that the pipe never reports end of file.
class TControlFifo {
 public:
  // Makes the FIFO when the path does not exist yet (and removes it at the end); an
  // existing FIFO is used as it is. Throws std::runtime_error with the reason otherwise.
  explicit TControlFifo(const std::string& path);
  TControlFifo(const TControlFifo&) = delete;
  TControlFifo& operator=(const TControlFifo&) = delete;
  ~TControlFifo();

  int Fd() const { return reader_; }
  // The complete lines that have come in; a line longer than kMaxLine is dropped whole.
  std::vector<std::string> ReadLines();

  std::size_t DroppedLines() const { return droppedLines_; }

  static constexpr std::size_t kMaxLine = 4096;

 private:
  std::string path_;
  bool created_ = false;
  int reader_ = -1;
  int writer_ = -1;
  std::string partial_;
  bool discarding_ = false;  // inside a line that has grown too long
  std::size_t droppedLines_ = 0;
};

}  // namespace pavina::sim
