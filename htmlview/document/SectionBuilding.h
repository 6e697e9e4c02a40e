#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "FontObj.h"
#include "IndexObj.h"

namespace htmlview {

// What a section needs only while it is built; Finish packs it and lets it go.
struct TSectionBuilding {
  std::string text;
  std::vector<TFontObj> runs;
  std::vector<IndexObj> pairs;       // source indexes, compressed as characters come
  std::shared_ptr<TUrlTarget> link;  // the open link
  bool onlyFloats = true;            // nothing but floating images so far
};

// Building buffers handed on from finished sections to new ones. A page builds thousands
// of sections, one or two at a time: buffers grown afresh for each cost several
// allocations a section, and the heap fills with their small freed blocks.
class TSectionBuildings {
 public:
  // An empty building, with the buffers of a finished one when there is one.
  std::unique_ptr<TSectionBuilding> Take();
  // Keeps the buffers of a finished section for the next; an unusually large one goes.
  void Give(std::unique_ptr<TSectionBuilding> building);
  void Clear() { kept_.clear(); }

 private:
  static constexpr std::size_t kKept = 4;
  static constexpr std::size_t kMaxKeptText = 64 * 1024;

  std::vector<std::unique_ptr<TSectionBuilding>> kept_;
};

}  // namespace htmlview
