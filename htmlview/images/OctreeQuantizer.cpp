#include "OctreeQuantizer.h"

#include <algorithm>

#include "DibAccess.h"

namespace htmlview {

namespace {

void CollectLeaves(const TOctreeNode& node, TPalette& palette) {
  if (node.IsLeaf) {
    const std::uint64_t count = node.PixelCount;
    palette.push_back(MakeColor(static_cast<std::uint8_t>(node.RedSum / count),
                                static_cast<std::uint8_t>(node.GreenSum / count),
                                static_cast<std::uint8_t>(node.BlueSum / count)));
    return;
  }
  for (const auto& child : node.Children)
    if (child) CollectLeaves(*child, palette);
}

}  // namespace

TColorQuantizer::TColorQuantizer(int maxColors)
    : maxColors_(std::clamp(maxColors, 2, 256)), root_(MakeNode(0)) {}

std::unique_ptr<TOctreeNode> TColorQuantizer::MakeNode(int level) {
  auto node = std::make_unique<TOctreeNode>();
  if (level == kColorBits) {
    node->IsLeaf = true;
    ++leafCount_;
  } else {
    reducible_[static_cast<std::size_t>(level)].push_back(node.get());
  }
  return node;
}

void TColorQuantizer::AddColor(TColor color) {
  const std::uint8_t red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
  TOctreeNode* node = root_.get();
  for (int level = 0; !node->IsLeaf; ++level) {
    const int shift = kColorBits - 1 - level;
    const std::size_t index =
        ((red >> shift) & 1) << 2 | ((green >> shift) & 1) << 1 | ((blue >> shift) & 1);
    auto& child = node->Children[index];
    if (!child) child = MakeNode(level + 1);
    node = child.get();
  }
  ++node->PixelCount;
  node->RedSum += red;
  node->GreenSum += green;
  node->BlueSum += blue;
  while (leafCount_ > maxColors_) Reduce();
}

void TColorQuantizer::AddImage(const TDIB& picture) {
  const TDIBReader reader(picture);
  std::vector<TColor> row(static_cast<std::size_t>(picture.Width()));
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    reader.ReadRow(y, row.data());
    for (TColor color : row) AddColor(color);
  }
}

void TColorQuantizer::Reduce() {
  auto level = reducible_.rbegin();
  while (level != reducible_.rend() && level->empty()) ++level;
  if (level == reducible_.rend()) return;
  TOctreeNode* node = level->back();
  level->pop_back();
  // The deepest reducible level is being merged, so every child is a leaf.
  int children = 0;
  for (auto& child : node->Children) {
    if (!child) continue;
    node->PixelCount += child->PixelCount;
    node->RedSum += child->RedSum;
    node->GreenSum += child->GreenSum;
    node->BlueSum += child->BlueSum;
    child.reset();
    ++children;
  }
  node->IsLeaf = true;
  leafCount_ -= children - 1;
}

TPalette TColorQuantizer::Palette() const {
  TPalette palette;
  CollectLeaves(*root_, palette);
  return palette;
}

}  // namespace htmlview
