#include "Commands.h"

#include <fstream>
#include <memory>

#include "CliOptions.h"
#include "ConsoleView.h"
#include "ExitCodes.h"
#include "FramePreview.h"
#include "InterruptGuard.h"
#include "LogoCore.h"
#include "PngWriter.h"
#include "PortChoice.h"
#include "ProgressDisplay.h"
#include "Settings.h"

#ifdef _WIN32
#include "Win32Clock.h"
#else
#include "PosixClock.h"
#endif

namespace pavina::cli {

#ifdef _WIN32
using TSystemClock = core::TWin32Clock;
#else
using TSystemClock = core::TPosixClock;
#endif

namespace {

constexpr const char* kProgram = "pavina-cli: ";

// How a device exchange ends the command; its message has been printed by then.
int ExitCodeOf(const core::TDeviceResult& result) {
  switch (result.outcome) {
    case core::TDeviceOutcome::Done:
    case core::TDeviceOutcome::Skipped:
      return kExitOk;
    case core::TDeviceOutcome::Cancelled:
      return kExitCancelled;
    default:
      return kExitDeviceError;
  }
}

std::string SizeText(const core::TLogoCore& core) {
  return std::to_string(core.FMaxX + 1) + "x" + std::to_string(core.FMaxY + 1);
}

// One run of the core behind the console view, over the system's serial port and clock.
class TSession {
 public:
  TSession(std::ostream& err, TProgressDisplay::TStyle style, const TPortChoice& port)
      : err_(err),
        port_(port),
        progress_(err, style),
        view_(progress_, err),
        serial_(MakeSerialApi(port)),
        core_(view_, *serial_, clock_) {}

  ~TSession() {
    progress_.Finish();
    core_.ClosePort();
  }

  core::TLogoCore& Core() { return core_; }
  TConsoleView& View() { return view_; }
  TProgressDisplay& Progress() { return progress_; }

  // The image, then the key file or the automatic key, with the window's messages.
  int LoadPictures(const TCliOptions& options) {
    if (core_.LoadImage(options.image) != pictures::TPictureError::None) {
      view_.ShowRetryMessage(core::TLogoCore::kFileReadError);
      return CannotRead("image", options.image);
    }
    if (!options.key.empty()) {
      if (core_.LoadKey(options.key) != pictures::TPictureError::None) {
        view_.ShowPlainMessage(core::TLogoCore::kFileReadError);
        return CannotRead("key", options.key);
      }
    } else if (options.autoKey) {
      core_.btAutoKeyClick();
    }
    return kExitOk;
  }

  int OpenPort() {
    core_.FComPort = port_.comNumber;
    const core::TLinkResult opened = core_.OpenPort(port_.comNumber);
    if (opened.Ok()) return kExitOk;
    err_ << kProgram << PortDescription(port_) << ": " << PortErrorText(opened.systemError) << '\n';
    return kExitPortUnavailable;
  }

  // One status query, shown as the window's timer shows it. "Not found" is said even with
  // the progress display silenced: it is why the command stops.
  int FindInserter() {
    const std::optional<std::string> text = core_.QueryStatus();
    view_.SetStatusText(core::TLogoCore::StatusLine(text));
    if (text) return kExitOk;
    progress_.Finish();
    if (!progress_.ShowsStatus()) err_ << view_.StatusText() << '\n';
    return kExitNotFound;
  }

  // Prints each failure of an exchange as the window's retry message, when it happens.
  core::TFailureReport PrintFailures() {
    return [this](const core::TDeviceResult& failed) {
      if (const auto text = core::RetryText(failed)) view_.ShowRetryMessage(*text);
    };
  }

 private:
  int CannotRead(const char* what, const std::string& path) {
    err_ << kProgram << "cannot read the " << what << " " << path << '\n';
    return kExitFileReadError;
  }

