// The end-to-end tests' hands and eyes: finds Pavina's windows by class and caption and
// its controls by caption or name, clicks, types, and reads texts back. One command per
// run; prints what it read on standard output, and on failure says why on standard error
// and exits with 1.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "MainFormLayout.h"
#include "WindowSearch.h"

namespace pavina::e2e {
namespace {
constexpr DWORD kDefaultTimeoutMs = 20000;
constexpr int kOpenDialogFileNameCombo = 0x47c;  // the file dialog's "File name" box
constexpr int kOpenDialogFileNameEdit = 0x480;

using TArgs = std::vector<std::string>;

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "driver: %s\n", why.c_str());
  std::exit(1);
}

DWORD Timeout(const TArgs& args, std::size_t index) {
  return args.size() > index ? static_cast<DWORD>(std::stoul(args[index])) : kDefaultTimeoutMs;
}

HWND Window(const std::string& spec, DWORD timeoutMs = kDefaultTimeoutMs) {
  HWND window = WaitFor([&] { return FindTopLevel(spec); }, timeoutMs);
  if (!window) Fail("no window " + spec);
  return window;
}

HWND Control(const std::string& windowSpec, const std::string& controlSpec) {
  HWND window = Window(windowSpec);
  HWND control = WaitFor([&] { return FindControl(window, controlSpec); }, 5000);
  if (!control) Fail("no control " + controlSpec + " in " + windowSpec);
  return control;
}

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
}

// A real click: the mouse moves to the point and its button goes down and up, so disabled
// controls and windows behind a modal one ignore it as they would a hand.
void MouseClickAt(int screenX, int screenY) {
  ::SetCursorPos(screenX, screenY);
  ::Sleep(50);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, inputs, sizeof(INPUT));
  ::Sleep(100);
}

// A click on a control, at a point given in hundredths of the control's width and height
// (50 50: the centre).
void MouseClick(HWND control, int xPercent, int yPercent) {
  RECT r{};
  ::GetWindowRect(control, &r);
  MouseClickAt(r.left + (r.right - r.left) * xPercent / 100,
               r.top + (r.bottom - r.top) * yPercent / 100);
}

// Key presses go to the focused control of the window's thread, through its queue.
void PostKeys(HWND window, UINT virtualKey, int count, bool alt) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  HWND target = ::GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : window;
  const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
  const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
  const LPARAM altBit = alt ? (1 << 29) : 0;
  for (int i = 0; i < count; ++i) {
    const LPARAM repeated = i > 0 ? (1 << 30) : 0;  // auto-repeat while held
    ::PostMessageA(target, down, virtualKey, 1 | altBit | repeated);
  }
  ::PostMessageA(target, up, virtualKey, 1 | altBit | (1 << 30) | (1u << 31));
}

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string converted = "Z:" + path;
  for (char& c : converted)
    if (c == '/') c = '\\';
  return converted;
}

std::string StateOf(HWND control) {
  return std::string("enabled=") + (::IsWindowEnabled(control) ? "1" : "0") +
         " visible=" + (::IsWindowVisible(control) ? "1" : "0");
}

// One line per control of the main window: name|text|left,top,width,height|state.
// A static text sizes itself to its text, so its width depends on the font: shown as "-".
void DumpMainWindow(HWND window) {
  for (const ui::TControlSpec& spec : ui::MainFormControls()) {
    HWND control = FindControl(window, std::string("name:") + spec.name);
    if (!control) {
      Print(std::string(spec.name) + "|missing");
      continue;
    }
    const RECT r = RectInParent(control);
    const bool autoSized = spec.kind == ui::TControlKind::StaticText;
    const std::string text = spec.kind == ui::TControlKind::UpDown ? "" : TextOf(control);
    Print(std::string(spec.name) + "|" + text + "|" + std::to_string(r.left) + "," +
          std::to_string(r.top) + "," + (autoSized ? "-" : std::to_string(r.right - r.left)) + "," +
          std::to_string(r.bottom - r.top) + "|" + StateOf(control));
  }
}

