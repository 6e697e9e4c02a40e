#include "DocBuilder.h"

#include <cctype>
#include <cstdlib>

#include "document/Spaces.h"
#include "document/HorzLine.h"

namespace htmlview {

namespace {

// In the order of TAttrSymbol.
const char* const kAttributeNames[] = {
    "HREF",         "NAME",       "SRC",       "ALT",     "ALIGN",     "TEXT",        "BGCOLOR",
    "LINK",         "BACKGROUND", "COLSPAN",   "ROWSPAN", "BORDER",    "CELLPADDING", "CELLSPACING",
    "VALIGN",       "WIDTH",      "START",     "VALUE",   "TYPE",      "CHECKBOX",    "RADIO",
    "METHOD",       "ACTION",     "CHECKED",   "SIZE",    "MAXLENGTH", "COLS",        "ROWS",
    "MULTIPLE",     "SELECTED",   "FACE",      "COLOR",   "TRANSP",    "CLEAR",       "ISMAP",
    "BORDERCOLOR",  "USEMAP",     "SHAPE",     "COORDS",  "NOHREF",    "HEIGHT",      "PLAIN",
    "TARGET",       "NORESIZE",   "SCROLLING", "HSPACE",  "LANGUAGE",  "FRAMEBORDER", "MARGINWIDTH",
    "MARGINHEIGHT", "LOOP",       "ONCLICK",   "WRAP",    "NOSHADE",   "HTTP-EQUIV",  "CONTENT",
    "ENCTYPE",      "VLINK",      "OLINK",     "ACTIVE",  "VSPACE",    "NOWRAP"};

TAttrSymbol SymbolOf(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (std::size_t n = 0; n < std::size(kAttributeNames); ++n)
    if (name == kAttributeNames[n]) return static_cast<TAttrSymbol>(n);
  return TAttrSymbol::Unknown;
}

std::int32_t NumberOf(std::string text) {
  if (!text.empty() && text.back() == '%') text.pop_back();
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  return text.empty() || *end != '\0' ? 0 : static_cast<std::int32_t>(value);
}

}  // namespace

TAttributeList Attrs(std::string_view text) {
  TAttributeList list;
  std::size_t pos = 0;
  const auto skipSpaces = [&] {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  };
  for (skipSpaces(); pos < text.size(); skipSpaces()) {
    const std::size_t nameStart = pos;
    while (pos < text.size() && text[pos] != '=' && text[pos] != ' ') ++pos;
    TAttribute attribute;
    attribute.Which = SymbolOf(std::string(text.substr(nameStart, pos - nameStart)));
    if (pos < text.size() && text[pos] == '=') {
      ++pos;
      if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
        const char quote = text[pos++];
        const std::size_t end = text.find(quote, pos);
        attribute.Text = std::string(text.substr(pos, end - pos));
        pos = end == std::string_view::npos ? text.size() : end + 1;
      } else {
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ' ') ++pos;
        attribute.Text = std::string(text.substr(start, pos - start));
      }
      attribute.Value = NumberOf(attribute.Text);
    } else if (attribute.Which == TAttrSymbol::BORDER) {
      attribute.Value = 1;
    }
    list.Add(std::move(attribute));
  }
  return list;
}

TDocBuilder::TDocBuilder(TCell& cell) : cell_(cell), doc_(cell.Document()) {}

TDocBuilder::~TDocBuilder() {
  Finish();
}

void TDocBuilder::Finish() {
  if (current_) cell_.Add(std::move(current_));
}

void TDocBuilder::Start(std::unique_ptr<TSection> section) {
  Finish();
  current_ = std::move(section);
}

TSection& TDocBuilder::Current() {
  if (!current_) {
    auto section = std::make_unique<TSection>(doc_, font_, link_, justify_);
    section->SetListLevel(level_);
    current_ = std::move(section);
  }
  return *current_;
}

TDocBuilder& TDocBuilder::Text(std::string_view text) {
  Current().AddText(text, source_);
  source_ += static_cast<std::int32_t>(text.size());
  return *this;
}

TDocBuilder& TDocBuilder::NoBreakText(std::string_view text) {
  Current().AddText(text, source_, true);
  source_ += static_cast<std::int32_t>(text.size());
  return *this;
}

TDocBuilder& TDocBuilder::FontChanged() {
  if (current_) current_->ChangeFont(font_, script_);
  return *this;
}

TDocBuilder& TDocBuilder::Style(std::uint8_t style) {
  font_.Style = style;
  return FontChanged();
}

