// The world's state by columns, kept and put back through the one table of fields.
#include "sim/world_state.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

#include "sim/fields.h"

namespace quorl {

namespace {

template <typename T>
bool isFresh(const T& v) {
  if constexpr (std::is_same_v<T, std::string>) return v.empty();
  else {
    // Bits, not value: -0.0 and a NaN are kept as they are.
    static const T zero{};
    return std::memcmp(&v, &zero, sizeof v) == 0;
  }
}

// The fields' accessors take both halves of the world; the half a field does not live in is never read.
BodyTable& noTable() {
  static BodyTable t;
  return t;
}
SharedState& noShared() {
  static SharedState s;
  return s;
}

// The first entry of a per-body column; the rows of a column lie side by side.
FieldPtr columnOf(const Field& f, const BodyTable& b, int k) { return f.at(const_cast<BodyTable&>(b), noShared(), k, 0); }

// Binary pieces.
template <typename T>
void put(std::string& out, const T& v) {
  static_assert(std::is_trivially_copyable_v<T>);
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}
void putText(std::string& out, const std::string& t) {
  put(out, static_cast<std::uint32_t>(t.size()));
  out += t;
}

struct Reader {
  std::string_view in;
  std::size_t& pos;
  template <typename T>
  bool get(T& v) {
    if (in.size() - pos < sizeof v) return false;
    std::memcpy(&v, in.data() + pos, sizeof v);
    pos += sizeof v;
    return true;
  }
  bool getText(std::string& t) {
    std::uint32_t n = 0;
    if (!get(n) || in.size() - pos < n) return false;
    t.assign(in.data() + pos, n);
    pos += n;
    return true;
  }
};

template <typename T>
void putValue(std::string& out, const T& v) {
  if constexpr (std::is_same_v<T, std::string>) putText(out, v);
  else if constexpr (std::is_same_v<T, DateTime>) {
    const std::int32_t parts[6] = {v.year, v.month, v.day, v.hour, v.minute, v.second};
    put(out, parts);
  } else put(out, v);
}

template <typename T>
bool getValue(Reader& r, T& v) {
  if constexpr (std::is_same_v<T, std::string>) return r.getText(v);
  else if constexpr (std::is_same_v<T, DateTime>) {
    std::int32_t p[6];
    if (!r.get(p)) return false;
    v = DateTime{p[0], p[1], p[2], p[3], p[4], p[5]};
    return true;
  } else if constexpr (std::is_same_v<T, bool>) {
    std::uint8_t byte = 0;
    if (!r.get(byte) || byte > 1) return false;
    v = byte == 1;
    return true;
  } else return r.get(v);
}

constexpr char kMagic[8] = {'Q', 'W', 'O', 'R', 'L', 'D', '0', '1'};

// The entries of a shared value: 1 for a scalar, its length for an array (a table: row by row).
int sharedEntries(const Field& f) { return f.indexes() == 0 ? 1 : f.length; }
int kindsOf(const Field& f) { return f.outer > 0 ? f.outer : 1; }

}  // namespace

void WorldState::take(const BodyTable& b, const SharedState& s, const Random& r, int rows) {
  columns_.clear();
  rows = std::clamp(rows, 0, kRows);
  const auto& table = fields();
  for (std::size_t fi = 0; fi < table.size(); ++fi) {
    const Field& f = table[fi];
    if (!f.perBody) continue;
    for (int k = 0; k < kindsOf(f); ++k) {
      std::visit(
          [&](auto* row) {
            using T = std::remove_pointer_t<decltype(row)>;
            if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, DateTime>) {
              return;  // no per-body field has these types
            } else {
              int n = rows;
              while (n > 0 && isFresh(row[n - 1])) --n;
              if (n == 0) return;
              columns_.push_back({static_cast<std::uint16_t>(fi), static_cast<std::uint16_t>(k),
                                  std::vector<T>(row, row + n)});
            }
          },
          columnOf(f, b, k));
    }
  }
  shared_ = s;
  random_ = r;
}

void WorldState::restore(BodyTable& b, SharedState& s, Random& r) const {
  const auto& table = fields();
  std::size_t next = 0;
  for (std::size_t fi = 0; fi < table.size(); ++fi) {
    const Field& f = table[fi];
    if (!f.perBody) continue;
    for (int k = 0; k < kindsOf(f); ++k) {
      const Column* col =
          next < columns_.size() && columns_[next].field == fi && columns_[next].kind == k ? &columns_[next++] : nullptr;
      std::visit(
          [&](auto* row) {
            using T = std::remove_pointer_t<decltype(row)>;
            if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, DateTime>) {
              return;
            } else {
              std::size_t n = 0;
              if (col) {
                const auto& v = std::get<std::vector<T>>(col->values);
                std::copy(v.begin(), v.end(), row);
                n = v.size();
              }
              std::fill(row + n, row + kRows, T{});
            }
          },
          columnOf(f, b, k));
    }
  }
  s = shared_;
  r = random_;
}

