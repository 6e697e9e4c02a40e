#include <optional>

#include "document/ImageObj.h"
#include "forms/FormBuilder.h"
#include "forms/ImageFormControlObj.h"
#include "forms/OptionListControlObj.h"
#include "forms/TextAreaFormControlObj.h"
#include "parser/HtmlBuilder.h"

namespace htmlview {

namespace {

// An option's text is cut to 255 characters by the forms; more is never kept here.
constexpr std::size_t kMaxOptionText = 1024;

}  // namespace

void THtmlBuilder::DoForm() {
  if (formBuilder_) {
    if (Sy() == TSymbol::Form)
      formBuilder_->BeginForm(Attributes());
    else
      formBuilder_->EndForm();
  }
  Next();
}

void THtmlBuilder::AddControl(TFormControlObj& control, std::int32_t sourceIndex) {
  if (auto* image = dynamic_cast<TImageFormControlObj*>(&control)) {
    // An image stands in the line for the control and sends it its clicks.
    if (TImageObj* shown = Section().AddImage(Attributes(), sourceIndex, tokenizer_.NoBreak))
      shown->FormControl = image;
    return;
  }
  if (control.TakesPlace()) Section().AddControl(control, sourceIndex, tokenizer_.NoBreak);
}

void THtmlBuilder::DoInput() {
  if (formBuilder_) {
    if (TFormControlObj* control = formBuilder_->AddInput(Attributes()))
      AddControl(*control, tokenizer_.SymbolStart());
  }
  Next();
}

void THtmlBuilder::DoSelect() {
  TOptionListControlObj* select = formBuilder_ ? formBuilder_->BeginSelect(Attributes()) : nullptr;
  if (select) AddControl(*select, tokenizer_.SymbolStart());
  const bool savedNoBreak = tokenizer_.NoBreak;
  tokenizer_.NoBreak = false;

  bool open = false;
  bool selected = false;
  std::optional<std::string> value;
  std::string text;
  auto closeOption = [&] {
    if (open && select) formBuilder_->AddOption(*select, text, selected, value);
    open = false;
    text.clear();
  };
  auto finish = [&] {
    closeOption();
    if (select) formBuilder_->EndSelect(*select);
    tokenizer_.NoBreak = savedNoBreak;
  };
  try {
    Next();
    while (Sy() != TSymbol::SelectEnd && Sy() != TSymbol::EndOfInput) {
      if (Sy() == TSymbol::Option || Sy() == TSymbol::OptionEnd) {
        closeOption();
        if (Sy() == TSymbol::Option) {
          open = true;
          selected = Attributes().Has(TAttrSymbol::SELECTED);
          value.reset();
          if (Attributes().Has(TAttrSymbol::VALUE)) value = Attributes().Text(TAttrSymbol::VALUE);
        }
      } else if (Sy() == TSymbol::Text && open && text.size() < kMaxOptionText) {
        text += tokenizer_.Token().S;
      }
      Next();
    }
  } catch (...) {
    // A parse error among the options (a comment left open, the section limit) still
    // fills the list window with the options read so far, which the form holds.
    finish();
    throw;
  }
  finish();
  if (Sy() == TSymbol::SelectEnd) Next();
}

void THtmlBuilder::DoTextArea() {
  const std::int32_t sourceIndex = tokenizer_.SymbolStart();
  const std::string text = ReadRawText("</textarea", true, false);
  if (formBuilder_) {
    if (TTextAreaFormControlObj* control = formBuilder_->AddTextArea(Attributes(), text))
      AddControl(*control, sourceIndex);
  }
  Next();
  if (Sy() == TSymbol::TextAreaEnd) Next();
}

void THtmlBuilder::DoMap() {
  // Stray tags among the areas are skipped; the third one, or the end of the input, cuts
  // the map short: it is dropped and that symbol read as usual.
  constexpr int kStrayTagsEndingAMap = 3;
  if (formBuilder_) formBuilder_->BeginMap(Attributes());
  Next();
  int strayTags = 0;
  for (;;) {
    if (Sy() == TSymbol::Area) {
      if (formBuilder_) formBuilder_->AddArea(Attributes());
    } else if (Sy() == TSymbol::MapEnd) {
      if (formBuilder_) formBuilder_->EndMap();
      Next();
      return;
    } else if (Sy() != TSymbol::Text && Sy() != TSymbol::Other && Sy() != TSymbol::LineEnd &&
               (Sy() == TSymbol::EndOfInput || ++strayTags == kStrayTagsEndingAMap)) {
      if (formBuilder_) formBuilder_->AbandonMap();
      return;
    }
    Next();
  }
}

}  // namespace htmlview
