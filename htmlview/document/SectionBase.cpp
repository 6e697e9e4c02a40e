#include "SectionBase.h"

#include "IndentManager.h"

namespace htmlview {

std::int32_t TSectionBase::DrawLogic(std::int32_t y, IndentManager& /*imgr*/,
                                     std::int32_t& /*maxWidth*/, std::int32_t& curs) {
  YValue = y;
  StartCurs = curs;
  DrawHeight = SectionHeight;
  return SectionHeight;
}

std::int32_t TSectionBase::Draw(const TRect& /*clip*/, std::int32_t /*clipWidth*/,
                                std::int32_t /*x*/, std::int32_t /*y*/) {
  return YValue + SectionHeight;
}

void TSectionBase::DumpHeader(std::string& out, int indent, const char* kind) const {
  out.append(static_cast<std::size_t>(indent), ' ');
  out += kind;
  out += " y=" + std::to_string(YValue) + " h=" + std::to_string(SectionHeight);
  if (DrawHeight != SectionHeight) out += " drawn=" + std::to_string(DrawHeight);
}

void TSectionBase::Dump(std::string& out, int indent) const {
  DumpHeader(out, indent, "section");
  out += '\n';
}

}  // namespace htmlview
