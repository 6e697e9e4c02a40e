#pragma once

#include <string>

namespace pavina::sim {

// A symbolic link at path to target for as long as the object lives: an existing link or
// file there is replaced at once, and the link is removed at the end unless someone else
// has pointed it elsewhere in the meantime.
class TSymbolicLink {
 public:
  // Throws std::runtime_error with the reason when the link cannot be made.
  TSymbolicLink(const std::string& path, const std::string& target);
  TSymbolicLink(const TSymbolicLink&) = delete;
  TSymbolicLink& operator=(const TSymbolicLink&) = delete;
  ~TSymbolicLink();

 private:
  std::string path_;
  std::string target_;
};

}  // namespace pavina::sim