void Geometry(HWND window) {
  RECT outer{}, client{};
  ::GetWindowRect(window, &outer);
  ::GetClientRect(window, &client);
  Print("left=" + std::to_string(outer.left) + " top=" + std::to_string(outer.top) +
        " width=" + std::to_string(outer.right - outer.left) +
        " height=" + std::to_string(outer.bottom - outer.top) +
        " client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom) +
        " screen=" + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "x" +
        std::to_string(::GetSystemMetrics(SM_CYSCREEN)));
}

// A message box: its text, whether it shows an icon, and its buttons.
void DescribeBox(HWND box) {
  std::string text, buttons;
  bool icon = false;
  for (HWND child : Descendants(box)) {
    const std::string cls = ClassOf(child);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    if (cls == "Static" && (style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child) &&
        ::SendMessageA(child, STM_GETICON, 0, 0) != 0)
      icon = true;
    else if (cls == "Static" && !TextOf(child).empty())
      text = TextOf(child);
    if (cls == "Button" && ::IsWindowVisible(child))
      buttons += (buttons.empty() ? "" : ",") + TextOf(child);
  }
  Print("text=" + text);
  Print(std::string("icon=") + (icon ? "1" : "0"));
  Print("buttons=" + buttons);
}

// Makes a window of the driver's the foreground one, starts a second copy of the program,
// and reports how it ended and which window is in front afterwards. A splash window of
// the second copy seen on the way is reported too.
void SecondStart(const std::string& exe, DWORD timeoutMs) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "PavinaTestDriver";
  ::RegisterClassA(&wc);
  HWND own = ::CreateWindowExA(0, wc.lpszClassName, "driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                               10, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
  ::SetForegroundWindow(own);
  MSG message;
  for (int i = 0; i < 20; ++i) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(20);
  }
  Print("before=" + ClassOf(::GetForegroundWindow()));

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + exe + "\"";
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    Fail("cannot start " + exe);
  bool splashSeen = false;
  const DWORD start = ::GetTickCount();
  while (::WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT) {
    if (HWND splash = FindTopLevel("TSplashForm")) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(splash, &owner);
      if (owner == process.dwProcessId) splashSeen = true;
    }
    if (::GetTickCount() - start > timeoutMs) {
      ::TerminateProcess(process.hProcess, 1);
      Fail("the second copy did not end");
    }
  }
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  for (int i = 0; i < 10; ++i) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(20);
  }
  Print("exit=" + std::to_string(exitCode));
  Print(std::string("splash=") + (splashSeen ? "1" : "0"));
  Print("after=" + ClassOf(::GetForegroundWindow()));
  ::DestroyWindow(own);
}

struct TWindowCount {
  std::string className, title;
  bool anyTitle;
  int count;
};

BOOL CALLBACK CountMatching(HWND window, LPARAM data) {
  auto* query = reinterpret_cast<TWindowCount*>(data);
  if (::IsWindowVisible(window) && ClassOf(window) == query->className &&
      (query->anyTitle || TextOf(window) == query->title))
    ++query->count;
  return TRUE;
}

// The visible top-level windows that match a window spec.
int CountTopLevel(const std::string& spec) {
  const auto bar = spec.find('|');
  TWindowCount query{spec.substr(0, bar), bar == std::string::npos ? "" : spec.substr(bar + 1),
                     bar == std::string::npos, 0};
  ::EnumWindows(CountMatching, reinterpret_cast<LPARAM>(&query));
  return query.count;
}

// The vertical scroll bar among a window's children (the viewer's).
HWND VerticalBar(HWND window) {
  for (HWND child : Descendants(window))
    if (ClassOf(child) == "ScrollBar" && (::GetWindowLongA(child, GWL_STYLE) & SBS_VERT))
      return child;
  Fail("no vertical scroll bar");
}

// The mouse pressed at one point of a control and released at another, moving between,
// as a hand would drag. Points in pixels from the control's top left.
void MouseDrag(HWND control, int x1, int y1, int x2, int y2) {
  RECT r{};
  ::GetWindowRect(control, &r);
  const POINT from{r.left + x1, r.top + y1}, to{r.left + x2, r.top + y2};
  ::SetCursorPos(from.x, from.y);
  ::Sleep(50);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  ::SendInput(1, &input, sizeof(INPUT));
  ::Sleep(50);
  constexpr int kSteps = 10;
  for (int i = 1; i <= kSteps; ++i) {
    ::SetCursorPos(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps);
    ::Sleep(30);
  }
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof(INPUT));
  ::Sleep(100);
}

