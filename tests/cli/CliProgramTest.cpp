// pavina-cli as a script runs it, against the inserter simulator on a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "BmpTestFile.h"
#include "PictureFile.h"

namespace pavina::cli {

namespace {

using Clock = std::chrono::steady_clock;
// Generous: the tests share two cores with others, under the sanitizers.
constexpr int kWaitMs = 20000;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool WaitForText(const std::string& path, const std::string& text) {
  const auto end = Clock::now() + std::chrono::milliseconds(kWaitMs);
  while (Clock::now() < end) {
    if (Contains(ReadText(path), text)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// A logo of 37 x 11 pixels in many colours, black in a few places so that the automatic
// key has holes, and a key picture whose green varies across it.
constexpr std::int32_t kWidth = 37, kHeight = 11;
std::uint32_t ImageColour(std::int32_t x, std::int32_t y) {
  if ((x * 7 + y * 3) % 11 == 0) return 0;
  return static_cast<std::uint32_t>(x * 7 + 1) | static_cast<std::uint32_t>(y * 23) << 8 |
         static_cast<std::uint32_t>((x + y) * 5 + 3) << 16;
}
std::uint32_t KeyColour(std::int32_t x, std::int32_t y) {
  return 0x1F | static_cast<std::uint32_t>((x * 6 + y * 2) & 0xFF) << 8 | 0xA00000;
}

void WriteBmp(const std::string& path, std::uint32_t (*colour)(std::int32_t, std::int32_t)) {
  pictures::TBmpTestFile bmp;
  bmp.width = kWidth;
  bmp.height = kHeight;
  for (std::int32_t y = 0; y < kHeight; ++y)
    for (std::int32_t x = 0; x < kWidth; ++x) bmp.pixels.push_back(colour(x, y));
  const auto bytes = bmp.Write();
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

struct TRun {
  int exit = -1;
  std::string out, err;
};

class CliProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/pavina-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir = name;
    link = dir + "/com-link";
    image = dir + "/logo.bmp";
    key = dir + "/key.bmp";
    WriteBmp(image, ImageColour);
    WriteBmp(key, KeyColour);
  }
  void TearDown() override {
    if (simulator > 0) StopSimulator();
    std::system(("rm -rf '" + dir + "'").c_str());
  }

  // The simulator with its link, transcript, received logo and control FIFO in dir.
  void StartSimulator(std::vector<std::string> options = {}) {
    options.insert(options.begin(),
                   {INSERTER_SIM_PATH, "--link", link, "--transcript", dir + "/transcript",
                    "--logo-out", dir + "/got", "--control", dir + "/control"});
    simulator = Spawn(options, dir + "/sim.out", dir + "/sim.err");
    ASSERT_TRUE(WaitForText(dir + "/sim.out", "pty ")) << ReadText(dir + "/sim.err");
  }
  void StopSimulator() {
    kill(simulator, SIGTERM);
    Wait(simulator);
    simulator = -1;
  }
  void Control(const std::string& line) {
    std::ofstream(dir + "/control") << line << std::endl;
    // The simulator takes the line before the next command; a status query makes sure.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::string Transcript() const { return ReadText(dir + "/transcript"); }

  static pid_t Spawn(const std::vector<std::string>& argv, const std::string& out,
                     const std::string& err, int errFd = -1) {
    // Gone before the child starts, so that nobody reads an earlier run's output as its.
    unlink(out.c_str());
    if (errFd < 0) unlink(err.c_str());
    const pid_t pid = fork();
    if (pid == 0) {
      const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int e = errFd >= 0 ? errFd : open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int in = open("/dev/null", O_RDONLY);
      dup2(in, STDIN_FILENO);
      dup2(o, STDOUT_FILENO);
      dup2(e, STDERR_FILENO);
      setpgid(0, 0);  // Ctrl+C in the test's terminal is not theirs
      std::vector<char*> args;
      for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      execv(args[0], args.data());
      _exit(127);
    }
    return pid;
  }

  // The exit code; a child that does not end is killed and gives -1.
  static int Wait(pid_t pid, const std::function<void()>& meanwhile = {}) {
    int status = 0;
    const auto end = Clock::now() + std::chrono::milliseconds(3 * kWaitMs);
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (meanwhile) meanwhile();
      if (Clock::now() > end) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::vector<std::string> Line(std::vector<std::string> args, const std::string& program = {}) {
    args.insert(args.begin(), program.empty() ? std::string(PAVINA_CLI_PATH) : program);
    return args;
  }

  TRun Run(const std::vector<std::string>& args, const std::string& program = {}) {
    TRun run;
    run.exit = Wait(Spawn(Line(args, program), dir + "/cli.out", dir + "/cli.err"));
    run.out = ReadText(dir + "/cli.out");
    run.err = ReadText(dir + "/cli.err");
    return run;
  }

  // As Run, with standard error on a terminal, as an operator at a console has it.
  TRun RunOnTerminal(const std::vector<std::string>& args) {
    int master = -1, slave = -1;
    TRun run;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return run;
    const pid_t pid = Spawn(Line(args), dir + "/cli.out", {}, slave);
    close(slave);
    auto drain = [&] {
      char buffer[4096];
      pollfd fd{master, POLLIN, 0};
      while (poll(&fd, 1, 0) > 0) {
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        run.err.append(buffer, static_cast<std::size_t>(n));
      }
    };
    run.exit = Wait(pid, drain);
    drain();
    close(master);
    run.out = ReadText(dir + "/cli.out");
    return run;
  }

  pictures::TRaster Received(const std::string& which) const {
    pictures::TPictureResult loaded = pictures::LoadPictureFile(dir + "/got-" + which + ".bmp");
    EXPECT_TRUE(loaded.Ok()) << which;
    return std::move(loaded.raster);
  }

  std::string dir, link, image, key;
  pid_t simulator = -1;
};

TEST_F(CliProgram, StatusPrintsTheInsertersTextOrNotFound) {
  StartSimulator({"--status", "Unit 7"});
  TRun run = Run({"status", "--port", link});
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "Unit 7 Ready\n");

  // No answer, and an answer longer than its length byte says: both not found.
  for (const char* fault : {"silent on", "status-reply long"}) {
    Control(fault);
    run = Run({"status", "--port", link});
    EXPECT_EQ(run.exit, 3) << fault;
    EXPECT_EQ(run.out, "Logo Inserter Not Found\n") << fault;
    Control("faults off");
  }
}

TEST_F(CliProgram, SendUploadsTheImageWithItsAutomaticKeyDelayedByTheOffset) {
  StartSimulator();
  const TRun run = Run({"send", image, "--port", link, "--x", "61", "--y", "72"});
  ASSERT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "Logo 37x11 sent to " + link + " at X 61, Y 72\n");
  // A log gets plain lines: the inserter's status, then each step of the way.
  EXPECT_EQ(run.err.rfind("Logo Inserter Simulator Ready\nCreating...\n", 0), 0u) << run.err;
  EXPECT_TRUE(Contains(run.err, "\nClearing...\nSending...\nSending... 10%\n")) << run.err;
  EXPECT_TRUE(Contains(run.err, "\nSending... 100%\n")) << run.err;

  EXPECT_EQ(ReadText(dir + "/got.txt"),
            "width 37\nheight 11\nx 61\ny 72\nsent-size 41 6\nsize-matches yes\n"
            "lines-equal yes\nupload 1\n");
  const pictures::TRaster colour = Received("colour"), keyIn = Received("key");
  ASSERT_EQ(colour.Width(), kWidth);
  ASSERT_EQ(keyIn.Height(), kHeight);
  // Without a settings file the key offset is 5: pixel x has the key of pixel x - 5.
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      ASSERT_EQ(colour.ReadPixel(x, y), ImageColour(x, y) & 0xFCFCFC) << x << "," << y;
      const bool covered = x >= 5 && ImageColour(x - 5, y) != 0;
      ASSERT_EQ(keyIn.ReadPixel(x, y) & 0xFF, covered ? 252u : 0u) << x << "," << y;
    }
  }
}

TEST_F(CliProgram, SendWithAKeyFileOnATerminalShowsOneProgressBar) {
  StartSimulator();
  const TRun run = RunOnTerminal({"send", image, "--key", key, "--offset", "0", "--port", link});
  ASSERT_EQ(run.exit, 0) << run.err;
  EXPECT_TRUE(Contains(run.err, "\rSending...  [")) << run.err;
  EXPECT_TRUE(Contains(run.err, "[##############################]  100%\r\n")) << run.err;
  EXPECT_FALSE(Contains(run.err, "Sending... 10%")) << run.err;
  const pictures::TRaster keyIn = Received("key");
  for (std::int32_t y = 0; y < kHeight; ++y)
    for (std::int32_t x = 0; x < kWidth; ++x)
      ASSERT_EQ(keyIn.ReadPixel(x, y) & 0xFF, (KeyColour(x, y) >> 8 & 0xFC)) << x << "," << y;
}

// Every way an upload fails ends with the window's message and a non-zero exit.
TEST_F(CliProgram, SendFailuresGiveTheWindowsMessages) {
  StartSimulator();
  const struct {
    const char* fault;
    int exit;
    const char* message;
    bool sizeSent;
  } cases[] = {
      {"fail clear wrong", 1, "Clear Error ,Try Again\n", false},
      {"fail header:2 wrong", 1, "Header Error, Line 2 ,Try Again\n", true},
      {"fail data:1 missing", 1, "Data Error, Line 1 ,Try Again\n", true},
      {"fail header:12 wrong", 1, "Header Error, Line 12 ,Try Again\n", true},  // a blank line
      {"fail sizepos wrong", 1, "Size And Position Error ,Try Again\n", true},
      {"silent on", 3, "Logo Inserter Not Found\n", false},
  };
  for (const auto& c : cases) {
    Control(c.fault);
    const std::size_t before = Transcript().size();
    const TRun run = Run({"send", image, "--port", link, "-q"});
    Control("faults off");
    EXPECT_EQ(run.exit, c.exit) << c.fault << ": " << run.err;
    EXPECT_EQ(run.err, c.message) << c.fault;
    EXPECT_EQ(run.out, "") << c.fault;
    const std::string during = Transcript().substr(before);
    EXPECT_EQ(Contains(during, "position 50 50"), c.sizeSent) << c.fault << "\n" << during;
    // Without an inserter nothing is even tried.
    if (c.exit == 3) {
      EXPECT_FALSE(Contains(during, "# clear")) << during;
    }
  }
}

TEST_F(CliProgram, CtrlCCancelsAsTheCancelButtonDoes) {
  // Each line's answer comes late, and the clear takes seconds, so that there is time.
  StartSimulator({"--delay", "data", "200", "--clear-time", "3000"});
  const struct {
    const char* phase;
    bool sizeSent;
  } cases[] = {
      {"Sending...", true},
      // Last: the simulator goes on clearing after the cancel and answers nothing meanwhile.
      {"Clearing...", false},
  };
  for (const auto& c : cases) {
    const std::size_t before = Transcript().size();
    const pid_t pid =
        Spawn(Line({"send", image, "--port", link}), dir + "/cli.out", dir + "/cli.err");
    ASSERT_TRUE(WaitForText(dir + "/cli.err", c.phase))
        << ReadText(dir + "/cli.err") << Transcript();
    kill(pid, SIGINT);
    EXPECT_EQ(Wait(pid), 130) << c.phase << ": " << ReadText(dir + "/cli.err");
    EXPECT_TRUE(Contains(ReadText(dir + "/cli.err"),
                         "pavina-cli: cancelled; the inserter may hold part of the logo\n"))
        << ReadText(dir + "/cli.err");
    EXPECT_FALSE(Contains(ReadText(dir + "/cli.err"), "Try Again")) << c.phase;
    // A cancel during the lines still ends with the size and position; during the clear not.
    const std::string during = Transcript().substr(before);
    EXPECT_EQ(Contains(during, "upload ended after"), c.sizeSent) << c.phase << "\n" << during;
    EXPECT_FALSE(Contains(during, "received;")) << during;
  }
}

TEST_F(CliProgram, MoveSendsThePositionAlone) {
  StartSimulator();
  TRun run = Run({"move", "10", "30", "--port", link});
  EXPECT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "Logo moved to X 10, Y 30\n");
  EXPECT_TRUE(Contains(Transcript(), "# position 10 30")) << Transcript();