std::size_t WorldState::bytes() const {
  std::size_t n = sizeof *this + columns_.capacity() * sizeof(Column);
  for (const Column& c : columns_)
    std::visit(
        [&](const auto& v) {
          using T = typename std::decay_t<decltype(v)>::value_type;
          n += v.capacity() * sizeof(T);
          if constexpr (std::is_same_v<T, std::string>)
            for (const std::string& t : v)
              if (t.capacity() > 15) n += t.capacity() + 1;
        },
        c.values);
  for (const std::string& t : shared_.NewWorldList)
    if (t.capacity() > 15) n += t.capacity() + 1;
  return n;
}

void WorldState::write(std::string& out) const {
  out.append(kMagic, sizeof kMagic);
  put(out, static_cast<std::uint32_t>(fields().size()));
  put(out, static_cast<std::uint32_t>(columns_.size()));
  for (const Column& c : columns_) {
    put(out, c.field);
    put(out, c.kind);
    std::visit(
        [&](const auto& v) {
          put(out, static_cast<std::uint32_t>(v.size()));
          for (const auto& x : v) putValue(out, x);
        },
        c.values);
  }
  // Shared values field by field, each array up to its last entry that differs from a fresh game's.
  SharedState& s = const_cast<SharedState&>(shared_);
  for (const Field& f : fields()) {
    if (f.perBody) continue;
    for (int k = 0; k < kindsOf(f); ++k) {
      int n = sharedEntries(f);
      while (n > 1 && std::visit([](auto* v) { return isFresh(*v); }, f.at(noTable(), s, k, n - 1))) --n;
      put(out, static_cast<std::uint32_t>(n));
      for (int i = 0; i < n; ++i) std::visit([&](auto* v) { putValue(out, *v); }, f.at(noTable(), s, k, i));
    }
  }
  putText(out, random_.state());
}

bool WorldState::read(std::string_view in, std::size_t& pos, std::string& why) {
  Reader r{in, pos};
  const auto fail = [&](const std::string& what) {
    why = "the saved world " + what;
    return false;
  };
  if (in.size() - pos < sizeof kMagic || std::memcmp(in.data() + pos, kMagic, sizeof kMagic) != 0)
    return fail("does not begin as one");
  pos += sizeof kMagic;
  const auto& table = fields();
  std::uint32_t fieldCount = 0, columnCount = 0;
  if (!r.get(fieldCount) || fieldCount != table.size()) return fail("was made by a game with other fields");
  if (!r.get(columnCount) || columnCount > 2000) return fail("has a damaged column count");
  std::vector<Column> columns;
  int lastField = -1, lastKind = -1;
  for (std::uint32_t c = 0; c < columnCount; ++c) {
    Column col;
    std::uint32_t n = 0;
    if (!r.get(col.field) || !r.get(col.kind) || !r.get(n)) return fail("is cut short");
    if (col.field >= table.size() || !table[col.field].perBody || col.kind >= kindsOf(table[col.field]) ||
        n > static_cast<std::uint32_t>(kRows) || n == 0)
      return fail("names a column no game has");
    // Columns come in the table's order, each once: restore walks them that way.
    if (col.field < lastField || (col.field == lastField && col.kind <= lastKind))
      return fail("has its columns out of order");
    lastField = col.field, lastKind = col.kind;
    bool ok = true;
    std::visit(
        [&](auto* sample) {
          using T = std::remove_pointer_t<decltype(sample)>;
          if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, DateTime>) {
            ok = false;
          } else {
            std::vector<T> v(n);
            for (auto& x : v)
              if (!getValue(r, x)) return void(ok = false);
            col.values = std::move(v);
          }
        },
        columnOf(table[col.field], noTable(), col.kind));
    if (!ok) return fail("is cut short");
    columns.push_back(std::move(col));
  }
  auto shared = std::make_unique<SharedState>();
  for (const Field& f : table) {
    if (f.perBody) continue;
    for (int k = 0; k < kindsOf(f); ++k) {
      std::uint32_t n = 0;
      if (!r.get(n) || n < 1 || n > static_cast<std::uint32_t>(sharedEntries(f))) return fail("has a damaged value");
      for (std::uint32_t i = 0; i < n; ++i) {
        const bool ok = std::visit([&](auto* v) { return getValue(r, *v); }, f.at(noTable(), *shared, k, i));
        if (!ok) return fail("has a damaged value of " + f.name);
      }
    }
  }
  std::string state;
  Random random;
  if (!r.getText(state) || !random.setState(state)) return fail("has a damaged random sequence");
  columns_ = std::move(columns);
  shared_ = *shared;
  random_ = random;
  return true;
}

}  // namespace quorl
