#pragma once

#include "FakeSerial.h"
#include "InserterModel.h"
#include "VirtualClock.h"

namespace pavina::core {

// A simulated inserter behind a fake serial port, in virtual time: every write the core
// makes goes to the inserter model, and its answers become readable at the virtual time
// the model says. Faults, the transcript, the received logo and positions are the model's.
//
//   TVirtualClock clock;
//   TFakeSerial serial(clock);
//   TSimulatedInserter inserter(serial, clock);
//   inserter.Model().Faults().SetAckFault({sim::TCommandKind::LineHeader, 3},
//                                         sim::TAckFault::Missing);
class TSimulatedInserter {
 public:
  TSimulatedInserter(TFakeSerial& serial, TVirtualClock& clock) : serial_(serial), clock_(clock) {
    serial_.onWrite = [this](const TBytes& bytes) {
      const std::uint32_t now = clock_.Now();
      for (const auto& reply : model_.Receive(bytes, now))
        serial_.Deliver(reply.bytes, now + reply.afterMs);
    };
  }
  TSimulatedInserter(const TSimulatedInserter&) = delete;
  TSimulatedInserter& operator=(const TSimulatedInserter&) = delete;
  ~TSimulatedInserter() { serial_.onWrite = nullptr; }

  sim::TInserterModel& Model() { return model_; }
  const sim::TInserterModel& Model() const { return model_; }

  // Shortcuts for what tests look at most.
  sim::TInserterFaults& Faults() { return model_.Faults(); }
  const std::optional<sim::TReceivedLogo>& Logo() const { return model_.Logo(); }
  const std::vector<sim::TReceivedPosition>& Positions() const { return model_.Positions(); }

 private:
  TFakeSerial& serial_;
  TVirtualClock& clock_;
  sim::TInserterModel model_;
};

}  // namespace pavina::core
