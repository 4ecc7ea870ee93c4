// What a pass of the main loop does to the outside, as calls on an interface the game wires: the pass
// itself draws nothing, presses nothing and writes no file, so it depends on nothing above the table.
#pragma once
#include <cstdint>
#include <string>

namespace quorl {

// A present body lies inside -kField..kField on every axis; the pass removes one found outside.
constexpr double kField = 24000;
inline bool outsideField(double x, double y, double z) {
  return x < -kField || x > kField || y < -kField || y > kField || z < -kField || z > kField;
}
// What the game says of a body the pass removed for leaving the field.
inline std::string leftSystemText(const std::string& name) { return name + " left the system"; }

class PassReport {
 public:
  virtual ~PassReport() = default;
  // A present body at its whole-number position, once per pass.
  virtual void plot(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t body) = 0;
  // One debris point of a fusion, in the body's own colour.
  virtual void debris(std::int16_t x, std::int16_t y, std::int16_t z, std::int16_t body) = 0;
  // A fusion: the survivor takes up the life the absorbed body carried; then the status line shows the
  // message, which becomes LastEvent and a line of the event log.
  virtual void fused(int survivor, int absorbed, const std::string& message) = 0;
  // A body crossed a bound of the field; the class sort runs at once, once for every bound crossed.
  virtual void leftField(int body) = 0;
  // Then, once for the body, the message: the status line shows it, and it becomes LastEvent and a line
  // of the event log.
  virtual void leftSystem(int body, const std::string& message) = 0;
  // The end of a pass with fusions asks for the class sort.
  virtual void sortDue() = 0;
};

}  // namespace quorl