TDocBuilder& TDocBuilder::Size(std::int32_t numerator) {
  font_.Numerator = numerator;
  return FontChanged();
}

TDocBuilder& TDocBuilder::Fixed(bool fixedPitch) {
  font_.FixedPitch = fixedPitch;
  return FontChanged();
}

TDocBuilder& TDocBuilder::Script(TSubSuper mode) {
  script_ = mode;
  return FontChanged();
}

TDocBuilder& TDocBuilder::Color(TColor color) {
  font_.Color = color;
  return FontChanged();
}

TDocBuilder& TDocBuilder::Link(const std::string& url) {
  link_ = doc_.NewLink(url, "");
  Current().StartLink(link_, font_);
  return *this;
}

TDocBuilder& TDocBuilder::EndLink() {
  link_ = nullptr;
  if (current_) current_->EndLink(font_);
  return *this;
}

TDocBuilder& TDocBuilder::Image(std::string_view attributes) {
  lastImage_ = Current().AddImage(Attrs(attributes), source_++, false);
  return *this;
}

TDocBuilder& TDocBuilder::Control(TInlineControlObj& control) {
  Current().AddControl(control, source_++, false);
  return *this;
}

TDocBuilder& TDocBuilder::Align(TJustify justify) {
  justify_ = justify;
  return *this;
}

TDocBuilder& TDocBuilder::Para() {
  Finish();
  cell_.Add(std::make_unique<TParagraphSpace>(doc_));
  return *this;
}

TDocBuilder& TDocBuilder::Br(std::string_view clear) {
  Finish();
  if (!clear.empty()) Current().SetClear(ClearFromText(std::string(clear)));
  return *this;
}

TDocBuilder& TDocBuilder::Heading(std::int32_t level) {
  Finish();
  cell_.Add(std::make_unique<THeadingSpace>(doc_, level));
  return *this;
}

TDocBuilder& TDocBuilder::Hr(std::string_view attributes) {
  Finish();
  cell_.Add(std::make_unique<THorzLine>(doc_, Attrs(attributes)));
  return *this;
}

TDocBuilder& TDocBuilder::Pre(std::string_view line) {
  TFontDesc fixed = font_;
  fixed.FixedPitch = true;
  fixed.Numerator = 10;
  Start(std::make_unique<TPreFormated>(doc_, fixed, link_, justify_));
  current_->AddText(line, source_);
  source_ += static_cast<std::int32_t>(line.size()) + 1;  // the line end
  Finish();
  return *this;
}

TDocBuilder& TDocBuilder::Bullet(std::int32_t level, bool plain) {
  level_ = level;
  Start(std::make_unique<TUListItem>(doc_, level, plain, font_, link_, justify_));
  return *this;
}

TDocBuilder& TDocBuilder::Number(std::int32_t level, std::int32_t number, char style) {
  level_ = level;
  Start(std::make_unique<TOListItem>(doc_, level, number, style, font_, link_, justify_));
  return *this;
}

TDocBuilder& TDocBuilder::Definition(std::int32_t level) {
  level_ = level;
  Start(std::make_unique<TDListItem>(doc_, level, font_, link_, justify_));
  return *this;
}

TDocBuilder& TDocBuilder::Level(std::int32_t level) {
  Finish();
  level_ = level;
  return *this;
}

TDocBuilder& TDocBuilder::Section(std::unique_ptr<TSectionBase> section) {
  Finish();
  cell_.Add(std::move(section));
  return *this;
}

std::string LayoutAndDrawDump(TTestDocument& test, std::int32_t width) {
  std::int32_t widest = 0;
  const std::int32_t height = test.doc.DoLogic(5, width, widest);
  std::string out = "layout width=" + std::to_string(width) + " height=" + std::to_string(height) +
                    " widest=" + std::to_string(widest) + "\n";
  test.doc.Dump(out, 0);
  test.canvas.ClearCalls();
  test.doc.Draw({0, 0, 10 + std::max(width, widest) + 10, 5 + height + 5}, 10);
  out += "draw\n";
  for (const std::string& call : test.canvas.Calls()) out += "  " + call + "\n";
  out += "fonts\n";
  for (std::size_t n = 0; n < test.canvas.FontsMade().size(); ++n) {
    const TFontSpec& spec = test.canvas.FontsMade()[n];
    out += "  #" + std::to_string(n + 1) + " " + spec.Name + " " + std::to_string(spec.SizePt) +
           "pt style=" + std::to_string(spec.Style) + "\n";
  }
  return out;
}

}  // namespace htmlview
