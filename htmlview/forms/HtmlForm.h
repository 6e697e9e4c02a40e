#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "document/Attributes.h"

namespace htmlview {

class TDocumentForms;
class TFormControlObj;

// One form of a document: where and how it submits, and its controls in document order.
class ThtmlForm {
 public:
  // From FORM attributes; a form made on the spot for controls outside any FORM gets an
  // empty list and so the defaults.
  ThtmlForm(TDocumentForms& document, const TAttributeList& attributes);
  ~ThtmlForm();
  ThtmlForm(const ThtmlForm&) = delete;
  ThtmlForm& operator=(const ThtmlForm&) = delete;

  TDocumentForms& Document() const { return document_; }
  const std::string& Method() const { return method_; }  // at most 4 characters, "Get" default
  const std::string& Action() const { return action_; }
  const std::string& Target() const { return target_; }
  const std::string& EncType() const { return encType_; }
  const std::vector<std::unique_ptr<TFormControlObj>>& Controls() const { return controls_; }
  // Controls that show on the page (all but hidden fields).
  std::size_t NonHiddenCount() const { return nonHiddenCount_; }

  // Takes a control made for this form (the document's AddControl calls this).
  TFormControlObj& Adopt(std::unique_ptr<TFormControlObj> control);

  // Every control back to its state when the page was read.
  void ResetControls();
  // The entries of every control, then `extra` ("NAME=VALUE") when not empty, go to the
  // document's submission handler. Nothing happens when the document has none.
  void SubmitTheForm(const std::string& extra);
  // Unchecks the radio buttons of this form whose NAME is `name` in any case, except `keep`;
  // `alsoInitially` makes a reset leave them unchecked too.
  void UncheckRadioGroup(const std::string& name, const TFormControlObj& keep,
                         bool alsoInitially = false);

 private:
  TDocumentForms& document_;
  std::string method_;
  std::string action_;
  std::string target_;
  std::string encType_;
  std::vector<std::unique_ptr<TFormControlObj>> controls_;
  std::size_t nonHiddenCount_ = 0;
};

}  // namespace htmlview