  Control("fail sizepos missing");
  run = Run({"move", "11", "31", "--port", link});
  EXPECT_EQ(run.exit, 1);
  EXPECT_TRUE(Contains(run.err, "Size And Position Error ,Try Again\n")) << run.err;
  Control("silent on");
  run = Run({"move", "12", "32", "--port", link});
  EXPECT_EQ(run.exit, 3);
  EXPECT_TRUE(Contains(run.err, "Logo Inserter Not Found\n")) << run.err;
}

TEST_F(CliProgram, PortsThatCannotBeUsedAreNamedWithTheReason) {
  StartSimulator();
  // Held by another program that locks it as we do.
  const int held = open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
  TRun run = Run({"send", image, "--port", link});
  EXPECT_EQ(run.exit, 4);
  EXPECT_EQ(run.err, "pavina-cli: " + link + ": port in use\n");
  close(held);
  EXPECT_EQ(Run({"status", "--port", link}).exit, 0);

  const std::string file = dir + "/plain-file";
  std::ofstream(file) << "x";
  const struct {
    std::string port;
    std::string reason;
  } cases[] = {{dir + "/no-such-port", "no such port"}, {file, "not a serial port"}};
  for (const auto& c : cases) {
    run = Run({"status", "--port", c.port});
    EXPECT_EQ(run.exit, 4) << c.port;
    EXPECT_EQ(run.err, "pavina-cli: " + c.port + ": " + c.reason + "\n");
  }
  run = Run({"status", "--port", "COM0"});
  EXPECT_EQ(run.exit, 2);
  EXPECT_EQ(run.err, "pavina-cli: no such port \"COM0\" (a number or COMn, or a device path)\n");
}

TEST_F(CliProgram, PicturesThatCannotBeReadStopBeforeThePortIsTouched) {
  StartSimulator();
  std::ofstream(dir + "/broken.bmp") << "BM not a bitmap";
  TRun run = Run({"send", dir + "/missing.jpg", "--port", link});
  EXPECT_EQ(run.exit, 5);
  EXPECT_EQ(run.err, "File Read Error ,Try Again\npavina-cli: cannot read the image " + dir +
                         "/missing.jpg\n");
  run = Run({"send", image, "--key", dir + "/broken.bmp", "--port", link});
  EXPECT_EQ(run.exit, 5);
  EXPECT_EQ(run.err, "File Read Error\npavina-cli: cannot read the key " + dir + "/broken.bmp\n");
  run = Run({"preview", dir + "/logo.png", dir + "/out.png"});
  EXPECT_EQ(run.exit, 5);
  EXPECT_FALSE(Contains(Transcript(), "status query")) << Transcript();
}

// What ImageMagick reads of a preview, as "r,g,b" of one pixel.
std::string PixelOf(const std::string& png, int x, int y) {
  const std::string command = "/usr/bin/convert '" + png + "' -format '%[fx:round(255*p{" +
                              std::to_string(x) + "," + std::to_string(y) +
                              "}.r)],%[fx:round(255*p{" + std::to_string(x) + "," +
                              std::to_string(y) + "}.g)]' info:";
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    for (int c; (c = std::fgetc(pipe)) != EOF;) text += static_cast<char>(c);
    pclose(pipe);
  }
  return text;
}

