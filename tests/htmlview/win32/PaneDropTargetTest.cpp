// Files dragged from the shell: what the drop target reads from a drag, what it answers,
// and the viewer's events, driven through a real OLE drag under Wine.
#include "win32/PaneDropTarget.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "PaneTestWindow.h"

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

POINTL ScreenPointOf(HWND window, int x, int y) {
  POINT point{x, y};
  ::ClientToScreen(window, &point);
  return {point.x, point.y};
}

struct TSeen {
  std::vector<POINT> welcomed;
  std::vector<std::string> files;
  int drops = 0;
  POINT dropPoint{};
};

void Watch(TPaneDropTarget& target, TSeen& seen, const bool& welcome) {
  target.Welcome = [&](POINT point, const TPaneDropTarget::TFiles& files) {
    seen.welcomed.push_back(point);
    seen.files = files;
    return welcome;
  };
  target.Dropped = [&](POINT point, const TPaneDropTarget::TFiles& files) {
    ++seen.drops;
    seen.dropPoint = point;
    seen.files = files;
  };
}

}  // namespace

TEST(PaneDropTarget, FilesAreWelcomedAndDroppedWhereTheOwnerSays) {
  TPaneTestWindow window(200, 120);
  const HWND panel = window.Pane().PaintPanelHandle();
  for (const bool wide : {false, true}) {
    SCOPED_TRACE(wide ? "wide names" : "narrow names");
    TPaneDropTarget target(panel);
    TSeen seen;
    bool welcome = true;
    Watch(target, seen, welcome);
    TFileDrag drag({"C:\\Help\\page one.htm", "Z:\\tmp\\logo.gif"}, wide);

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target.DragEnter(&drag, 0, ScreenPointOf(panel, 30, 40), &effect), S_OK);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
    ASSERT_EQ(seen.welcomed.size(), 1u);
    EXPECT_EQ(seen.welcomed[0].x, 30);
    EXPECT_EQ(seen.welcomed[0].y, 40);
    EXPECT_EQ(seen.files,
              (std::vector<std::string>{"C:\\Help\\page one.htm", "Z:\\tmp\\logo.gif"}));

    // Refused at one point; and a drag that allows no copy is refused everywhere.
    welcome = false;
    effect = DROPEFFECT_COPY;
    target.DragOver(0, ScreenPointOf(panel, 50, 60), &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    welcome = true;
    effect = DROPEFFECT_MOVE;
    target.DragOver(0, ScreenPointOf(panel, 50, 60), &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});

    // Dropped where refused: nothing happens; where welcome: the owner has the files.
    welcome = false;
    effect = DROPEFFECT_COPY;
    target.Drop(&drag, 0, ScreenPointOf(panel, 5, 6), &effect);
    EXPECT_EQ(seen.drops, 0);
    welcome = true;
    effect = DROPEFFECT_COPY;
    target.Drop(&drag, 0, ScreenPointOf(panel, 7, 9), &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
    ASSERT_EQ(seen.drops, 1);
    EXPECT_EQ(seen.dropPoint.x, 7);
    EXPECT_EQ(seen.dropPoint.y, 9);
    EXPECT_EQ(seen.files.size(), 2u);
  }
}

TEST(PaneDropTarget, ADragWithoutFilesIsRefusedWithoutAskingTheOwner) {
  TPaneTestWindow window(200, 120);
  const HWND panel = window.Pane().PaintPanelHandle();
  TPaneDropTarget target(panel);
  TSeen seen;
  const bool welcome = true;
  Watch(target, seen, welcome);
  TFileDrag text({"not files"}, false, false);
  DWORD effect = DROPEFFECT_COPY;
  target.DragEnter(&text, 0, ScreenPointOf(panel, 10, 10), &effect);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  effect = DROPEFFECT_COPY;
  target.Drop(&text, 0, ScreenPointOf(panel, 10, 10), &effect);
  EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
  EXPECT_TRUE(seen.welcomed.empty());
  EXPECT_EQ(seen.drops, 0);
  EXPECT_TRUE(TPaneDropTarget::FilesOf(nullptr).empty());
}

namespace {
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
    pane.OnDragOver = [&](THtmlPane& sender, int, int, const std::vector<std::string>& files,
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
    const HWND panel = pane.PaintPanelHandle();
    ::SetForegroundWindow(window.Handle());
    const POINTL spot = ScreenPointOf(panel, 60, 70);
    ::SetCursorPos(spot.x, spot.y);
    TPaneTestWindow::Pump(100);

    TDropAtOnce mouse;
    TFileDrag two({"C:\\a.htm", "C:\\b.htm"}, true);
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(&two, &mouse, DROPEFFECT_COPY, &effect);
    EXPECT_EQ(offered.size(), 2u) << "the viewer was asked about the drag";
    EXPECT_TRUE(dropped.empty()) << "two files were refused by the host";

    TFileDrag one({"C:\\Help\\pavina_help.htm"}, true);
    effect = DROPEFFECT_NONE;
    ::DoDragDrop(&one, &mouse, DROPEFFECT_COPY, &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(dropped, std::vector<std::string>{"C:\\Help\\pavina_help.htm"});
    EXPECT_EQ(at.x, 60);
    EXPECT_EQ(at.y, 70);

    // Without OnDragOver the viewer takes nothing.
    pane.OnDragOver = nullptr;
    dropped.clear();
    ::DoDragDrop(&one, &mouse, DROPEFFECT_COPY, &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    EXPECT_TRUE(dropped.empty());
  }
  ::OleUninitialize();
}