// A key with Ctrl held, typed for real into the window brought to the front.
void ControlKey(HWND window, WORD key) {
  ::SetForegroundWindow(window);
  ::Sleep(100);
  INPUT inputs[4] = {};
  for (INPUT& input : inputs) input.type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = VK_CONTROL;
  inputs[1].ki.wVk = key;
  inputs[2].ki.wVk = key;
  inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
  inputs[3].ki.wVk = VK_CONTROL;
  inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(4, inputs, sizeof(INPUT));
  ::Sleep(100);
}

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) Fail("the clipboard cannot be opened");
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

const std::map<std::string, std::function<void(const TArgs&)>>& Commands() {
  static const std::map<std::string, std::function<void(const TArgs&)>> commands = {
      {"wait-window", [](const TArgs& a) { Window(a.at(0), Timeout(a, 1)); }},
      {"wait-gone",
       [](const TArgs& a) {
         const DWORD start = ::GetTickCount();
         while (FindTopLevel(a.at(0))) {
           if (::GetTickCount() - start > Timeout(a, 1)) Fail(a.at(0) + " still there");
           ::Sleep(20);
         }
       }},
      {"exists", [](const TArgs& a) { Print(FindTopLevel(a.at(0)) ? "1" : "0"); }},
      {"text", [](const TArgs& a) { Print(TextOf(Control(a.at(0), a.at(1)))); }},
      {"wait-text",
       [](const TArgs& a) {
         HWND control = Control(a.at(0), a.at(1));
         const DWORD start = ::GetTickCount();
         while (TextOf(control) != a.at(2)) {
           if (::GetTickCount() - start > Timeout(a, 3))
             Fail("text of " + a.at(1) + " is \"" + TextOf(control) + "\", not \"" + a.at(2) +
                  "\"");
           ::Sleep(20);
         }
       }},
      {"state", [](const TArgs& a) { Print(StateOf(Control(a.at(0), a.at(1)))); }},
      {"click",
       [](const TArgs& a) {
         MouseClick(Control(a.at(0), a.at(1)), a.size() > 3 ? std::stoi(a[2]) : 50,
                    a.size() > 3 ? std::stoi(a[3]) : 50);
       }},
      {"press", [](const TArgs& a) { ::PostMessageA(Control(a.at(0), a.at(1)), BM_CLICK, 0, 0); }},
      {"settext",
       [](const TArgs& a) {
         DWORD_PTR result = 0;
         ::SendMessageTimeoutA(Control(a.at(0), a.at(1)), WM_SETTEXT, 0,
                               reinterpret_cast<LPARAM>(a.at(2).c_str()), SMTO_NORMAL, 20000,
                               &result);
       }},
      {"key",
       [](const TArgs& a) {
         const int count = a.size() > 2 ? std::stoi(a[2]) : 1;
         const bool alt = a.size() > 3 && a[3] == "alt";
         PostKeys(Window(a.at(0)), static_cast<UINT>(std::stoul(a.at(1))), count, alt);
       }},
      {"close",
       [](const TArgs& a) { ::PostMessageA(Window(a.at(0)), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"progress",
       [](const TArgs& a) {
         HWND bar = Control(a.at(0), a.at(1));
         Print("position=" + std::to_string(::SendMessageA(bar, PBM_GETPOS, 0, 0)) +
               " max=" + std::to_string(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0)));
       }},
      {"geometry", [](const TArgs& a) { Geometry(Window(a.at(0))); }},
      {"dump", [](const TArgs& a) { DumpMainWindow(Window(a.at(0))); }},
      {"combo",
       [](const TArgs& a) {
         HWND combo = Control(a.at(0), a.at(1));
         const auto count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
         for (LRESULT i = 0; i < count; ++i) {
           // Only the wide form of this message is carried between processes.
           wchar_t wide[256] = {};
           ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(wide));
           char item[256] = {};
           ::WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof(item), nullptr, nullptr);
           Print(std::string("item=") + item);
         }
         Print("selected=" + std::to_string(::SendMessageA(combo, CB_GETCURSEL, 0, 0)));
       }},
      {"open-file",
       [](const TArgs& a) {
         HWND dialog = Window("#32770|Open", Timeout(a, 1));
         HWND name = WaitFor(
             [&] {
               HWND field = FindControl(dialog, "#" + std::to_string(kOpenDialogFileNameCombo));
               return field ? field
                            : FindControl(dialog, "#" + std::to_string(kOpenDialogFileNameEdit));
             },
             5000);
         if (!name) Fail("the file dialog has no file name field");
         const std::string path = WindowsPath(a.at(0));
         DWORD_PTR result = 0;
         ::SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                               SMTO_NORMAL, 10000, &result);
         ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
         const DWORD start = ::GetTickCount();
         while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
           if (::GetTickCount() - start > 10000) Fail("the file dialog stayed open");
           ::Sleep(20);
         }
       }},
      {"cancel-file",
       [](const TArgs& a) {
         HWND dialog = Window("#32770|Open", Timeout(a, 0));
         ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
       }},
      {"box", [](const TArgs& a) { DescribeBox(Window("#32770|" + a.at(0), Timeout(a, 1))); }},
      {"dismiss",
       [](const TArgs& a) {
         HWND box = Window(a.at(0), Timeout(a, 2));
         HWND button = WaitFor([&] { return FindControl(box, a.size() > 1 ? a[1] : "OK"); }, 5000);
         if (!button) Fail("no button in " + a.at(0));
         ::PostMessageA(button, BM_CLICK, 0, 0);
       }},
      {"foreground",
       [](const TArgs&) {
         HWND front = ::GetForegroundWindow();
         Print(ClassOf(front) + "|" + TextOf(front));
       }},
      {"second-start", [](const TArgs& a) { SecondStart(WindowsPath(a.at(0)), Timeout(a, 1)); }},
      {"click-at",  // a point of the control in pixels from its top left
       [](const TArgs& a) {
         RECT r{};
         ::GetWindowRect(Control(a.at(0), a.at(1)), &r);
         MouseClickAt(r.left + std::stoi(a.at(2)), r.top + std::stoi(a.at(3)));
       }},
      {"rect",  // a control's place on the screen
       [](const TArgs& a) {
         RECT r{};
         ::GetWindowRect(Control(a.at(0), a.at(1)), &r);
         Print("left=" + std::to_string(r.left) + " top=" + std::to_string(r.top) + " width=" +
               std::to_string(r.right - r.left) + " height=" + std::to_string(r.bottom - r.top));
       }},
      {"count", [](const TArgs& a) { Print(std::to_string(CountTopLevel(a.at(0)))); }},
      {"scroll-pos",
       [](const TArgs& a) {
         HWND bar = VerticalBar(Window(a.at(0)));
         Print(std::to_string(::SendMessageA(bar, SBM_GETPOS, 0, 0)));
       }},
      {"wheel",
       [](const TArgs& a) {
         GUITHREADINFO info{};
         info.cbSize = sizeof(info);
         HWND window = Window(a.at(0));
         const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
         HWND target =
             ::GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : window;
         const short delta = static_cast<short>(std::stoi(a.at(1)));
         ::PostMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
       }},
      {"drag",
       [](const TArgs& a) {
         MouseDrag(Control(a.at(0), a.at(1)), std::stoi(a.at(2)), std::stoi(a.at(3)),
                   std::stoi(a.at(4)), std::stoi(a.at(5)));
       }},
      {"ctrl-key",
       [](const TArgs& a) { ControlKey(Window(a.at(0)), static_cast<WORD>(a.at(1).at(0))); }},
      {"clipboard", [](const TArgs&) { Print(ClipboardText()); }},
      {"clear-clipboard",
       [](const TArgs&) {
         if (::OpenClipboard(nullptr)) {
           ::EmptyClipboard();
           ::CloseClipboard();
         }
       }},
  };
  return commands;
}
}  // namespace
}  // namespace pavina::e2e

int main(int argc, char** argv) {
  using namespace pavina::e2e;
  if (argc < 2) Fail("usage: driver COMMAND [ARGS...]");
  const auto command = Commands().find(argv[1]);
  if (command == Commands().end()) Fail(std::string("unknown command ") + argv[1]);
  try {
    command->second(TArgs(argv + 2, argv + argc));
  } catch (const std::exception& error) {
    Fail(std::string(argv[1]) + ": " + error.what());
  }
  std::fflush(stdout);
  return 0;
}
