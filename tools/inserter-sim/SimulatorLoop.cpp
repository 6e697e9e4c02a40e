#include "SimulatorLoop.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ControlCommand.h"
#include "LogoFiles.h"
#include "SteadyClock.h"

namespace pavina::sim {

TSimulatorLoop::TSimulatorLoop(TInserterModel& model, TPseudoTerminal& terminal,
                               TControlFifo* control, TOutputs outputs)
    : model_(model), terminal_(terminal), control_(control), outputs_(std::move(outputs)) {}

TSimulatorLoop::~TSimulatorLoop() {
  if (signals_ >= 0) close(signals_);
}

void TSimulatorLoop::CatchStopSignals() {
  sigset_t stops;
  sigemptyset(&stops);
  sigaddset(&stops, SIGTERM);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGHUP);
  sigprocmask(SIG_BLOCK, &stops, nullptr);
  signals_ = signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK);
}

int TSimulatorLoop::Run() {
  if (signals_ < 0) CatchStopSignals();
  for (;;) {
    SendDueAnswers();
    const bool waitingToWrite = !output_.Empty() && output_.MsUntilNext(SteadyMs()) == 0;
    pollfd fds[3] = {
        {terminal_.MasterFd(), static_cast<short>(POLLIN | (waitingToWrite ? POLLOUT : 0)), 0},
        {signals_, POLLIN, 0},
        {control_ ? control_->Fd() : -1, POLLIN, 0}};
    const int timeout = waitingToWrite ? -1 : output_.MsUntilNext(SteadyMs());
    if (poll(fds, 3, timeout) < 0 && errno != EINTR) {
      std::fprintf(stderr, "inserter-sim: poll failed: %s\n", std::strerror(errno));
      return 1;
    }
    if (fds[1].revents & POLLIN) return 0;
    if (fds[0].revents & (POLLERR | POLLNVAL)) {
      std::fprintf(stderr, "inserter-sim: the terminal failed\n");
      return 1;
    }
    if (fds[0].revents & POLLIN) ReadFromHost();
    if (fds[2].revents & POLLIN) ReadControl();
  }
}

void TSimulatorLoop::ReadFromHost() {
  std::uint8_t buffer[4096];
  const ssize_t count = read(terminal_.MasterFd(), buffer, sizeof buffer);
  if (count <= 0) return;
  const std::uint32_t now = SteadyMs(TMsRounding::Up);
  for (const auto& reply : model_.Receive(core::TBytes(buffer, buffer + count), now))
    output_.Add(now + reply.afterMs, reply.bytes);
  RecordModelTranscript();
  WriteLogoIfNew();
}

void TSimulatorLoop::SendDueAnswers() {
  const core::TBytes due = output_.Due(SteadyMs());
  if (due.empty()) return;
  ssize_t written = write(terminal_.MasterFd(), due.data(), due.size());
  if (written < 0 && errno == EAGAIN) {
    // The terminal's buffer is full: no host has read for a long while.
    terminal_.DiscardUnreadOutput();
    written = write(terminal_.MasterFd(), due.data(), due.size());
  }
  if (written > 0) output_.Sent(static_cast<std::size_t>(written));
  if (output_.Dropped() != droppedReported_) {
    droppedReported_ = output_.Dropped();
    Record("no host reads: " + std::to_string(droppedReported_) + " answer bytes dropped so far");
  }
}

void TSimulatorLoop::ReadControl() {
  for (const auto& line : control_->ReadLines()) {
    std::string error;
    if (ApplyControlLine(line, model_, error)) {
      Record("control: " + line);
    } else {
      std::fprintf(stderr, "inserter-sim: control: %s\n", error.c_str());
      Record("control refused: " + line + " (" + error + ")");
    }
  }
  if (control_->DroppedLines() != droppedLinesReported_) {
    droppedLinesReported_ = control_->DroppedLines();
    std::fprintf(stderr, "inserter-sim: control: a line longer than %zu bytes was ignored\n",
                 TControlFifo::kMaxLine);
  }
}

void TSimulatorLoop::Record(const std::string& note) {
  // Stamped as arrivals are, so a note never bears a time before the bytes read ahead of it.
  const TTranscriptEntry entry{SteadyMs(TMsRounding::Up), TTranscriptDirection::Note, {}, note};
  if (outputs_.transcript) {
    std::fprintf(outputs_.transcript, "%s\n", FormatTranscriptEntry(entry).c_str());
    std::fflush(outputs_.transcript);
  }
  if (outputs_.verbose) std::fprintf(stderr, "inserter-sim: %s\n", note.c_str());
}

void TSimulatorLoop::RecordModelTranscript() {
  for (const auto& entry : model_.TakeTranscript()) {
    if (outputs_.transcript)
      std::fprintf(outputs_.transcript, "%s\n", FormatTranscriptEntry(entry).c_str());
    if (outputs_.verbose && entry.direction == TTranscriptDirection::Note)
      std::fprintf(stderr, "inserter-sim: %s\n", entry.note.c_str());
  }
  if (outputs_.transcript) std::fflush(outputs_.transcript);
}

void TSimulatorLoop::WriteLogoIfNew() {
  if (model_.UploadsCompleted() == uploadsWritten_ || !model_.Logo()) return;
  uploadsWritten_ = model_.UploadsCompleted();
  if (outputs_.logoPrefix.empty()) return;
  std::string error;
  if (!WriteLogoFiles(outputs_.logoPrefix, *model_.Logo(), uploadsWritten_, error))
    std::fprintf(stderr, "inserter-sim: %s\n", error.c_str());
}

}  // namespace pavina::sim
