#include "forms/EditFormControlObj.h"

#include <algorithm>
#include <cctype>

#include "forms/FormLimits.h"
#include "forms/HtmlForm.h"

namespace htmlview {

namespace {
constexpr std::int32_t kDefaultSize = 20;
constexpr std::int32_t kEditHeight = 20;
}  // namespace

std::int32_t EditSizeFromAttribute(const TAttributeList& attributes) {
  const TAttribute* size = attributes.Find(TAttrSymbol::SIZE);
  if (!size) return kDefaultSize;
  std::int64_t value = size->Value;
  if (value <= 0) {
    const std::string& text = size->Text;
    const std::size_t end = text.find_first_of(", ");
    value = 0;
    for (std::size_t i = 0; i < std::min(end, text.size()); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = 0;
        break;
      }
      value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), form_limits::kMaxEditSize);
    }
  }
  if (value <= 0) return kDefaultSize;
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, form_limits::kMaxEditSize));
}

TEditFormControlObj::TEditFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                         bool password)
    : TFormControlObj(form, attributes),
      password_(password),
      sizeInChars_(EditSizeFromAttribute(attributes)) {
  TControlSpec spec;
  spec.Kind = password ? TControlKind::PasswordEdit : TControlKind::Edit;
  spec.Font = PreFont();
  spec.Text = Value();
  spec.MaxLength = std::clamp<std::int32_t>(attributes.Number(TAttrSymbol::MAXLENGTH), 0,
                                            static_cast<std::int32_t>(form_limits::kMaxText));
  MakeWindow(spec);
}

TControlSize TEditFormControlObj::Measure() const {
  return {sizeInChars_ * Host().MeasureText(PreFont(), "A").Width + 5, kEditHeight};
}

void TEditFormControlObj::ResetToInitial() {
  if (Window()) Window()->SetText(Value());
}

void TEditFormControlObj::AddSubmitEntries(std::vector<std::string>& results) {
  AddEntry(results, Window() ? Window()->Text() : Value());
}

void TEditFormControlObj::HandleEnter() {
  Form().SubmitTheForm({});
}

}  // namespace htmlview
