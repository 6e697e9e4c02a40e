// Files dragged from the shell onto a window: an OLE drop target that reads the file
// names of the drag and asks its owner whether they are welcome at a point and what to do
// with them when dropped. It lives inside its owner, which revokes the registration before
// it goes: the reference count only keeps OLE's bookkeeping honest.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace htmlview {

class TPaneDropTarget final : public IDropTarget {
 public:
  // Bounds on what a drag may carry, so that a strange data object cannot make us allocate
  // without end.
  static constexpr UINT kMaxFiles = 1000;
  static constexpr UINT kMaxNameLength = 32767;

  using TFiles = std::vector<std::string>;
  // The point is in the client coordinates of the window.
  std::function<bool(POINT point, const TFiles& files)> Welcome;
  std::function<void(POINT point, const TFiles& files)> Dropped;

  explicit TPaneDropTarget(HWND window) : window_(window) {}
  TPaneDropTarget(const TPaneDropTarget&) = delete;
  TPaneDropTarget& operator=(const TPaneDropTarget&) = delete;
  ~TPaneDropTarget() { Revoke(); }

  // False where OLE is not initialised on this thread: the window then takes no drops.
  bool Register();
  void Revoke();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                 DWORD* effect) override;

 private:
  // The file names a data object carries (none unless it carries files).
  static TFiles FilesOf(IDataObject* data);
  POINT ClientPoint(POINTL screen) const;
  // The effect to answer at a point: a copy when the owner welcomes the files there.
  DWORD Answer(POINTL point, DWORD allowed) const;

  HWND window_;
  bool registered_ = false;
  ULONG references_ = 0;
  TFiles files_;
};

}  // namespace htmlview
