// The simulator program itself, over its pseudo-terminal, as a host sees it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BmpReadBack.h"
#include "InserterTraffic.h"

namespace pavina::sim {

namespace {

using namespace core::inserter_traffic;
using Clock = std::chrono::steady_clock;

// Generous: the tests run beside others on two cores under the sanitizers.
constexpr int kAnswerTimeoutMs = 5000;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The line of the text that holds the part, or nothing.
std::string LineWith(const std::string& text, const std::string& part) {
  const auto at = text.find(part);
  if (at == std::string::npos) return {};
  const auto start = text.rfind('\n', at);
  const auto first = start == std::string::npos ? 0 : start + 1;
  return text.substr(first, text.find('\n', at) - first);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

// Waits until the file holds the text, for at most kAnswerTimeoutMs.
bool WaitForText(const std::string& path, const std::string& text) {
  const auto end = Clock::now() + std::chrono::milliseconds(kAnswerTimeoutMs);
  while (Clock::now() < end) {
    if (ReadFile(path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// One run of the simulator as a child process, stopped by its PID at the end.
class SimulatorProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/inserter-sim-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir = name;
    link = dir + "/com-link";
  }
  void TearDown() override {
    if (port >= 0) close(port);
    if (pid > 0) Stop();
    std::system(("rm -rf '" + dir + "'").c_str());
  }

  // Starts the simulator with the link and the options; returns its "pty" line.
  std::string Start(std::vector<std::string> options) {
    options.insert(options.begin(), {INSERTER_SIM_PATH, "--link", link});
    int out[2];
    if (pipe(out) != 0) return {};
    pid = fork();
    if (pid == 0) {
      dup2(out[1], STDOUT_FILENO);
      const int err = open((dir + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(err, STDERR_FILENO);
      close(out[0]);
      std::vector<char*> argv;
      for (auto& o : options) argv.push_back(o.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    std::string line;
    pollfd fd{out[0], POLLIN, 0};
    char c = 0;
    while (line.find('\n') == std::string::npos && poll(&fd, 1, 10000) > 0 &&
           read(out[0], &c, 1) == 1)
      line += c;
    close(out[0]);
    return line;
  }

  // SIGTERM, then the exit status; a simulator that does not end is killed.
  int Stop() {
    kill(pid, SIGTERM);
    int status = 0;
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (Clock::now() > end) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Opens the simulator's terminal as a host opens its serial port: raw, 19200 8N1.
  int OpenPort() {
    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return fd;
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    cfsetspeed(&settings, B19200);
    tcsetattr(fd, TCSANOW, &settings);
    return fd;
  }

  // Writes the bytes and collects the answer until it has `expected` bytes or the time
  // is up; the answer may be longer when more came than expected.
  core::TBytes Exchange(const core::TBytes& bytes, std::size_t expected,
                        int timeoutMs = kAnswerTimeoutMs) {
    if (!bytes.empty() &&
        write(port, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
      return {};
    core::TBytes answer;
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (answer.size() < expected) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      pollfd fd{port, POLLIN, 0};
      if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) <= 0) break;
      std::uint8_t buffer[512];
      const ssize_t count = read(port, buffer, sizeof buffer);
      if (count > 0) answer.insert(answer.end(), buffer, buffer + count);
    }
    return answer;
  }

  std::string dir, link;
  pid_t pid = -1;
  int port = -1;
};

TEST_F(SimulatorProgram, AnswersTheStatusQueryOnTheTerminalItAnnounces) {
  const std::string line = Start({"--status", "Test Unit 7"});
  ASSERT_EQ(line.rfind("pty /dev/pts/", 0), 0u) << line;
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ("pty " + std::string(target) + "\n", line);
  port = OpenPort();
  ASSERT_GE(port, 0);
  EXPECT_EQ(Exchange(Status(), 12), StatusReply("Test Unit 7"));
  // The host closes its port and opens it again: the simulator goes on answering.
  close(port);
  port = OpenPort();
  EXPECT_EQ(Exchange(Status(), 12), StatusReply("Test Unit 7"));
}

TEST_F(SimulatorProgram, AnUploadIsWrittenAsPicturesAndTheTranscriptKeepsEveryByte) {
  const std::string prefix = dir + "/logo", transcript = dir + "/transcript.txt";
  ASSERT_FALSE(Start({"--logo-out", prefix, "--transcript", transcript}).empty());
  port = OpenPort();
  ASSERT_GE(port, 0);
  const std::int32_t width = 3, height = 2;
  Exchange(Filler(30), 0, 0);
  ASSERT_EQ(Exchange(Clear(), 1), core::TBytes{0x26});
  for (std::int32_t line = 0; line < height + 3; ++line) {
    ASSERT_EQ(Exchange(LineHeader(line), 1), core::TBytes{0x27}) << line;
    const core::TBytes data = line < height ? PatternLine(width, line) : core::TBytes(width * 4, 0);
    Exchange(PaddedLine(data), 0, 0);
    ASSERT_EQ(Exchange(Filler(20), 1), core::TBytes{0x00}) << line;
    Exchange(Filler(20), 0, 0);
  }
  ASSERT_EQ(Exchange(SizeAndPosition(width + 4, (height + 2) / 2, 61, 72), 1), core::TBytes{0x13});

  // The files are written before the acknowledgement goes out.
  EXPECT_EQ(ReadFile(prefix + ".txt"),
            "width 3\nheight 2\nx 61\ny 72\nsent-size 7 2\nsize-matches yes\n"
            "lines-equal yes\nupload 1\n");
  const std::string colourFile = ReadFile(prefix + "-colour.bmp");
  const std::string keyFile = ReadFile(prefix + "-key.bmp");
  const auto colour = ReadBackBmp24(core::TBytes(colourFile.begin(), colourFile.end()));
  const auto key = ReadBackBmp24(core::TBytes(keyFile.begin(), keyFile.end()));
  ASSERT_TRUE(colour && key);
  ASSERT_EQ(colour->Width(), width);
  ASSERT_EQ(key->Height(), height);
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const TPixel p = PatternPixel(x, y);
      EXPECT_EQ(colour->ReadPixel(x, y), Rgb(p.r, p.g, p.b));
      EXPECT_EQ(key->ReadPixel(x, y), Rgb(p.k, p.k, p.k));
    }
  }
  ASSERT_TRUE(WaitForText(transcript, "# logo 3 x 2 received"));
  const std::string record = ReadFile(transcript);
  // A line holds what one read got: the command may follow the filler written before it.
  EXPECT_NE(LineWith(record, " F1 F1 88 88 84 18\n").find("host>"), std::string::npos) << record;
  EXPECT_NE(LineWith(record, " F1 F2 07 02 3D 48\n").find("host>"), std::string::npos) << record;
  EXPECT_NE(record.find(" dev< 26\n"), std::string::npos) << record;
  EXPECT_NE(record.find(" dev< 13\n"), std::string::npos) << record;
}

TEST_F(SimulatorProgram, TheControlFifoChangesTheBehaviourWhileItRuns) {
  const std::string control = dir + "/control", transcript = dir + "/transcript.txt";
  ASSERT_FALSE(Start({"--control", control, "--transcript", transcript}).empty());
  port = OpenPort();
  ASSERT_GE(port, 0);
  auto send = [&](const std::string& line) {
    const int fifo = open(control.c_str(), O_WRONLY);
    ASSERT_GE(fifo, 0);
    ASSERT_EQ(write(fifo, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    close(fifo);
  };
  send("silent on\nfail header:2 wrong\n");
  ASSERT_TRUE(WaitForText(transcript, "# control: fail header:2 wrong"));
  EXPECT_EQ(Exchange(Status(), 1, 500), core::TBytes{});
  send("no such thing\n");
  ASSERT_TRUE(WaitForText(dir + "/stderr", "unknown command \"no\""));
  send("silent off\nstatus Now Talking\n");
  ASSERT_TRUE(WaitForText(transcript, "# control: status Now Talking"));
  EXPECT_EQ(Exchange(Status(), 12), StatusReply("Now Talking"));
}

TEST_F(SimulatorProgram, AnswersThatNoHostReadsDoNotBlockTheSimulator) {
  ASSERT_FALSE(Start({}).empty());
  // Far more answer bytes than the terminal holds, written by a host that never reads.
  port = OpenPort();
  ASSERT_GE(port, 0);
  for (int i = 0; i < 400; ++i) ASSERT_EQ(write(port, Status().data(), 2), 2);
  close(port);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  port = OpenPort();
  tcflush(port, TCIFLUSH);  // the host drains before its query
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  Exchange({}, 100000, 200);
  EXPECT_EQ(Exchange(Status(), 24), StatusReply("Logo Inserter Simulator"));
}

TEST_F(SimulatorProgram, PacedAnswersTakeTheirTimeOnTheWire) {
  ASSERT_FALSE(Start({"--pace", "on", "--status", "0123456789012345678901234"}).empty());
  port = OpenPort();
  ASSERT_GE(port, 0);
  // 2 bytes in and 26 out at 10 bits a byte and 19200 baud: at least 14.5 ms. Several
  // exchanges, because an early answer shows only when it arrives late in a millisecond.
  for (int i = 0; i < 8; ++i) {
    const auto start = Clock::now();
    EXPECT_EQ(Exchange(Status(), 26).size(), 26u);
    EXPECT_GE(Clock::now() - start, std::chrono::microseconds(14500)) << "exchange " << i;
  }
}

TEST_F(SimulatorProgram, StopsOnSigtermRemovingItsLinkAndFifo) {
  // A stale link from an earlier run is replaced.
  ASSERT_EQ(symlink("/nonexistent", link.c_str()), 0);
  const std::string control = dir + "/control";
  ASSERT_FALSE(Start({"--control", control}).empty());
  EXPECT_TRUE(Exists(control));
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_STRNE(target, "/nonexistent");
  EXPECT_EQ(Stop(), 0);
  EXPECT_FALSE(Exists(link));
  EXPECT_FALSE(Exists(control));
}

TEST(SimulatorProgramOptions, HelpAndBadOptions) {
  auto run = [](const std::string& arguments, std::string& output) {
    const std::string command = std::string(INSERTER_SIM_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    output.clear();
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::string output;
  EXPECT_EQ(run("--help", output), 0);
  for (const char* word : {"--link", "--transcript", "--logo-out", "--control", "--fail",
                           "--silence-after", "--stray", "--pace"})
    EXPECT_NE(output.find(word), std::string::npos) << word;
  EXPECT_EQ(run("--fail header:x missing", output), 2);
  EXPECT_NE(output.find("usage: fail TARGET missing|wrong|off"), std::string::npos) << output;
  EXPECT_EQ(run("--frobnicate", output), 2);
  EXPECT_NE(output.find("unknown option --frobnicate"), std::string::npos) << output;
  EXPECT_EQ(run("--delay all", output), 2);
  EXPECT_EQ(run("--control /nonexistent-dir/fifo", output), 1);
  EXPECT_NE(output.find("cannot make the FIFO"), std::string::npos) << output;
}

}  // namespace

}  // namespace pavina::sim
