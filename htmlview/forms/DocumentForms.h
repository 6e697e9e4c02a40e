#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "canvas/ControlHost.h"
#include "forms/FormSubmission.h"
#include "forms/HtmlForm.h"
#include "forms/MapItem.h"

namespace htmlview {

class TFormControlObj;

// The forms, form controls and image maps of one document, and the viewer's handlers
// they report to. The document owns one; emptying the document clears it.
class TDocumentForms {
 public:
  TDocumentForms();
  ~TDocumentForms();
  TDocumentForms(const TDocumentForms&) = delete;
  TDocumentForms& operator=(const TDocumentForms&) = delete;

  // The host that makes the controls' windows; null (the default) gives windows that only
  // keep their state, for documents that are never shown. Set it before the page is read:
  // windows already made stay with the host that made them, which must outlive them.
  void SetHost(TControlHost* host);
  TControlHost& Host();
  // What the forms take from their document: the preformatted font name (DefPreFontName,
  // used at 10 points by the controls) and the colour behind controls whose line gives
  // none (the document's background).
  std::function<std::string()> PreFontName = [] { return std::string("Courier New"); };
  std::function<TColor()> Background = [] { return kWhite; };

  // The submission handler: the viewer assigns it while OnFormSubmit is assigned, and it
  // defers the delivery to after the current message.
  std::function<void(const TFormSubmission&)> SubmitHandler;
  // OnObjectClick: a control with an ONCLICK attribute was clicked.
  std::function<void(TFormControlObj&, const std::string& onClick)> ObjectClickHandler;
  // A control took the focus: the viewer scrolls it into view.
  std::function<void(TFormControlObj&)> ControlFocusedHandler;

  const std::vector<std::unique_ptr<ThtmlForm>>& Forms() const { return forms_; }
  // Every control of every form, in document order.
  const std::vector<TFormControlObj*>& Controls() const { return controls_; }
  const std::vector<std::unique_ptr<TMapItem>>& Maps() const { return maps_; }

  // A new form, or null when the document holds as many as it may.
  ThtmlForm* AddForm(const TAttributeList& attributes);
  // Adds a control made for one of this document's forms; false (and the control is
  // freed) when the document holds as many as it may.
  bool AddControl(std::unique_ptr<TFormControlObj> control);
  bool CanAddControl() const;
  // Adds a finished map; false when the document holds as many as it may.
  bool AddMap(std::unique_ptr<TMapItem> map);
  // The map a USEMAP value names (in any case, with or without "#"), or null. The first of
  // two maps of the same name wins.
  const TMapItem* FindMap(const std::string& useMap) const;
  // Takes `count` options from the document's budget; false when it is spent.
  bool TakeOptions(std::size_t count);

  // Whether one of the controls has the keyboard focus (after a layout the others then
  // wait off-screen instead of hiding).
  bool AnyFocused() const;

  // Frees every form, control (and its window) and map.
  void Clear();
  // Changes whenever the document is cleared, so that code called back from a control can
  // tell whether the control still exists.
  std::uint32_t Generation() const { return generation_; }

 private:
  TControlHost* host_ = nullptr;
  std::unique_ptr<TControlHost> detachedHost_;
  std::vector<std::unique_ptr<ThtmlForm>> forms_;
  std::vector<TFormControlObj*> controls_;
  std::vector<std::unique_ptr<TMapItem>> maps_;
  std::size_t optionsTaken_ = 0;
  std::uint32_t generation_ = 0;
};

}  // namespace htmlview
