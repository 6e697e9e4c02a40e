#include "HelpForm.h"

#include <map>

#include "ExecutablePath.h"
#include "MessageLoop.h"
#include "win32/HtmlPane.h"

namespace pavina::ui {

using htmlview::clNone;
using htmlview::THTMLBorderStyle;
using htmlview::THtmlPane;

namespace {
constexpr const char* kClassName = "THelpForm";
constexpr const char* kCaption = "Help";
constexpr const char* kHelpFileName = "pavina_help.htm";
constexpr int kClientWidth = 457, kClientHeight = 266;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The open help windows. Each is freed when its window goes; the main window keeps no
// list of its own.
std::map<const THelpForm*, std::unique_ptr<THelpForm>>& OpenForms() {
  static std::map<const THelpForm*, std::unique_ptr<THelpForm>> forms;
  return forms;
}
}  // namespace

std::string HelpFilePath() {
  return ExecutableFolder() + kHelpFileName;
}

THelpForm& THelpForm::Create(TMessageLoop& loop, HWND mainWindow) {
  std::unique_ptr<THelpForm> form(new THelpForm(loop, mainWindow));
  THelpForm& created = *form;
  OpenForms().emplace(&created, std::move(form));
  return created;
}

std::size_t THelpForm::Count() {
  return OpenForms().size();
}

THelpForm::THelpForm(TMessageLoop& loop, HWND mainWindow) : loop_(loop) {
  RegisterWindowClass(kClassName, COLOR_BTNFACE, nullptr);
  const SIZE outer = OuterSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle);
  RECT main{};
  ::GetWindowRect(mainWindow, &main);
  const int left = main.left + (main.right - main.left - outer.cx) / 2;
  const int top = main.top + (main.bottom - main.top - outer.cy) / 2;
  CreateHandle(kExStyle, kClassName, kCaption, kStyle, left, top, outer.cx, outer.cy, mainWindow);

  htmlHelp_ = std::make_unique<THtmlPane>(Handle(), 0, 0);
  htmlview::THtmlView& viewer = htmlHelp_->View();
  viewer.SetDefBackground(clNone);
  viewer.SetBorderStyle(THTMLBorderStyle::htFocused);
  viewer.SetHistoryMaxCount(0);
  viewer.SetDefFontName("Times New Roman");
  viewer.SetDefPreFontName("Courier New");
  viewer.SetNoSelect(false);
  viewer.SetCharSet(DEFAULT_CHARSET);
  viewer.SetHtOptions(0);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  htmlHelp_->SetBounds(0, 0, client.right, client.bottom);
}

THelpForm::~THelpForm() = default;

void THelpForm::ShowHelpFile(const std::string& fileName) {
  try {
    htmlHelp_->View().OpenDocumentFile(fileName);
  } catch (...) {
    // Whatever the load let through, the window shows where it looked.
    try {
      htmlHelp_->View().OpenDocumentText("Help File " + fileName + " not Found");
    } catch (...) {
    }
  }
  if (!Handle()) return;  // closed meanwhile, with the main window during a message box
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetFocus(htmlHelp_->Handle());
}

void THelpForm::FormClose() {
  ::DestroyWindow(Handle());
}

LRESULT THelpForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (htmlHelp_) htmlHelp_->SetBounds(0, 0, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      if (htmlHelp_) ::SetFocus(htmlHelp_->Handle());
      return 0;
    case WM_CLOSE:
      FormClose();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void THelpForm::WindowDestroyed() {
  // The viewer's window went with ours. The objects go once the loop is back at the top:
  // the viewer may be in the middle of a layout whose message box was open when the main
  // window closed, and would go on in freed memory.
  const THelpForm* self = this;
  loop_.Defer([self] { OpenForms().erase(self); });
}

}  // namespace pavina::ui
