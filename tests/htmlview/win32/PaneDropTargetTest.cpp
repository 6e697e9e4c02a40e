// Files dragged from the shell onto the viewer, through a real OLE drag under Wine: what
// the host is offered, what it may refuse, and what reaches it on a drop.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "PaneTestWindow.h"

namespace htmlview {

namespace {

// A COM object on its test's stack: its reference count is kept for form only.
template <class TInterface>
class TOnStack : public TInterface {
 public:
  explicit TOnStack(REFIID iid) : iid_(iid) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
      *object = static_cast<TInterface*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

 private:
  IID iid_;
};

// A drag's data as the shell gives it: a DROPFILES block with the names, narrow or wide.
class TFileDrag final : public TOnStack<IDataObject> {
 public:
  TFileDrag(std::vector<std::string> names, bool wide, bool files = true)
      : TOnStack(IID_IDataObject), names_(std::move(names)), wide_(wide), files_(files) {}

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    std::string list;
    for (const std::string& name : names_) {
      for (char c : name) {
        list += c;
        if (wide_) list += '\0';
      }
      list.append(wide_ ? 2 : 1, '\0');
    }
    list.append(wide_ ? 2 : 1, '\0');
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide_;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size());
    ::GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return files_ && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL)
               ? S_OK
               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  std::vector<std::string> names_;
  bool wide_;
  bool files_;
};

// Whether the paint panel was still a drop target when it went.
bool registeredAtTheEnd = false;
LRESULT CALLBACK WatchTheEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_NCDESTROY)
    registeredAtTheEnd = ::GetPropA(window, "OleDropTargetInterface") != nullptr;
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// The mouse of an OLE drag that is let go at once, where the test put the cursor.
class TDropAtOnce final : public TOnStack<IDropSource> {
 public:
  TDropAtOnce() : TOnStack(IID_IDropSource) {}
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

TEST(PaneDropTarget, TheViewerTellsItsHostOfFilesDroppedOnIt) {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  {
    TPaneTestWindow window(300, 200);
    THtmlPane& pane = window.Pane();
    std::vector<std::string> offered, dropped;
    POINT at{};
    // The host takes one file at a time.
    const auto acceptOne = [&](THtmlPane& sender, int, int, const std::vector<std::string>& files,
                               bool& accept) {
      EXPECT_EQ(&sender, &pane);
      offered = files;
      accept = files.size() == 1;
    };
    pane.OnDragDrop = [&](THtmlPane& sender, int x, int y, const std::vector<std::string>& files) {
      EXPECT_EQ(&sender, &pane);
      dropped = files;
      at = {x, y};
    };
    POINT spot{60, 70};
    ::ClientToScreen(pane.PaintPanelHandle(), &spot);
    ::SetForegroundWindow(window.Handle());
    ::SetCursorPos(spot.x, spot.y);
    TPaneTestWindow::Pump(100);

    const std::vector<std::string> one{"C:\\Help\\page one.htm"};
    const std::vector<std::string> two{"C:\\a.htm", "Z:\\tmp\\b.htm"};
    const struct {
      const char* what;
      std::vector<std::string> names;
      bool wide, files, hostListens;
      DWORD allowed;
      std::size_t offered;  // names the host was asked about
      bool taken;
    } cases[] = {
        {"one file, narrow names", one, false, true, true, DROPEFFECT_COPY, 1, true},
        {"one file, wide names", one, true, true, true, DROPEFFECT_COPY | DROPEFFECT_MOVE, 1, true},
        {"two files, refused by the host", two, true, true, true, DROPEFFECT_COPY, 2, false},
        {"a drag that allows no copy", one, false, true, true, DROPEFFECT_MOVE, 0, false},
        {"a drag without files", one, false, false, true, DROPEFFECT_COPY, 0, false},
        {"a host without OnDragOver", one, false, true, false, DROPEFFECT_COPY, 0, false},
    };
    TDropAtOnce mouse;
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      pane.OnDragOver = nullptr;
      if (c.hostListens) pane.OnDragOver = acceptOne;
      offered.clear();
      dropped.clear();
      at = {};
      TFileDrag drag(c.names, c.wide, c.files);
      DWORD effect = DROPEFFECT_NONE;
      ::DoDragDrop(&drag, &mouse, c.allowed, &effect);
      EXPECT_EQ(offered.size(), c.offered);
      EXPECT_EQ(effect, DWORD(c.taken ? DROPEFFECT_COPY : DROPEFFECT_NONE));
      EXPECT_EQ(dropped, c.taken ? c.names : std::vector<std::string>{});
      if (c.taken) {
        EXPECT_EQ(at.x, 60);
        EXPECT_EQ(at.y, 70);
      }
    }
  }
  ::OleUninitialize();
}

// A closing help window destroys its windows before the viewer object: the registration
// must go while the window still exists.
TEST(PaneDropTarget, TheRegistrationGoesWithTheWindow) {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  {
    TPaneTestWindow window(300, 200);
    HWND panel = window.Pane().PaintPanelHandle();
    ASSERT_NE(::GetPropA(panel, "OleDropTargetInterface"), nullptr);
    ::SetWindowSubclass(panel, WatchTheEnd, 1, 0);
    registeredAtTheEnd = true;
    ::DestroyWindow(window.Handle());
    EXPECT_FALSE(registeredAtTheEnd);
  }
  ::OleUninitialize();
}

}  // namespace htmlview
