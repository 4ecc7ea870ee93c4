// What a pass reports, wired to the views, the class sort, the status line and the event log.
#pragma once
#include "sim/pass_report.h"

namespace quorl {

class Game;

class GamePassReport : public PassReport {
 public:
  explicit GamePassReport(Game& g) : g_(g) {}
  void plot(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t body) override;
  void debris(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t body) override;
  void fused(int survivor, int absorbed, const std::string& message) override;
  void leftField(int body) override;
  void leftSystem(int body, const std::string& message) override;
  void sortDue() override;

 private:
  // The status line shows the message, which becomes LastEvent and a line of the event log.
  void event(const std::string& message);

  Game& g_;
};

}  // namespace quorl
