#include "forms/DocumentForms.h"

#include "forms/DetachedControlHost.h"
#include "forms/FormControlObj.h"
#include "forms/FormLimits.h"

namespace htmlview {

TDocumentForms::TDocumentForms() = default;

TDocumentForms::~TDocumentForms() {
  Clear();
}

void TDocumentForms::SetHost(TControlHost* host) {
  host_ = host;
}

TControlHost& TDocumentForms::Host() {
  if (host_) return *host_;
  if (!detachedHost_) detachedHost_ = std::make_unique<TDetachedControlHost>();
  return *detachedHost_;
}

ThtmlForm* TDocumentForms::AddForm(const TAttributeList& attributes) {
  if (forms_.size() >= form_limits::kMaxForms) return nullptr;
  forms_.push_back(std::make_unique<ThtmlForm>(*this, attributes));
  return forms_.back().get();
}

bool TDocumentForms::CanAddControl() const {
  return controls_.size() < form_limits::kMaxControls;
}

bool TDocumentForms::AddControl(std::unique_ptr<TFormControlObj> control) {
  if (!control || !CanAddControl()) return false;
  ThtmlForm& form = control->Form();
  controls_.push_back(&form.Adopt(std::move(control)));
  return true;
}

bool TDocumentForms::AddMap(std::unique_ptr<TMapItem> map) {
  if (!map || maps_.size() >= form_limits::kMaxMaps) return false;
  maps_.push_back(std::move(map));
  return true;
}

const TMapItem* TDocumentForms::FindMap(const std::string& useMap) const {
  const std::string key = TMapItem::KeyOf(useMap);
  for (const auto& map : maps_)
    if (map->Name() == key) return map.get();
  return nullptr;
}

bool TDocumentForms::TakeOptions(std::size_t count) {
  if (count > form_limits::kMaxOptionsPerDocument - optionsTaken_) return false;
  optionsTaken_ += count;
  return true;
}

bool TDocumentForms::AnyFocused() const {
  for (const TFormControlObj* control : controls_)
    if (control->HasFocus()) return true;
  return false;
}

void TDocumentForms::Clear() {
  ++generation_;
  controls_.clear();
  forms_.clear();  // frees the controls and their windows
  maps_.clear();
  optionsTaken_ = 0;
}

}  // namespace htmlview
