#include "MainForm.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cctype>
#include <cstring>
#include <exception>

#include "ArrowKeys.h"
#include "ChildControl.h"
#include "ComSetupDlg.h"
#include "GeneralErrorReport.h"
#include "HelpForm.h"
#include "win32/ViewerWindow.h"
#include "PlainMessage.h"
#include "ReportTexts.h"
#include "Resources.h"

namespace pavina::ui {

namespace {
constexpr UINT_PTR kReadyTimerId = 1;
constexpr UINT kReadyIntervalMs = 1000;
constexpr int kDesignLeft = 60, kDesignTop = 73;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr std::size_t kFileNameBufferSize = 4096;
constexpr char kKeyOffsetMnemonic = 'o';  // "Key &Ofs" focuses udKeyOfs

bool Is(const TControlSpec& spec, const char* name) {
  return std::strcmp(spec.name, name) == 0;
}
}  // namespace

void ShowRetryMessage(const std::string& text) {
  ::MessageBoxA(nullptr, RetryMessageText(text).c_str(), kRetryMessageCaption,
                MB_OK | MB_TASKMODAL);
}

TMainForm::TMainForm(TMessageLoop& loop)
    : loop_(loop), font_(kWindowFontFace, kWindowFontPoints, false) {
  RegisterWindowClass(kMainFormClassName, COLOR_BTNFACE,
                      ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kMainIconId)));
  const SIZE outer = OuterSizeForClient(kMainClientWidth, kMainClientHeight, kStyle, kExStyle);
  CreateHandle(kExStyle, kMainFormClassName, kMainFormCaption, kStyle, kDesignLeft, kDesignTop,
               outer.cx, outer.cy, nullptr);
  ::SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  core_ = std::make_unique<core::TLogoCore>(*this, serial_, clock_);
  // Errors inside the help viewer's windows reach the same report as the program's own.
  htmlview::TViewerWindow::ErrorReporter() = [](const std::string& text) {
    ShowGeneralErrorReport(text);
  };
  CreateControls();
  ::SetTimer(Handle(), kReadyTimerId, kReadyIntervalMs, nullptr);
  FormCreate();
}

TMainForm::~TMainForm() {
  loop_.SetHook(nullptr);
  if (Handle()) ::KillTimer(Handle(), kReadyTimerId);
  try {
    FormDestroy();
  } catch (const std::exception& error) {
    ShowGeneralErrorReport(ErrorText(error));
  }
  if (Handle()) ::DestroyWindow(Handle());
}

