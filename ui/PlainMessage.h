#pragma once

#include <string>

#include "ModalForm.h"

namespace pavina::ui {

// A message window of our own: centred on the screen, captioned with the program's
// title, the text with no icon and one OK button. Shown through our loop.
class TPlainMessage final : public TModalForm {
 public:
  TPlainMessage(TMessageLoop& loop, HFONT font, const std::string& text);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace pavina::ui
