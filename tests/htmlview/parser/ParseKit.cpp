#include "ParseKit.h"

#include <cstdio>

#include "TokenDump.h"
#include "document/HorzLine.h"
#include "document/ListItems.h"
#include "document/Spaces.h"
#include "tables/HtmlTable.h"

namespace htmlview {

namespace {

std::string Hex(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

std::string RunText(const TFontObj& at, const TRunStyle& run) {
  const TFontDesc& font = run.Desc;
  std::string out = "@" + std::to_string(at.Pos);
  if (font.Numerator != 12) out += " size=" + std::to_string(font.Numerator);
  if (font.Style & TFontStyle::Bold) out += " b";
  if (font.Style & TFontStyle::Italic) out += " i";
  if (font.Style & TFontStyle::Underline) out += " u";
  if (font.Style & TFontStyle::StrikeOut) out += " s";
  if (run.SScript == TSubSuper::Sub) out += " sub";
  if (run.SScript == TSubSuper::Super) out += " sup";
  if (font.FixedPitch) out += " fixed";
  if (!font.Face.empty()) out += " face=" + font.Face;
  if (font.CharSet >= 0) out += " charset=" + std::to_string(font.CharSet);
  if (font.Color) out += " color=" + Hex(*font.Color);
  if (run.UrlTarget) out += " link=" + run.UrlTarget->Url;
  return out;
}

void DumpCell(const TCell& cell, int indent, std::string& out);

void DumpSection(const TSectionBase& base, int indent, std::string& out) {
  static const char* const kJustify[] = {"?", "left", "centre", "right"};
  const std::string pad(static_cast<std::size_t>(indent), ' ');
  if (const auto* table = dynamic_cast<const ThtmlTable*>(&base)) {
    out += pad + "table\n";
    if (table->Caption()) {
      out += pad + "  caption" + (table->CaptionBelow() ? " below" : "") + "\n";
      DumpCell(table->Caption()->Cell, indent + 4, out);
    }
    for (const auto& row : table->Rows()) {
      out += pad + "  row\n";
      for (const auto& cell : row->Cells) {
        out += pad + "    cell\n";
        DumpCell(cell->Cell, indent + 6, out);
      }
    }
    return;
  }
  if (dynamic_cast<const TParagraphSpace*>(&base)) {
    out += pad + "paragraph space\n";
    return;
  }
  if (const auto* heading = dynamic_cast<const THeadingSpace*>(&base)) {
    out += pad + "heading space " + std::to_string(heading->Level()) + "\n";
    return;
  }
  if (dynamic_cast<const THorzLine*>(&base)) {
    out += pad + "rule\n";
    return;
  }
  const auto* section = dynamic_cast<const TSection*>(&base);
  if (!section) {
    out += pad + "?\n";
    return;
  }
  std::string kind = "text";
  if (const auto* numbered = dynamic_cast<const TOListItem*>(section))
    kind = "number " + std::to_string(numbered->Number()) + " style=" + numbered->Style();
  else if (dynamic_cast<const TDListItem*>(section))
    kind = "definition";
  else if (dynamic_cast<const TUListItem*>(section))
    kind = "bullet";
  else if (dynamic_cast<const TPreFormated*>(section))
    kind = "pre";
  out += pad + kind + " " + kJustify[static_cast<int>(section->Justify())];
  if (section->ListLevel() != 0) out += " level=" + std::to_string(section->ListLevel());
  if (section->Clear() != TClearType::None)
    out += " clear=" + std::to_string(static_cast<int>(section->Clear()));
  out += " " + DumpText(section->Buffer()) + "\n";
  for (const TFontObj& run : section->Fonts()) {
    const std::string text = RunText(run, section->StyleOf(run));
    if (text != "@0") out += pad + "  " + text + "\n";
  }
}

void DumpCell(const TCell& cell, int indent, std::string& out) {
  for (const auto& section : cell.Sections()) DumpSection(*section, indent, out);
}

}  // namespace

std::string StructureDump(const TCell& cell) {
  std::string out;
  DumpCell(cell, 0, out);
  return out;
}

std::string LayoutDump(TParsedDocument& parsed, int width) {
  return LayoutAndDrawDump(parsed.test, width);
}

}  // namespace htmlview
