#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "Color.h"
#include "Dib.h"

namespace htmlview {

// A node of the colour octree: a leaf counts the pixels that reached it and sums their
// colours; an inner node has up to eight children, chosen by one bit of red, green, blue.
struct TOctreeNode {
  bool IsLeaf = false;
  std::uint32_t PixelCount = 0;
  std::uint64_t RedSum = 0;
  std::uint64_t GreenSum = 0;
  std::uint64_t BlueSum = 0;
  std::array<std::unique_ptr<TOctreeNode>, 8> Children;
};

// Finds an optimal palette of at most `maxColors` colours for the colours added.
class TColorQuantizer {
 public:
  static constexpr int kColorBits = 8;

  explicit TColorQuantizer(int maxColors = 256);

  void AddColor(TColor color);
  void AddImage(const TDIB& picture);
  // The leaves' average colours, in tree order.
  TPalette Palette() const;
  int LeafCount() const { return leafCount_; }

 private:
  std::unique_ptr<TOctreeNode> MakeNode(int level);
  // Merges the deepest reducible node most recently registered into a leaf.
  void Reduce();

  int maxColors_;
  int leafCount_ = 0;
  // The inner nodes that can still be merged, by level, the most recent last.
  std::array<std::vector<TOctreeNode*>, kColorBits> reducible_;
  std::unique_ptr<TOctreeNode> root_;
};

}  // namespace htmlview
