#pragma once

#include <cstdint>
#include <string>

#include "view/ViewHost.h"

namespace htmlview {

// A host for a view that nobody watches (benchmarks, fuzzing): it ignores what the view
// asks of a window, and there are no files.
class TQuietViewHost final : public TViewHost {
 public:
  void Invalidate() override {}
  void InvalidateRect(const TPixelRect&) override {}
  void ArrangementChanged() override {}
  void PositionsChanged() override {}
  void CursorChanged(int) override {}
  void CaptureMouse(bool) override {}
  void StartTimer(TViewTimer) override {}
  void StopTimer(TViewTimer) override {}
  void Post(TViewTask) override {}
  void Busy(bool) override {}
  void CopyText(const std::string&) override {}
  void ShowError(const std::string&) override {}
  TColor SystemColor(int) override { return 0xFFFFFF; }
  std::uint32_t NowMilliseconds() override { return now_ += 50; }

 private:
  std::uint32_t now_ = 0;
};

class TNoFiles final : public TFileSource {
 public:
  bool Exists(const std::string&) override { return false; }
  std::string FullPath(const std::string& name) override { return name; }
  std::string Read(const std::string& name, std::size_t) override;
};

}  // namespace htmlview