TEST_F(CliProgram, PreviewShowsTheQuantisedLogoKeyedOverACheckerboard) {
  const std::string out = dir + "/preview.png";
  TRun run = Run({"preview", image, out});
  ASSERT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(run.out, "Preview of 37x11 written to " + out + "\n");
  // The offset 5 leaves the first five columns without key: the light grey shows.
  EXPECT_EQ(PixelOf(out, 0, 0), "204,204");
  // Pixel (6, 0) is covered by the key of (1, 0): its red 43 comes back as 40.
  EXPECT_EQ(PixelOf(out, 6, 0), "40,0");
  // Pixel (5, 0) takes the key of (0, 0), which is black: the grey shows there too.
  EXPECT_EQ(PixelOf(out, 5, 0), "204,204");

  // A key file with offset 0: green 30 at (5, 0) keys an eighth of red 36 over the grey.
  run = Run({"preview", image, "--key", key, "--offset", "0", out});
  ASSERT_EQ(run.exit, 0) << run.err;
  EXPECT_EQ(PixelOf(out, 5, 0), "186,182");

  run = Run({"preview", image, dir, "-q"});
  EXPECT_EQ(run.exit, 6);
  EXPECT_EQ(run.err, "pavina-cli: cannot write " + dir + "\n");
}

// A PNG whose colours are the logo's and whose alpha is the key's green: without --key or
// --autokey its alpha is the key, and its colours go as stored.
TEST_F(CliProgram, APngWithAlphaSendsAndPreviewsWithItsAlphaAsTheKey) {
  StartSimulator();
  const std::string png = dir + "/alpha.png";
  ASSERT_EQ(std::system(("/usr/bin/convert '" + image + "' '(' '" + key +
                         "' -channel G -separate ')' -alpha off -compose CopyOpacity -composite '" +
                         png + "'")
                            .c_str()),
            0);
  const TRun run = Run({"send", png, "--offset", "0", "--port", link});
  ASSERT_EQ(run.exit, 0) << run.err;
  const pictures::TRaster colour = Received("colour"), keyIn = Received("key");
  ASSERT_EQ(keyIn.Width(), kWidth);
  for (std::int32_t y = 0; y < kHeight; ++y)
    for (std::int32_t x = 0; x < kWidth; ++x) {
      ASSERT_EQ(colour.ReadPixel(x, y), ImageColour(x, y) & 0xFCFCFC) << x << "," << y;
      ASSERT_EQ(keyIn.ReadPixel(x, y) & 0xFF, KeyColour(x, y) >> 8 & 0xFC) << x << "," << y;
    }

  // preview takes the same key: pixel (5, 0) shows as with the key file above.
  ASSERT_EQ(Run({"preview", png, "--offset", "0", dir + "/out.png"}).exit, 0);
  EXPECT_EQ(PixelOf(dir + "/out.png", 5, 0), "186,182");
}

