#pragma once

namespace pavina::cli {

// What pavina-cli tells its caller; the README lists the same table.
enum TExitCode : int {
  kExitOk = 0,
  kExitDeviceError = 1,      // the inserter did not acknowledge: the window's retry messages
  kExitUsage = 2,            // the command line is wrong
  kExitNotFound = 3,         // no inserter answered the status query
  kExitPortUnavailable = 4,  // the port does not exist, is in use or is no serial port
  kExitFileReadError = 5,    // the image or key picture cannot be read
  kExitOutputError = 6,      // the preview picture cannot be written
  kExitCancelled = 130,      // Ctrl+C (or SIGTERM) stopped the upload
};

}  // namespace pavina::cli