void TMainForm::CreateControls() {
  for (const TControlSpec& spec : MainFormControls()) {
    HWND parent = spec.parent ? Control(spec.parent) : Handle();
    DWORD style = (spec.visible ? WS_VISIBLE : 0) | (spec.enabled ? 0 : WS_DISABLED);
    HWND control = nullptr;
    switch (spec.kind) {
      case TControlKind::GroupBox:
        groupBoxes_.push_back(std::make_unique<TGroupBox>(parent, spec.caption, spec.left, spec.top,
                                                          spec.width, spec.height, spec.id,
                                                          font_.Handle()));
        control = groupBoxes_.back()->Handle();
        break;
      case TControlKind::Edit:
        control = CreateChildControl(
            parent, "EDIT", spec.caption, style | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
            spec.left, spec.top, spec.width, spec.height, spec.id, font_.Handle());
        break;
      case TControlKind::UpDown: {
        control = CreateChildControl(
            parent, UPDOWN_CLASSA, "", style | UDS_NOTHOUSANDS | (spec.horizontal ? UDS_HORZ : 0),
            0, spec.left, spec.top, spec.width, spec.height, spec.id, nullptr);
        // The control may pick a width of its own when it is made; the layout's is wanted.
        ::SetWindowPos(control, nullptr, spec.left, spec.top, spec.width, spec.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        auto pair = std::make_unique<TUpDownPair>(Control(spec.buddy), control, spec.minimum,
                                                  spec.maximum, spec.position);
        if (Is(spec, "udKeyOfs")) udKeyOfs_ = std::move(pair);
        if (Is(spec, "udX")) udX_ = std::move(pair);
        if (Is(spec, "udY")) udY_ = std::move(pair);
        break;
      }
      case TControlKind::StaticText:
        control = CreateChildControl(parent, "STATIC", "", style | SS_LEFTNOWORDWRAP, 0, spec.left,
                                     spec.top, spec.width, spec.height, spec.id, font_.Handle());
        SetAutoSizedText(control, spec.caption);
        break;
      case TControlKind::Button:
        control = CreateChildControl(
            parent, "BUTTON", spec.caption,
            style | WS_TABSTOP | (Is(spec, "btLoadImage") ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
            spec.left, spec.top, spec.width, spec.height, spec.id, font_.Handle());
        break;
      case TControlKind::ProgressBar:
        control = CreateChildControl(parent, PROGRESS_CLASSA, "", style, 0, spec.left, spec.top,
                                     spec.width, spec.height, spec.id, nullptr);
        ::SendMessageA(control, PBM_SETRANGE32, 0, 100);
        ::SendMessageA(control, PBM_SETPOS, 0, 0);
        break;
      case TControlKind::Picture: {
        auto view = std::make_unique<TPictureView>(parent, spec.left, spec.top, spec.width,
                                                   spec.height, spec.id);
        control = view->Handle();
        (Is(spec, "Image") ? image_ : key_) = std::move(view);
        break;
      }
    }
    controls_.emplace_back(&spec, control);
  }
}

HWND TMainForm::Control(const char* name) const {
  for (const auto& [spec, control] : controls_)
    if (Is(*spec, name)) return control;
  return nullptr;
}

// Reads the settings, opens the port, installs the arrow-key hook, focuses Load Image.
void TMainForm::FormCreate() {
  {
    const settings::TSettings stored = settings::ReadSettings(OpenSettings());
    core_->FComPort = stored.comPort;
    core_->OpenPort(core_->FComPort);
    udKeyOfs_->SetPosition(stored.keyOffset);
  }
  loop_.SetHook([this](const MSG& message) {
    bool handled = false;
    AppMessage(message, handled);
    return handled;
  });
  focusedControl_ = Control("btLoadImage");
  ::SetFocus(focusedControl_);
}

// Closes the port and saves the key offset.
void TMainForm::FormDestroy() {
  core_->ClosePort();
  OpenSettings().WriteInteger(settings::kSettingsSection, settings::kKeyOffsetKey,
                              udKeyOfs_->Position());
}

bool TMainForm::FormCloseQuery() {
  return !core_->FBusy;
}

void TMainForm::btExitClick() {
  ::SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

// Every press opens another help window, independent of the ones before.
void TMainForm::btHelpClick() {
  THelpForm::Create(loop_, Handle()).ShowHelpFile(HelpFilePath());
}

void TMainForm::btComClick() {
  // The button is not disabled during an upload; releasing the port then would cut the
  // upload's exchanges off in the middle.
  if (core_->FBusy) return;
  core_->ClosePort();
  TComSetupDlg dialog(loop_, serial_, Handle(), font_.Handle());
  dialog.SetMessage("COM Port " + std::to_string(core_->FComPort) + " Failled, Try Another");
  if (dialog.ShowModal(Handle()) == TModalResult::Ok) {
    core_->FComPort = dialog.GetSelectedPort();
    core_->OpenPort(core_->FComPort);
    core_->UpdatePosition();
    OpenSettings().WriteInteger(settings::kSettingsSection, settings::kComPortKey, core_->FComPort);
  }
}

// Every arrow key press is consumed, whether or not the logo moved: no window of the
// program ever receives one.
void TMainForm::AppMessage(const MSG& message, bool& handled) {
  const std::optional<core::TArrowKey> key = ArrowKeyOf(message.message, message.wParam);
  handled = key.has_value();
  if (key) core_->ArrowKeyDown(*key);
}

void TMainForm::edXChange() {
  core_->UpdatePosition();
}
void TMainForm::edYChange() {
  core_->UpdatePosition();
}

void TMainForm::Show() {
  RECT r{};
  ::GetWindowRect(Handle(), &r);
  const POINT at = CentredOnScreen(SIZE{r.right - r.left, r.bottom - r.top});
  ::SetWindowPos(Handle(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE);
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(focusedControl_);
}

bool TMainForm::PreTranslateMessage(MSG& message) {
  if (message.message == WM_SYSCHAR &&
      std::tolower(static_cast<int>(message.wParam)) == kKeyOffsetMnemonic) {
    ::SetFocus(udKeyOfs_->UpDown());
    return true;
  }
  return ::IsDialogMessageA(Handle(), &message) != 0;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!core_) return DefaultHandling(message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code != static_cast<UINT>(UDN_DELTAPOS)) break;
      for (TUpDownPair* pair : {udKeyOfs_.get(), udX_.get(), udY_.get()})
        if (pair->UpDown() == header->hwndFrom)
          return pair->OnDeltaPosition(*reinterpret_cast<const NMUPDOWN*>(lParam));
      break;
    }
    case WM_TIMER:
      if (wParam == kReadyTimerId) core_->tmReadyTimer();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(FindMainFormControl("btLoadImage")->id, DC_HASDEFID);
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(Handle(), focus)) focusedControl_ = focus;
      } else if (focusedControl_) {
        ::SetFocus(focusedControl_);
      }
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

void TMainForm::OnCommand(int id, int notification) {
  const TControlSpec* spec = nullptr;
  for (const auto& entry : controls_)
    if (entry.first->id == id) spec = entry.first;
  if (!spec) return;
  if (notification == EN_CHANGE) {
    if (Is(*spec, "edX")) edXChange();
    if (Is(*spec, "edY")) edYChange();
    return;
  }
  if (notification != BN_CLICKED || spec->kind != TControlKind::Button) return;
  if (Is(*spec, "btLoadImage")) core_->btLoadImageClick();
  if (Is(*spec, "btLoadKey")) core_->btLoadKeyClick();
  if (Is(*spec, "btAutoKey")) core_->btAutoKeyClick();
  if (Is(*spec, "btSave")) core_->btSaveClick();
  if (Is(*spec, "btCancel")) core_->btCancelClick();
  if (Is(*spec, "btExit")) btExitClick();
  if (Is(*spec, "btHelp")) btHelpClick();
  if (Is(*spec, "btCom")) btComClick();
}

// A refused close is silent; an accepted one ends the main loop, and the window is torn
// down after it.
void TMainForm::OnClose() {
  if (!FormCloseQuery()) return;
  ::ShowWindow(Handle(), SW_HIDE);
  ::PostQuitMessage(0);
}

void TMainForm::SetStatusText(const std::string& text) {
  SetAutoSizedText(Control("stProcess"), text.c_str());
}

void TMainForm::SetProgressMax(std::int32_t maximum) {
  ::SendMessageA(Control("ProgressBar"), PBM_SETRANGE32, 0, maximum);
}

void TMainForm::SetProgressPosition(std::int32_t position) {
  ::SendMessageA(Control("ProgressBar"), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void TMainForm::ProcessPendingEvents() {
  loop_.ProcessPendingEvents();
}

void TMainForm::EnableTaggedControls(bool enabled) {
  for (const auto& [spec, control] : controls_)
    if (spec->tagged) EnableControl(control, enabled);
}

void TMainForm::EnableSend(bool enabled) {
  EnableControl(Control("btSave"), enabled);
}

void TMainForm::EnableCancel(bool enabled) {
  EnableControl(Control("btCancel"), enabled);
}

void TMainForm::EnableXY(bool enabled) {
  for (const char* name : {"edX", "edY", "udX", "udY"}) EnableControl(Control(name), enabled);
}

void TMainForm::ShowPortButton(bool shown) {
  HWND button = Control("btCom");
  EnableControl(button, shown);
  ::ShowWindow(button, shown ? SW_SHOW : SW_HIDE);
}

void TMainForm::SetImageCaption(const std::string& text) {
  ::SetWindowTextA(Control("grImage"), text.c_str());
}

void TMainForm::SetKeyCaption(const std::string& text) {
  ::SetWindowTextA(Control("grKey"), text.c_str());
}

void TMainForm::ShowPictures() {
  image_->SetPicture(core_->Image());
  key_->SetPicture(core_->Key());
}

std::optional<std::string> TMainForm::AskForPictureFile() {
  std::string filter = kOpenDialogFilter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.push_back('\0');
  std::vector<char> fileName(kFileNameBufferSize, '\0');
  lastPictureFile_.copy(fileName.data(), fileName.size() - 1);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!::GetOpenFileNameA(&dialog)) return std::nullopt;
  lastPictureFile_ = fileName.data();
  return lastPictureFile_;
}

void TMainForm::ShowPlainMessage(const std::string& text) {
  TPlainMessage message(loop_, font_.Handle(), text);
  message.ShowModal(Handle());
}

}  // namespace pavina::ui
