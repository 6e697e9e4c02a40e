#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GdiFont.h"
#include "GroupBox.h"
#include "LogoCore.h"
#include "LogoView.h"
#include "MainFormLayout.h"
#include "MessageLoop.h"
#include "PictureView.h"
#include "SettingsFile.h"
#include "UpDownPair.h"
#include "win32/Win32Clock.h"
#include "win32/Win32SerialApi.h"
#include "Window.h"

namespace pavina::ui {

// A box modal to all of the program's windows, titled "Info", showing text directly
// followed by " ,Try Again", with one OK button and no icon.
void ShowRetryMessage(const std::string& text);

// The program's only working window: a thin layer over the one core object, which it
// creates with itself and destroys with itself, and the view that the core talks to.
class TMainForm final : public TWindow, public core::TLogoView {
 public:
  explicit TMainForm(TMessageLoop& loop);
  // Runs the destruction handler (port closed, key offset saved) before the window goes.
  ~TMainForm() override;

  // Shows the window centred on the screen, with the focus on btLoadImage.
  void Show();
  bool PreTranslateMessage(MSG& message) override;

  core::TLogoCore& Core() { return *core_; }

  // Event handlers.
  void FormCreate();
  void FormDestroy();
  bool FormCloseQuery();
  void btExitClick();
  void btHelpClick();
  void btComClick();
  void edXChange();
  void edYChange();
  // The application-wide hook: the arrow keys go to the core and no further.
  void AppMessage(const MSG& message, bool& handled);

  TIniFile OpenSettings() const { return TIniFile(SettingsFilePath()); }

  // The view.
  void SetStatusText(const std::string& text) override;
  void SetProgressMax(std::int32_t maximum) override;
  void SetProgressPosition(std::int32_t position) override;
  void ProcessPendingEvents() override;
  std::int16_t ReadX() override { return udX_->Position(); }
  std::int16_t ReadY() override { return udY_->Position(); }
  std::int16_t ReadKeyOffset() override { return udKeyOfs_->Position(); }
  void StepX(int step) override { udX_->Step(step); }
  void StepY(int step) override { udY_->Step(step); }
  void EnableTaggedControls(bool enabled) override;
  void EnableSend(bool enabled) override;
  void EnableCancel(bool enabled) override;
  void EnableXY(bool enabled) override;
  void ShowPortButton(bool shown) override;
  void SetImageCaption(const std::string& text) override;
  void SetKeyCaption(const std::string& text) override;
  void ShowPictures() override;
  std::optional<std::string> AskForPictureFile() override;
  void ShowRetryMessage(const std::string& text) override { ui::ShowRetryMessage(text); }
  void ShowPlainMessage(const std::string& text) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  HWND Control(const char* name) const;
  void OnCommand(int id, int notification);
  void OnClose();

  TMessageLoop& loop_;
  TGdiFont font_;
  std::vector<std::unique_ptr<TGroupBox>> groupBoxes_;
  std::vector<std::pair<const TControlSpec*, HWND>> controls_;  // creation order
  std::unique_ptr<TPictureView> image_;
  std::unique_ptr<TPictureView> key_;
  std::unique_ptr<TUpDownPair> udKeyOfs_;
  std::unique_ptr<TUpDownPair> udX_;
  std::unique_ptr<TUpDownPair> udY_;
  HWND focusedControl_ = nullptr;  // given back when the window is active again
  std::string lastPictureFile_;    // the file dialog opens on the name last chosen
  core::TWin32SerialApi serial_;
  core::TWin32Clock clock_;
  std::unique_ptr<core::TLogoCore> core_;
};

}  // namespace pavina::ui
