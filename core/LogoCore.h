#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ArrowKey.h"
#include "Bytes.h"
#include "Clock.h"
#include "DeviceResult.h"
#include "LinkResult.h"
#include "LogoView.h"
#include "PictureFile.h"
#include "Raster.h"
#include "SerialApi.h"

namespace pavina::core {

// The core holds its pictures in the pictures library's raster.
using pictures::TRaster;

// All state of the logo and of the link to the inserter, and every operation on them.
// It never touches a window: what it needs from the screen it asks of the view.
// One per run, owned by the main window; every call comes from the user-interface thread.
class TLogoCore {
 public:
  // Inserter protocol bytes.
  static constexpr std::uint8_t kAckClear = 0x26;  // "&"
  static constexpr std::uint8_t kAckLineHeader = 0x27;
  static constexpr std::uint8_t kAckLineData = 0x00;
  static constexpr std::uint8_t kAckSizeAndPosition = 0x13;
  static constexpr std::uint8_t kFillerByte = 0x37;  // "7"
  static constexpr std::int32_t kClearTimeoutMs = 30000;
  static constexpr std::int32_t kAckTimeoutMs = 1000;
  static constexpr std::uint32_t kStatusTimeoutMs = 500;
  static constexpr std::int32_t kLineAddressStep = 1024;
  static constexpr int kBlankLines = 3;
  // What a failed picture load shows.
  static constexpr const char* kFileReadError = "File Read Error";

  TLogoCore(TLogoView& view, TSerialApi& serial, TClock& clock);
  TLogoCore(const TLogoCore&) = delete;
  TLogoCore& operator=(const TLogoCore&) = delete;
  ~TLogoCore();

  // State, in the order the program has always kept it; zero, false or empty at start.
  std::int32_t FMaxX = 0;
  std::int32_t FMaxY = 0;
  std::int32_t FComPort = 0;
  TSerialApi::Handle FPortHandle = 0;  // set to the invalid handle by the first OpenPort
  std::uint32_t FPortError = 0;
  TBytes FFrame;
  bool FDeviceReady = false;
  bool FCancel = false;
  bool FImageLoaded = false;
  bool FKeyLoaded = false;
  bool FBusy = false;
  bool FPositioning = false;

  const TRaster& Image() const { return image_; }
  const TRaster& Key() const { return key_; }

  // Serial link. Each says what it did; the window goes on whatever it says, and learns
  // whether the inserter is there from the status poll alone.
  TLinkResult OpenPort(std::int32_t n);
  TLinkResult ClosePort();
  TLinkResult SendString(const TBytes& s);
  TLinkResult ReadAvailable(TBytes& s);

  // Inserter command set and the acknowledgement wait.
  void SendClear();
  void SendSizeAndPosition(std::int32_t w, std::int32_t h, std::int32_t x, std::int32_t y);
  void SendLineHeader(std::int32_t address);
  void SendLineData(const TBytes& data);
  void SendShortFiller();
  void SendLongFiller();
  bool WaitReply(std::uint8_t expected, std::int32_t timeoutMs, bool withProgress,
                 bool processEvents);

  // What the handlers below do, without a word to the operator: each returns how it
  // ended, and a device exchange tells `report` of each failure at the moment the window
  // shows its message. pavina-cli works on these directly.
  // The image or the key from a file, or why not; a failed image leaves no image loaded.
  // An image with alpha brings its key too (`keyCame` says so).
  pictures::TPictureError LoadImage(const std::string& path, bool* keyCame = nullptr);
  pictures::TPictureError LoadKey(const std::string& path);
  // The automatic key when there is none, the frame, the upload (Skipped without an image).
  TDeviceResult Send(const TFailureReport& report);
  // Clear, lines, then the closing size and position; the first failure is the result.
  TDeviceResult Upload(const TFailureReport& report);
  // The inserter's status text, or nothing when none answered; sets FDeviceReady.
  std::optional<std::string> QueryStatus();
  // The status line the window shows for a query's answer.
  static std::string StatusLine(const std::optional<std::string>& inserterText);
  // The current X and Y with size 0, 0 (Skipped without an inserter or during an upload),
  // and the logo's size with them (Skipped without an image).
  TDeviceResult SendPosition(const TFailureReport& report);
  TDeviceResult SendLogoSizeAndPosition(const TFailureReport& report);

  // Handlers: the results above turned into the view's calls.
  void btLoadImageClick();
  void btLoadKeyClick();
  void btAutoKeyClick();
  void EncodeFrame();

  // Send: frame, upload, size and position.
  void btSaveClick();
  void UploadLogo();
  void btCancelClick() { FCancel = true; }

  // Status polling and positioning.
  void tmReadyTimer();
  void UpdatePosition();
  void UpdateSizeAndPosition();
  // An arrow key pressed anywhere in the program (the window's hook consumes every one).
  void ArrowKeyDown(TArrowKey key);

 private:
  void Drain();
  TDeviceResult ExchangePosition(std::int32_t w, std::int32_t h, const TFailureReport& report);
  TDeviceResult ClearInserter();
  TDeviceResult SendLines(std::optional<std::uint8_t>& outstanding);
  // Shows each failure as the retry message the window's handlers show.
  TFailureReport RetryMessages();

  TLogoView& view_;
  TSerialApi& serial_;
  TClock& clock_;
  TRaster image_;
  TRaster key_;
};

}  // namespace pavina::core
