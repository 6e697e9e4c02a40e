#pragma once

#include <cstdint>
#include <string>

#include "ModalForm.h"
#include "SerialApi.h"

namespace pavina::ui {

// Lists the serial ports from COM1 to COM32 that exist and are free, and lets the
// operator pick one. Exists only while it is shown.
class TComSetupDlg final : public TModalForm {
 public:
  TComSetupDlg(TMessageLoop& loop, core::TSerialApi& serial, HWND owner, HFONT font);

  void SetMessage(const std::string& text);
  // The number of the selected entry, or 0 when nothing is selected.
  std::int32_t GetSelectedPort() const;

 protected:
  void FormShow() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  core::TSerialApi& serial_;
  HWND cbPort_ = nullptr;
  HWND btOK_ = nullptr;
  HWND btCancel_ = nullptr;
  HWND paMsg_ = nullptr;
};

}  // namespace pavina::ui
