#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "document/Attributes.h"

namespace htmlview {

class TDocumentForms;
class ThtmlForm;
class TFormControlObj;
class TOptionListControlObj;
class TTextAreaFormControlObj;
class TMapItem;

// What the parser calls to build the forms and image maps of a document, one builder for
// one parse. Controls come back as pointers that the document's forms own; the parser puts
// each into the current section at its character position (all but hidden fields and
// image controls, whose place an inline image takes). Every call that makes something
// returns null when the document holds as many of those as it may: the parser then skips
// the tag.
class TFormBuilder {
 public:
  explicit TFormBuilder(TDocumentForms& document);
  ~TFormBuilder();
  TFormBuilder(const TFormBuilder&) = delete;
  TFormBuilder& operator=(const TFormBuilder&) = delete;

  // FORM: a form from its METHOD, ACTION, TARGET and ENCTYPE, which collects the controls
  // that follow.
  ThtmlForm* BeginForm(const TAttributeList& attributes);
  // /FORM: the controls that follow belong to no form (until one is made for them).
  void EndForm();
  // The form that the next control joins, or null.
  ThtmlForm* CurrentForm() const;

  // INPUT: the control its TYPE names (lower case, first 20 characters): "password",
  // "submit", "reset", "button", "checkbox", "radio", "hidden", "image"; "text", none or
  // anything else is a text edit. A control outside any form gets a form of its own,
  // made on the spot with the defaults, which collects the controls that follow it until
  // the next FORM or /FORM. For an "image" control the parser also adds an inline image
  // from the same attributes and sends its clicks to TImageFormControlObj::ImageClicked.
  TFormControlObj* AddInput(const TAttributeList& attributes);

  // SELECT: a list box with MULTIPLE or with SIZE above 1, else a drop-down list. Then, for
  // each OPTION as it closes (at OPTION, /OPTION, /SELECT or the end of the input),
  // AddOption with the text gathered for it (raw: trimming and cutting are done here),
  // whether it had SELECTED and its VALUE when it had one; and EndSelect once, at /SELECT
  // or the end of the input, which fills the window.
  TOptionListControlObj* BeginSelect(const TAttributeList& attributes);
  void AddOption(TOptionListControlObj& select, const std::string& text, bool selected,
                 const std::optional<std::string>& value);
  void EndSelect(TOptionListControlObj& select);

  // TEXTAREA with its ROWS, COLS and WRAP, and the raw text up to "</textarea" with its
  // entities decoded (split into lines here).
  TTextAreaFormControlObj* AddTextArea(const TAttributeList& attributes, const std::string& text);

  // MAP: starts collecting the AREAs of a map named by NAME. AddArea adds one AREA (an AREA
  // outside a MAP does nothing). Only EndMap, at /MAP, gives the map to the document: a
  // map that another MAP, the end of the input or any other ending cuts short is dropped,
  // either by the next BeginMap, by AbandonMap, or when the builder is destroyed.
  void BeginMap(const TAttributeList& attributes);
  void AddArea(const TAttributeList& attributes);
  void EndMap();
  void AbandonMap();

 private:
  ThtmlForm* FormForControl();
  template <typename TControl>
  TControl* Adopt(std::unique_ptr<TControl> control);

  TDocumentForms& document_;
  ThtmlForm* currentForm_ = nullptr;
  std::uint32_t formGeneration_ = 0;  // the document's generation when currentForm_ was set
  std::unique_ptr<TMapItem> openMap_;
};

}  // namespace htmlview
