#include "ControlFifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace pavina::sim {

TControlFifo::TControlFifo(const std::string& path) : path_(path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if (!S_ISFIFO(info.st_mode)) throw std::runtime_error(path + " exists and is not a FIFO");
  } else if (mkfifo(path.c_str(), 0600) == 0) {
    created_ = true;
  } else {
    throw std::runtime_error("cannot make the FIFO " + path + ": " + std::strerror(errno));
  }
  reader_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (reader_ >= 0) writer_ = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (reader_ < 0 || writer_ < 0) {
    const std::string reason = std::strerror(errno);
    if (reader_ >= 0) close(reader_);
    if (created_) unlink(path.c_str());
    throw std::runtime_error("cannot open the FIFO " + path + ": " + reason);
  }
}

TControlFifo::~TControlFifo() {
  close(writer_);
  close(reader_);
  if (created_) unlink(path_.c_str());
}

std::vector<std::string> TControlFifo::ReadLines() {
  std::vector<std::string> lines;
  char buffer[1024];
  for (;;) {
    const ssize_t count = read(reader_, buffer, sizeof buffer);
    if (count <= 0) break;
    for (ssize_t i = 0; i < count; ++i) {
      if (buffer[i] == '\n') {
        if (discarding_)
          ++droppedLines_;
        else
          lines.push_back(partial_);
        partial_.clear();
        discarding_ = false;
      } else if (partial_.size() < kMaxLine) {
        partial_ += buffer[i];
      } else {
        discarding_ = true;
      }
    }
  }
  return lines;
}

}  // namespace pavina::sim
