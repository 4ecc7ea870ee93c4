// A copy of everything the rules keep in the world: every per-body field, every shared value and the
// random sequence. Rewind, the autosave and the path preview all hold the world this way. Each per-body
// column is kept up to its last entry that differs from a fresh table, so a system of a few hundred rows
// costs kilobytes rather than the table's megabytes; a column that has not changed since an earlier copy is
// shared with it rather than copied, and the shared values are kept packed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/bodies.h"
#include "sim/fields.h"
#include "sim/random.h"
#include "sim/state.h"

namespace quorl {

class WorldState {
 public:
  // `rows` keeps only the table's rows below it; the rest are taken as a fresh table has them. The pass
  // reaches no row past BodyCount, so a copy that only runs passes may take BodyCount + 1 rows: a small
  // system is then taken in microseconds instead of a scan of the whole table. `like`: an earlier copy whose
  // columns this one shares where they have not changed; the rows past both `rows` and what `like` kept are
  // taken to be as `like` had them (fresh): nothing writes past BodyCount within a system, so a copy a
  // second later looks at the rows in play only.
  void take(const BodyTable& b, const SharedState& s, const Random& r, int rows = kRows,
            const WorldState* like = nullptr);
  // Puts the world back exactly as it was taken: past a column's kept part every row is as a fresh table
  // has it, whatever the world held there before.
  void restore(BodyTable& b, SharedState& s, Random& r) const;

  // Memory held, in bytes; the part no other copy shares.
  std::size_t bytes() const;
  std::size_t ownBytes() const;
  bool empty() const { return columns_.empty(); }

  // The shared values as taken, and each per-body column's kept rows (f(field index, kind, first row, n)):
  // past them every row is as a fresh table has it.
  void sharedInto(SharedState& out) const;
  template <typename F>
  void forEachColumn(F&& f) const {
    for (const Column& c : columns_)
      std::visit([&](auto& v) { f(c.field, c.kind, FieldPtr{v.data()}, v.size()); }, *c.values);
  }
  // Every field as a fresh table has it; the random sequence stays.
  void clearFields();
  // The stored entry (kind k, row or entry i) of field `field`, made for a per-body row past the kept ones.
  FieldPtr entry(std::size_t field, int k, int i);

  // A binary form for files (little-endian, as every build of the game is); `read` refuses anything
  // `write` did not produce, with the reason.
  void write(std::string& out) const;
  bool read(std::string_view in, std::size_t& pos, std::string& why);

 private:
  using Values = std::variant<std::vector<double>, std::vector<float>, std::vector<std::int16_t>,
                              std::vector<i16>, std::vector<i32>, std::vector<std::string>>;
  struct Column {
    std::uint16_t field = 0;               // index into fields()
    std::uint16_t kind = 0;                // first index of a two-index field
    std::shared_ptr<Values> values;        // rows 0..n-1; rows n.. are a fresh table's; shared, never changed
  };
  std::vector<Column> columns_;
  std::string shared_;                     // the shared values, packed as `write` writes them
  std::shared_ptr<SharedState> editing_;   // unpacked while entry() writes into them
  Random random_;
};

}  // namespace quorl
