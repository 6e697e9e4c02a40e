#include "PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace pavina::sim {

namespace {
[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}
}  // namespace

TPseudoTerminal::TPseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) Fail("cannot open a pseudo-terminal");
  try {
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) Fail("cannot unlock the pseudo-terminal");
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) Fail("cannot name the pseudo-terminal");
    slavePath_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) Fail("cannot open " + slavePath_);
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0) Fail("cannot read the settings of " + slavePath_);
    cfmakeraw(&settings);
    cfsetispeed(&settings, B19200);
    cfsetospeed(&settings, B19200);
    if (tcsetattr(slave_, TCSANOW, &settings) != 0) Fail("cannot make " + slavePath_ + " raw");
  } catch (...) {
    if (slave_ >= 0) close(slave_);
    close(master_);
    throw;
  }
}

TPseudoTerminal::~TPseudoTerminal() {
  close(slave_);
  close(master_);
}

void TPseudoTerminal::DiscardUnreadOutput() {
  tcflush(slave_, TCIFLUSH);
}

}  // namespace pavina::sim
