#include "forms/TextAreaFormControlObj.h"

#include <algorithm>

#include "forms/FormLimits.h"
#include "text/AsciiCase.h"

namespace htmlview {

namespace {

constexpr std::int32_t kDefaultRows = 5;
constexpr std::int32_t kDefaultCols = 30;
// The edit's border and inner margins.
constexpr std::int32_t kFrame = 8;

std::int32_t Dimension(const TAttributeList& attributes, TAttrSymbol which, std::int32_t fallback,
                       std::int32_t limit) {
  const std::int32_t value = attributes.Number(which);
  return value > 0 ? std::min(value, limit) : fallback;
}

bool WrapsWords(const std::string& wrap) {
  return SameText(wrap, "soft") || SameText(wrap, "hard");
}

// Whatever line ends a window gives, a submission carries CR LF.
std::string WithCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      result += c;
      continue;
    }
    const char pair = c == '\r' ? '\n' : '\r';
    if (i + 1 < text.size() && text[i + 1] == pair) ++i;
    result += "\r\n";
  }
  return result;
}

// Each line end closes a line; text after the last one is a line of its own.
std::vector<std::string> SplitLines(const std::string& text) {
  const std::string normal = WithCrLf(text);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = normal.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(normal.substr(start, end - start));
  if (start < normal.size()) lines.push_back(normal.substr(start));
  return lines;
}

std::size_t LeadingLineEnd(const std::string& text) {
  if (text.empty() || (text[0] != '\r' && text[0] != '\n')) return 0;
  const char pair = text[0] == '\r' ? '\n' : '\r';
  return text.size() > 1 && text[1] == pair ? 2 : 1;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

TTextAreaFormControlObj::TTextAreaFormControlObj(ThtmlForm& form, const TAttributeList& attributes)
    : TFormControlObj(form, attributes),
      rows_(Dimension(attributes, TAttrSymbol::ROWS, kDefaultRows, form_limits::kMaxTextAreaRows)),
      cols_(Dimension(attributes, TAttrSymbol::COLS, kDefaultCols, form_limits::kMaxTextAreaCols)),
      wordWrap_(WrapsWords(attributes.Text(TAttrSymbol::WRAP))) {
  TControlSpec spec;
  spec.Kind = TControlKind::Memo;
  spec.Font = PreFont();
  spec.WordWrap = wordWrap_;
  MakeWindow(spec);
}

void TTextAreaFormControlObj::SetInitialText(const std::string& text) {
  // Pages put the text on the line after the tag; that first line end is layout, not content.
  initialLines_ = SplitLines(text.substr(LeadingLineEnd(text), form_limits::kMaxText));
  ResetToInitial();
}

TControlSize TTextAreaFormControlObj::Measure() const {
  const TControlTextSize a = Host().MeasureText(PreFont(), "A");
  const std::int32_t bar = Host().ScrollBarSize();
  return {cols_ * a.Width + kFrame + bar, rows_ * a.Height + kFrame + (wordWrap_ ? 0 : bar)};
}

void TTextAreaFormControlObj::ResetToInitial() {
  if (Window()) Window()->SetText(JoinLines(initialLines_));
}

void TTextAreaFormControlObj::AddSubmitEntries(std::vector<std::string>& results) {
  AddEntry(results, Window() ? WithCrLf(Window()->Text()) : JoinLines(initialLines_));
}

}  // namespace htmlview
