#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "parser/AnchorList.h"
#include "parser/Tokenizer.h"

namespace htmlview {

class TSectionList;
class TDocumentForms;

// What the viewer hands a parse: where the document goes and who hears of what it says.
struct TParseTarget {
  TSectionList& Document;
  TAnchorList& Anchors;
  // The document's forms and maps; without them FORM, INPUT, SELECT, TEXTAREA and MAP are
  // read and dropped.
  TDocumentForms* Forms = nullptr;
};

struct TParseHandlers {
  // Every META: HTTP-EQUIV, NAME, CONTENT (the viewer's meta handler).
  std::function<void(const std::string& httpEquiv, const std::string& name,
                     const std::string& content)>
      OnMeta;
  // BGSOUND: SRC, LOOP (1 when absent), Terminate.
  std::function<void(const std::string& src, int loop, bool terminate)> OnSoundRequest;
  TIncludeHandler OnInclude;
  // A SCRIPT: NAME, LANGUAGE and its text with CR LF line ends. Without it scripts are
  // skipped.
  std::function<void(const std::string& name, const std::string& language,
                     const std::string& script)>
      OnScript;
  // BGCOLOR of BODY set the document's background.
  std::function<void(TColor)> OnBackground;
};

// The body's margins as a BODY tag gave them (MARGINWIDTH, MARGINHEIGHT, 0..200).
struct TBodyMargins {
  int Width = -1;  // -1: not given
  int Height = -1;
};

// Reads HTML (or plain text) into a document. One parse at a time; what the last parse
// found (title, base, base target, margins) stays readable until the next.
class THtmlParser {
 public:
  // A page larger than this is refused: it is read whole into memory.
  static constexpr std::size_t kMaxFileBytes = std::size_t{16} * 1024 * 1024;

  // The whole file, then ParseBuffer. A file that cannot be read or is larger than
  // kMaxFileBytes raises std::runtime_error, and the document is left as it was.
  void ParseFile(const TParseTarget& target, const std::string& fileName,
                 const TParseHandlers& handlers);
  // Parses the text into the (empty) document. A comment left open at the end ends the
  // parse, keeping what was built (ParseError() tells); an exception from a handler
  // propagates after the unfinished section has been added.
  void ParseBuffer(const TParseTarget& target, std::string_view text,
                   const TParseHandlers& handlers);
  // A plain-text file: one preformatted section a line.
  void ReadTextFile(const TParseTarget& target, const std::string& fileName);
  void ReadTextBuffer(const TParseTarget& target, std::string_view text);

  const std::string& Title() const { return title_; }
  const std::string& Base() const { return base_; }
  const std::string& BaseTarget() const { return baseTarget_; }
  TBodyMargins Margins() const { return margins_; }
  // The message of the parse error that ended the last parse, or empty.
  const std::string& ParseError() const { return parseError_; }

 private:
  friend class THtmlBuilder;
  void Forget();

  std::string title_;
  std::string base_;
  std::string baseTarget_;
  TBodyMargins margins_;
  std::string parseError_;
};

// The bytes of a file, at most `maxBytes`; std::runtime_error when it cannot be read or is
// larger.
std::string ReadWholeFile(const std::string& fileName, std::size_t maxBytes);

}  // namespace htmlview
