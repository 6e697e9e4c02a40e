#include "WindowSearch.h"

#include <cstdlib>

#include "MainFormLayout.h"

namespace pavina::e2e {

namespace {
struct TTopLevelQuery {
  std::string className;
  std::string title;
  bool anyTitle;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
  auto* query = reinterpret_cast<TTopLevelQuery*>(data);
  if (!::IsWindowVisible(window) || ClassOf(window) != query->className) return TRUE;
  if (!query->anyTitle && TextOf(window) != query->title) return TRUE;
  query->found = window;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}
}  // namespace

std::string TextOf(HWND window) {
  // WM_GETTEXT reaches other processes' controls, GetWindowText does not.
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 10000, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof(name));
  return name;
}

HWND FindTopLevel(const std::string& windowSpec) {
  TTopLevelQuery query;
  const auto bar = windowSpec.find('|');
  query.className = windowSpec.substr(0, bar);
  query.anyTitle = bar == std::string::npos;
  query.title = query.anyTitle ? std::string() : windowSpec.substr(bar + 1);
  query.found = nullptr;
  ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> all;
  ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindControl(HWND window, const std::string& controlSpec) {
  int id = -1;
  std::string className;
  if (controlSpec.rfind("name:", 0) == 0) {
    const ui::TControlSpec* spec = ui::FindMainFormControl(controlSpec.substr(5).c_str());
    if (!spec) return nullptr;
    id = spec->id;
  } else if (controlSpec.rfind("#", 0) == 0) {
    id = std::atoi(controlSpec.c_str() + 1);
  } else if (controlSpec.rfind("class:", 0) == 0) {
    className = controlSpec.substr(6);
  }
  for (HWND child : Descendants(window)) {
    if (id >= 0) {
      if (::GetDlgCtrlID(child) == id) return child;
    } else if (!className.empty()) {
      if (ClassOf(child) == className) return child;
    } else if (TextOf(child) == controlSpec) {
      return child;
    }
  }
  return nullptr;
}

RECT RectInParent(HWND control) {
  RECT r{};
  ::GetWindowRect(control, &r);
  HWND parent = ::GetParent(control);
  POINT corner{r.left, r.top};
  if (parent) ::ScreenToClient(parent, &corner);
  return RECT{corner.x, corner.y, corner.x + (r.right - r.left), corner.y + (r.bottom - r.top)};
}

}  // namespace pavina::e2e
