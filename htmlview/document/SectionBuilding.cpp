#include "SectionBuilding.h"

namespace htmlview {

std::unique_ptr<TSectionBuilding> TSectionBuildings::Take() {
  if (kept_.empty()) return std::make_unique<TSectionBuilding>();
  std::unique_ptr<TSectionBuilding> building = std::move(kept_.back());
  kept_.pop_back();
  return building;
}

void TSectionBuildings::Give(std::unique_ptr<TSectionBuilding> building) {
  if (!building || kept_.size() >= kKept || building->text.capacity() > kMaxKeptText) return;
  building->text.clear();
  building->runs.clear();
  building->pairs.clear();
  building->link.reset();
  building->onlyFloats = true;
  kept_.push_back(std::move(building));
}

}  // namespace htmlview
