#include "win32/PaneDropTarget.h"

#include <shellapi.h>

namespace htmlview {

bool TPaneDropTarget::Register() {
  if (!registered_) registered_ = SUCCEEDED(::RegisterDragDrop(window_, this));
  return registered_;
}

void TPaneDropTarget::Revoke() {
  if (registered_) ::RevokeDragDrop(window_);
  registered_ = false;
}

TPaneDropTarget::TFiles TPaneDropTarget::FilesOf(IDataObject* data) {
  TFiles files;
  if (!data) return files;
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return files;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    // The shell's own reader walks the list and stays inside the block.
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && i < kMaxFiles; ++i) {
      const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
      if (length == 0 || length > kMaxNameLength) continue;
      std::string name(length + 1, '\0');
      const UINT copied = ::DragQueryFileA(drop, i, name.data(), length + 1);
      name.resize(copied < length ? copied : length);
      if (!name.empty()) files.push_back(std::move(name));
    }
  }
  ::ReleaseStgMedium(&medium);
  return files;
}

HRESULT TPaneDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

POINT TPaneDropTarget::ClientPoint(POINTL screen) const {
  POINT point{screen.x, screen.y};
  ::ScreenToClient(window_, &point);
  return point;
}

DWORD TPaneDropTarget::Answer(POINTL point, DWORD allowed) const {
  if (files_.empty() || !Welcome || !Dropped) return DROPEFFECT_NONE;
  if (!(allowed & DROPEFFECT_COPY)) return DROPEFFECT_NONE;
  return Welcome(ClientPoint(point), files_) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT TPaneDropTarget::DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  files_ = FilesOf(data);
  *effect = Answer(point, *effect);
  return S_OK;
}

HRESULT TPaneDropTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  *effect = Answer(point, *effect);
  return S_OK;
}

HRESULT TPaneDropTarget::DragLeave() {
  files_.clear();
  return S_OK;
}

HRESULT TPaneDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  files_ = FilesOf(data);
  *effect = Answer(point, *effect);
  // The handler gets a list of its own: it may open a document, and so start over, from there.
  const TFiles files = std::move(files_);
  files_.clear();
  if (*effect != DROPEFFECT_NONE) Dropped(ClientPoint(point), files);
  return S_OK;
}

}  // namespace htmlview