  std::ostream& err_;
  TPortChoice port_;
  TProgressDisplay progress_;
  TConsoleView view_;
  std::unique_ptr<core::TSerialApi> serial_;
  TSystemClock clock_;
  core::TLogoCore core_;
};

struct TRun {
  const TCliOptions& options;
  std::ostream& out;
  std::ostream& err;
  TProgressDisplay::TStyle style;
  TPortChoice port;
  std::int16_t keyOffset;
};

int RunStatus(const TRun& run) {
  TSession session(run.err, TProgressDisplay::TStyle::Silent, run.port);
  if (const int failed = session.OpenPort()) return failed;
  // The status line is the result here: on standard output, found or not.
  const std::optional<std::string> text = session.Core().QueryStatus();
  run.out << core::TLogoCore::StatusLine(text) << '\n';
  return text ? kExitOk : kExitNotFound;
}

int RunMove(const TRun& run) {
  TSession session(run.err, run.style, run.port);
  session.View().SetPosition(static_cast<std::int16_t>(*run.options.x),
                             static_cast<std::int16_t>(*run.options.y));
  if (const int failed = session.OpenPort()) return failed;
  if (const int missing = session.FindInserter()) return missing;
  if (const int failed = ExitCodeOf(session.Core().SendPosition(session.PrintFailures())))
    return failed;
  session.Progress().Finish();
  run.out << "Logo moved to X " << *run.options.x << ", Y " << *run.options.y << '\n';
  return kExitOk;
}

int RunSend(const TRun& run) {
  TSession session(run.err, run.style, run.port);
  TConsoleView& view = session.View();
  core::TLogoCore& core = session.Core();
  view.SetPosition(static_cast<std::int16_t>(run.options.x.value_or(kStartX)),
                   static_cast<std::int16_t>(run.options.y.value_or(kStartY)));
  view.SetKeyOffset(run.keyOffset);
  if (const int failed = session.LoadPictures(run.options)) return failed;
  if (const int failed = session.OpenPort()) return failed;
  // Send is enabled only while an inserter answers; without one the upload would only
  // wait half a minute for the clear's answer.
  if (const int missing = session.FindInserter()) return missing;

  TInterruptGuard interrupt;
  // The press stays in force until the upload takes it: the window forgets a Cancel made
  // while the frame is built, but a Ctrl+C there means stop all the same.
  view.OnProcessEvents([&core] {
    if (TInterruptGuard::Requested()) core.btCancelClick();
  });
  const core::TDeviceResult sent = core.Send(session.PrintFailures());
  view.OnProcessEvents(nullptr);
  session.Progress().Finish();
  if (TInterruptGuard::Requested() || sent.outcome == core::TDeviceOutcome::Cancelled) {
    run.err << kProgram << "cancelled; the inserter may hold part of the logo\n";
    return kExitCancelled;
  }
  if (const int failed = ExitCodeOf(sent)) return failed;
  run.out << "Logo " << SizeText(core) << " sent to " << PortDescription(run.port) << " at X "
          << view.ReadX() << ", Y " << view.ReadY() << '\n';
  return kExitOk;
}

int RunPreview(const TRun& run) {
  TSession session(run.err, run.style, run.port);
  TConsoleView& view = session.View();
  core::TLogoCore& core = session.Core();
  view.SetKeyOffset(run.keyOffset);
  if (const int failed = session.LoadPictures(run.options)) return failed;
  // The frame exactly as Send builds it.
  view.SetStatusText("Creating...");
  view.SetProgressMax(core.FMaxY);
  if (!core.FKeyLoaded) core.btAutoKeyClick();
  core.EncodeFrame();
  session.Progress().Finish();
  const auto pixels = PreviewPixels(core.FFrame, core.FMaxX + 1, core.FMaxY + 1);
  std::ofstream file(run.options.output, std::ios::binary | std::ios::trunc);
  if (!pixels || !file ||
      !WritePngRgb(file, static_cast<std::uint32_t>(core.FMaxX + 1),
                   static_cast<std::uint32_t>(core.FMaxY + 1), *pixels)) {
    run.err << kProgram << "cannot write " << run.options.output << '\n';
    return kExitOutputError;
  }
  run.out << "Preview of " << SizeText(core) << " written to " << run.options.output << '\n';
  return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool terminal, const std::string& programFolder) {
  TCliOptions options;
  std::string error;
  if (!ParseCliOptions(args, options, error)) {
    err << kProgram << error << '\n';
    return kExitUsage;
  }
  if (options.help) {
    out << CliHelpText();
    return kExitOk;
  }

  // The window's settings file, read as the window reads it; options override it.
  const settings::TSettings stored =
      settings::ReadSettings(settings::TProfileText(settings::ReadSettingsText(programFolder)));
  TPortChoice port{stored.comPort, {}};
  if (options.port) {
    const auto chosen = ParsePortText(*options.port);
    if (!chosen) {
      err << kProgram << "no such port \"" << *options.port << "\" (a number or COMn"
#ifndef _WIN32
          << ", or a device path"
#endif
          << ")\n";
      return kExitUsage;
    }
    port = *chosen;
  }
  const auto style = options.quiet ? TProgressDisplay::TStyle::Silent
                     : terminal    ? TProgressDisplay::TStyle::Bar
                                   : TProgressDisplay::TStyle::Lines;
  const TRun run{options, out,
                 err,     style,
                 port,    static_cast<std::int16_t>(options.keyOffset.value_or(stored.keyOffset))};
  switch (options.command) {
    case TCliCommand::Status:
      return RunStatus(run);
    case TCliCommand::Send:
      return RunSend(run);
    case TCliCommand::Move:
      return RunMove(run);
    case TCliCommand::Preview:
      return RunPreview(run);
    default:
      return kExitUsage;
  }
}

}  // namespace pavina::cli
