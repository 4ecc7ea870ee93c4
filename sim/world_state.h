// A copy of everything the rules keep in the world: every per-body field, every shared value and the
// random sequence. Rewind, the autosave and the path preview all hold the world this way. Each per-body
// column is kept up to its last entry that differs from a fresh table, so a system of a few hundred rows
// costs kilobytes rather than the table's megabytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/bodies.h"
#include "sim/random.h"
#include "sim/state.h"

namespace quorl {

class WorldState {
 public:
  // `rows` keeps only the table's rows below it; the rest are taken as a fresh table has them. The pass
  // reaches no row past BodyCount, so a copy that only runs passes may take BodyCount + 1 rows: a small
  // system is then taken in microseconds instead of a scan of the whole table.
  void take(const BodyTable& b, const SharedState& s, const Random& r, int rows = kRows);
  // Puts the world back exactly as it was taken: past a column's kept part every row is as a fresh table
  // has it, whatever the world held there before.
  void restore(BodyTable& b, SharedState& s, Random& r) const;

  // Memory held, in bytes.
  std::size_t bytes() const;
  bool empty() const { return columns_.empty(); }

  // A binary form for files (little-endian, as every build of the game is); `read` refuses anything
  // `write` did not produce, with the reason.
  void write(std::string& out) const;
  bool read(std::string_view in, std::size_t& pos, std::string& why);

 private:
  using Values = std::variant<std::vector<double>, std::vector<float>, std::vector<std::int16_t>,
                              std::vector<i16>, std::vector<i32>, std::vector<std::string>>;
  struct Column {
    std::uint16_t field = 0;  // index into fields()
    std::uint16_t kind = 0;   // first index of a two-index field
    Values values;            // rows 0..n-1; rows n.. are a fresh table's
  };
  std::vector<Column> columns_;
  SharedState shared_;
  Random random_;
};

}  // namespace quorl