// A copy of the program in a folder of its own takes its defaults from the pavina.ini
// there; the command line overrides them.
TEST_F(CliProgram, SettingsBesideTheProgramAndOptionsOverThem) {
  StartSimulator();
  const std::string folder = dir + "/app", program = folder + "/pavina-cli";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  ASSERT_EQ(std::system(("cp '" PAVINA_CLI_PATH "' '" + program + "'").c_str()), 0);
  std::ofstream(folder + "/pavina.ini") << "[VARS]\r\nCOM=9\r\nO=0\r\n";

  TRun run = Run({"status"}, program);
  EXPECT_EQ(run.exit, 4);
  EXPECT_EQ(run.err, "pavina-cli: COM9 (/dev/ttyS8): no such port\n");
  EXPECT_EQ(Run({"status", "--port", link}, program).exit, 0);

  // O=0: the first column is keyed; --offset 5 puts the grey back.
  const std::string out = dir + "/preview.png";
  ASSERT_EQ(Run({"preview", image, out}, program).exit, 0);
  EXPECT_EQ(PixelOf(out, 1, 0), "8,0");
  ASSERT_EQ(Run({"preview", image, "--offset", "5", out}, program).exit, 0);
  EXPECT_EQ(PixelOf(out, 1, 0), "204,204");
}

TEST_F(CliProgram, HelpAndWrongLines) {
  TRun run = Run({"--help"});
  EXPECT_EQ(run.exit, 0);
  EXPECT_TRUE(Contains(run.out, "Exit codes:")) << run.out;
  run = Run({"send"});
  EXPECT_EQ(run.exit, 2);
  EXPECT_EQ(run.err, "pavina-cli: usage: pavina-cli send IMAGE [options]\n");
}

}  // namespace

}  // namespace pavina::cli
