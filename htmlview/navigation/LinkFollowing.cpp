#include "navigation/LinkFollowing.h"

#include "text/AsciiCase.h"

namespace htmlview {

TFileAndAnchor SplitAtAnchor(const std::string& name) {
  const std::size_t hash = name.find('#');
  if (hash == std::string::npos) return {name, {}};
  return {name.substr(0, hash), name.substr(hash + 1)};
}

std::string UpperExtension(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of(".\\:");
  if (dot == std::string::npos || fileName[dot] != '.') return {};
  return UpperText(fileName.substr(dot, 5));
}

namespace {
bool IsOneOf(const std::string& extension, std::initializer_list<const char*> list) {
  for (const char* item : list)
    if (extension == item) return true;
  return false;
}

// The target's file part expanded, and its "#anchor" part kept as written.
TLinkAction Expanded(const std::string& target, const TFileNameContext& context) {
  TLinkAction action;
  const std::size_t hash = target.find('#');
  action.Anchor = hash == std::string::npos ? std::string() : target.substr(hash);
  action.FileName = ExpandFileName(target.substr(0, hash), context);
  action.Target = action.FileName + action.Anchor;
  return action;
}
}  // namespace

TLinkAction DecideLinkAction(const std::string& target, const TFileNameContext& context) {
  if (!target.empty() && target[0] == '#') {
    TLinkAction action;
    action.Kind = TLinkAction::TKind::ScrollToAnchor;
    action.FileName = context.CurrentFile;
    action.Anchor = target;
    action.Target = context.CurrentFile + target;
    return action;
  }
  TLinkAction action = Expanded(target, context);
  const std::string extension = UpperExtension(action.FileName);
  if (IsOneOf(extension, {".HTM", ".HTML"})) {
    action.Kind = SameText(action.FileName, context.CurrentFile)
                      ? TLinkAction::TKind::ScrollToAnchor
                      : TLinkAction::TKind::OpenDocument;
  } else if (IsOneOf(extension, {".BMP", ".GIF", ".JPG", ".JPEG", ".PNG"})) {
    action.Kind = TLinkAction::TKind::OpenImage;
  }
  return action;
}

std::string FullLinkTarget(const std::string& target, const TFileNameContext& context) {
  if (!target.empty() && target[0] == '#') return context.CurrentFile + target;
  return Expanded(target, context).Target;
}

}  // namespace htmlview
