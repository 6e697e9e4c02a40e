#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ComPortList.h"

namespace pavina::ui {

namespace {

// Ports by number: free, missing (error 2) or held elsewhere (access denied).
class TPortTable final : public core::TSerialApi {
 public:
  std::map<std::int32_t, std::uint32_t> openErrors;  // absent: opens
  std::vector<std::int32_t> opened;
  int closes = 0;
  bool holding = false;

  Handle OpenComPort(std::int32_t n) override {
    opened.push_back(n);
    const auto error = openErrors.find(n);
    lastError_ = error == openErrors.end() ? 0 : error->second;
    if (lastError_ != 0 || holding) return kInvalidHandle;
    holding = true;
    return 7;
  }
  bool CloseHandle(Handle handle) override {
    if (handle != 7 || !holding) return false;
    holding = false;
    ++closes;
    return true;
  }
  std::uint32_t GetLastError() override { return lastError_; }
  bool GetCommTimeouts(Handle, Timeouts&) override { return false; }
  bool SetCommTimeouts(Handle, const Timeouts&) override { return false; }
  bool GetCommState(Handle, LineSettings&) override { return false; }
  bool SetCommState(Handle, const LineSettings&) override { return false; }
  bool SetCommMask(Handle, std::uint32_t) override { return false; }
  bool EscapeCommFunction(Handle, std::uint32_t) override { return false; }
  bool WriteFile(Handle, const std::uint8_t*, std::uint32_t) override { return false; }
  bool ReadFile(Handle, std::uint8_t&, std::uint32_t&) override { return false; }

 private:
  std::uint32_t lastError_ = 0;
};

TEST(ComPortProbe, OpensClosesAgainAndPacksPortAndStatus) {
  TPortTable ports;
  ports.openErrors[2] = 5;  // held by another program
  ports.openErrors[4] = 2;  // no such port

  const std::uint32_t free12 = ProbeComPort(ports, 12);
  EXPECT_EQ(ports.opened.back(), 12);
  EXPECT_EQ(ports.closes, 1);
  EXPECT_FALSE(ports.holding);
  EXPECT_EQ(free12, 0x0001000Cu);
  EXPECT_EQ(ProbedPort(free12), 12);
  EXPECT_EQ(ProbedStatus(free12), TPortStatus::Free);

  EXPECT_EQ(ProbeComPort(ports, 2), 0x00000002u);
  EXPECT_EQ(ProbedStatus(ProbeComPort(ports, 4)), TPortStatus::Missing);
  EXPECT_EQ(ProbeComPort(ports, 4), 0x00020004u);
  EXPECT_EQ(ports.closes, 1);
}

TEST(ComPortProbe, ListsOnlyFreePortsFromOneToThirtyTwoInOrder) {
  TPortTable ports;
  for (int n = 1; n <= 40; ++n) ports.openErrors[n] = 2;
  ports.openErrors.erase(1);
  ports.openErrors.erase(3);
  ports.openErrors.erase(32);
  ports.openErrors.erase(33);
  ports.openErrors[2] = 5;

  const auto entries = FreePortEntries([&](std::uint16_t p) { return ProbeComPort(ports, p); });
  EXPECT_EQ(entries, (std::vector<std::string>{"COM 1", "COM 3", "COM 32"}));
  EXPECT_EQ(ports.opened.size(), 32u);
  EXPECT_EQ(ports.closes, 3);

  TPortTable none;
  for (int n = 1; n <= 32; ++n) none.openErrors[n] = 2;
  EXPECT_TRUE(FreePortEntries([&](std::uint16_t p) { return ProbeComPort(none, p); }).empty());
}

TEST(ComPortProbe, SelectedEntryGivesTheNumberInItsFifthAndSixthCharacters) {
  EXPECT_EQ(PortListEntry(1), "COM 1");
  EXPECT_EQ(PortListEntry(12), "COM 12");
  for (int n = 1; n <= 32; ++n) EXPECT_EQ(PortFromListEntry(PortListEntry(n)), n);
  EXPECT_EQ(PortFromListEntry("COM 12"), 12);
  EXPECT_EQ(PortFromListEntry("COM "), 0);
  EXPECT_EQ(PortFromListEntry("COM"), 0);
  EXPECT_EQ(PortFromListEntry(""), 0);
}

}  // namespace

}  // namespace pavina::ui
