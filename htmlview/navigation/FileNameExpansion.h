#pragma once

#include <functional>
#include <string>

namespace htmlview {

// How link targets, IMG sources and background names become file names. A target that
// contains "/" is taken as a URL ("file:///c|/docs/a%20b.htm"), anything else as a DOS
// path; relative names are resolved against the base or the current file's folder.

// Turns a relative or drive-relative DOS path into a full one ("\a.htm" gets the current
// drive, ".." is resolved). The Windows build binds it to the system; tests give their own.
using TFullPathExpander = std::function<std::string(const std::string&)>;

struct TFileNameContext {
  std::string ServerRoot;   // put in front of a URL path that begins with "/"
  std::string Base;         // from BASE HREF; "DosPath" keeps names as they are
  std::string CurrentFile;  // the full path of the document shown
  TFullPathExpander ExpandFullPath;
};

// Spaces and control characters removed at both ends.
std::string TrimControls(const std::string& text);

// "%" escapes decoded from the left, each once: decoding stops at a "%" that opens the
// text, lacks two hexadecimal digits after it, or would give a zero character.
std::string DecodeUrlEscapes(const std::string& text);

// A URL-style name as a DOS name: escapes decoded, "file:///" or "file://" dropped, "|"
// as ":" and "/" as "\". Names without "/" are returned as they are.
std::string UrlToDosName(const std::string& text);

// The folder of a path, with its trailing separator ("C:\a\b.htm" -> "C:\a\").
std::string ExtractFilePath(const std::string& path);

// ServerRoot as the property stores it: trimmed, one trailing "\" removed.
std::string NormaliseServerRoot(const std::string& root);

// A link target (without its "#anchor" part) as a full file name.
std::string ExpandFileName(const std::string& target, const TFileNameContext& context);

}  // namespace htmlview
