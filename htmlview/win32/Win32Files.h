#pragma once

#include "view/ViewHost.h"

namespace htmlview {

// The view's documents from the Windows file system.
class TWin32Files final : public TFileSource {
 public:
  bool Exists(const std::string& name) override;
  std::string FullPath(const std::string& name) override;
  std::string Read(const std::string& name, std::size_t maxBytes) override;
};

}  // namespace htmlview
