#pragma once

#include <string>

#include "navigation/FileNameExpansion.h"

namespace htmlview {

// A document name split at its first "#": the file, and the anchor after the "#".
struct TFileAndAnchor {
  std::string FileName;
  std::string Anchor;  // without the "#"; empty when there was none
};
TFileAndAnchor SplitAtAnchor(const std::string& name);

// The extension of a file name with its dot, in upper case, at most 5 characters
// ("C:\a\b.Html" -> ".HTML"); empty when there is none.
std::string UpperExtension(const std::string& fileName);

// What following a link does, decided from its target alone.
struct TLinkAction {
  enum class TKind {
    Nothing,         // an extension the viewer does not show
    ScrollToAnchor,  // Anchor in the current document; found: history and visited
    OpenDocument,    // OpenDocumentFile(Target); Target goes to the visited list
    OpenImage,       // OpenImageDocument(FileName)
  };
  TKind Kind = TKind::Nothing;
  std::string FileName;  // expanded, without the anchor part
  std::string Anchor;    // with its "#", or empty
  std::string Target;    // the full target: FileName followed by Anchor
};

// `context.CurrentFile` tells a link into the document shown from one to another file.
TLinkAction DecideLinkAction(const std::string& target, const TFileNameContext& context);

// A link's full target, as the visited list holds it: a target that begins with "#" is
// prefixed with the current file, any other has its file part expanded.
std::string FullLinkTarget(const std::string& target, const TFileNameContext& context);

}  // namespace htmlview
