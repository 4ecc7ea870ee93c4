// The world's state by columns, kept and put back through the one table of fields.
#include "sim/world_state.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

#include "sim/binary.h"
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

using binary::put;
using binary::putText;
using binary::Reader;

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
    return r.getFlag(v);
  } else return r.get(v);
}

constexpr char kMagic[8] = {'Q', 'W', 'O', 'R', 'L', 'D', '0', '1'};

// The entries of a shared value: 1 for a scalar, its length for an array (a table: row by row).
int sharedEntries(const Field& f) { return f.indexes() == 0 ? 1 : f.length; }
int kindsOf(const Field& f) { return f.outer > 0 ? f.outer : 1; }


// The shared values field by field, each array up to its last entry that differs from a fresh game's.
void packShared(std::string& out, const SharedState& shared) {
  SharedState& s = const_cast<SharedState&>(shared);
  for (const Field& f : fields()) {
    if (f.perBody) continue;
    for (int k = 0; k < kindsOf(f); ++k) {
      int n = sharedEntries(f);
      while (n > 1 && std::visit([](auto* v) { return isFresh(*v); }, f.at(noTable(), s, k, n - 1))) --n;
      put(out, static_cast<std::uint32_t>(n));
      for (int i = 0; i < n; ++i) std::visit([&](auto* v) { putValue(out, *v); }, f.at(noTable(), s, k, i));
    }
  }
}

// Back again: entries past an array's packed ones are a fresh game's. False for bytes packShared did not make.
bool unpackShared(Reader& r, SharedState& s, std::string& bad) {
  for (const Field& f : fields()) {
    if (f.perBody) continue;
    for (int k = 0; k < kindsOf(f); ++k) {
      std::uint32_t n = 0;
      const int entries = sharedEntries(f);
      if (!r.get(n) || n < 1 || n > static_cast<std::uint32_t>(entries)) return bad = f.name, false;
      for (int i = 0; i < entries; ++i) {
        const bool ok = std::visit(
            [&](auto* v) {
              using T = std::remove_pointer_t<decltype(v)>;
              if (static_cast<std::uint32_t>(i) < n) return getValue(r, *v);
              *v = T{};
              return true;
            },
            f.at(noTable(), s, k, i));
        if (!ok) return bad = f.name, false;
      }
    }
  }
  return true;
}

}  // namespace

void WorldState::take(const BodyTable& b, const SharedState& s, const Random& r, int rows, const WorldState* like) {
  std::vector<Column> columns;
  rows = std::clamp(rows, 0, kRows);
  std::size_t near = 0;  // the like copy's column for this one, walked alongside
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
              const Column* was = nullptr;
              if (like) {
                while (near < like->columns_.size() && (like->columns_[near].field < fi ||
                                                        (like->columns_[near].field == fi && like->columns_[near].kind < k)))
                  ++near;
                if (near < like->columns_.size() && like->columns_[near].field == fi && like->columns_[near].kind == k)
                  was = &like->columns_[near];
              }
              int n = rows;
              if (was) n = std::max<int>(n, static_cast<int>(std::get<std::vector<T>>(*was->values).size()));
              while (n > 0 && isFresh(row[n - 1])) --n;
              if (n == 0) return;
              Column col{static_cast<std::uint16_t>(fi), static_cast<std::uint16_t>(k), nullptr};
              if (was) {
                const auto& v = std::get<std::vector<T>>(*was->values);
                bool same = v.size() == static_cast<std::size_t>(n);
                if constexpr (std::is_same_v<T, std::string>) same = same && std::equal(v.begin(), v.end(), row);
                else same = same && std::memcmp(v.data(), row, sizeof(T) * v.size()) == 0;
                if (same) col.values = was->values;
              }
              if (!col.values) col.values = std::make_shared<Values>(std::vector<T>(row, row + n));
              columns.push_back(std::move(col));
            }
          },
          columnOf(f, b, k));
    }
  }
  columns_ = std::move(columns);
  shared_.clear();
  packShared(shared_, s);
  editing_.reset();
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
                const auto& v = std::get<std::vector<T>>(*col->values);
                std::copy(v.begin(), v.end(), row);
                n = v.size();
              }
              std::fill(row + n, row + kRows, T{});
            }
          },
          columnOf(f, b, k));
    }
  }
  sharedInto(s);
  r = random_;
}

void WorldState::sharedInto(SharedState& out) const {
  if (editing_) {
    out = *editing_;
    return;
  }
  std::size_t pos = 0;
  Reader r{shared_, pos};
  std::string bad;
  unpackShared(r, out, bad);  // packed by packShared, or checked by read
}

void WorldState::clearFields() {
  columns_.clear();
  shared_.clear();
  editing_ = std::make_shared<SharedState>();
}

FieldPtr WorldState::entry(std::size_t field, int k, int i) {
  const Field& f = fields().at(field);
  if (!f.perBody) {
    if (!editing_) {
      editing_ = std::make_shared<SharedState>();
      sharedInto(*editing_);
    }
    return f.at(noTable(), *editing_, k, i);
  }
  auto it = std::lower_bound(columns_.begin(), columns_.end(), std::pair<std::size_t, int>(field, k),
                             [](const Column& c, const std::pair<std::size_t, int>& key) {
                               return std::pair<std::size_t, int>(c.field, c.kind) < key;
                             });
  if (it == columns_.end() || it->field != field || it->kind != k) {
    Column col{static_cast<std::uint16_t>(field), static_cast<std::uint16_t>(k), nullptr};
    std::visit(
        [&](auto* sample) {
          using T = std::remove_pointer_t<decltype(sample)>;
          if constexpr (!std::is_same_v<T, bool> && !std::is_same_v<T, DateTime>)
            col.values = std::make_shared<Values>(std::vector<T>());
        },
        columnOf(f, noTable(), k));
    it = columns_.insert(it, std::move(col));
  }
  // A column shared with another copy is copied before it changes.
  if (it->values.use_count() > 1) it->values = std::make_shared<Values>(*it->values);
  return std::visit(
      [&](auto& v) -> FieldPtr {
        if (v.size() <= static_cast<std::size_t>(i)) v.resize(static_cast<std::size_t>(i) + 1);
        return &v[static_cast<std::size_t>(i)];
      },
      *it->values);
}

namespace {

std::size_t valuesBytes(const std::variant<std::vector<double>, std::vector<float>, std::vector<std::int16_t>,
                                           std::vector<i16>, std::vector<i32>, std::vector<std::string>>& values) {
  return std::visit(
      [&](const auto& v) {
        using T = typename std::decay_t<decltype(v)>::value_type;
        std::size_t n = sizeof values + v.capacity() * sizeof(T);
        if constexpr (std::is_same_v<T, std::string>)
          for (const std::string& t : v)
            if (t.capacity() > 15) n += t.capacity() + 1;
        return n;
      },
      values);
}

}  // namespace

std::size_t WorldState::bytes() const {
  std::size_t n = sizeof *this + columns_.capacity() * sizeof(Column) + shared_.capacity() +
                  (editing_ ? sizeof(SharedState) : 0);
  for (const Column& c : columns_) n += valuesBytes(*c.values);
  return n;
}

std::size_t WorldState::ownBytes() const {
  std::size_t n = sizeof *this + columns_.capacity() * sizeof(Column) + shared_.capacity() +
                  (editing_ ? sizeof(SharedState) : 0);
  for (const Column& c : columns_)
    if (c.values.use_count() == 1) n += valuesBytes(*c.values);
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
        *c.values);
  }
  if (editing_) packShared(out, *editing_);
  else out += shared_;
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
    col.values = std::make_shared<Values>();
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
            *col.values = std::move(v);
          }
        },
        columnOf(table[col.field], noTable(), col.kind));
    if (!ok) return fail("is cut short");
    columns.push_back(std::move(col));
  }
  const std::size_t sharedFrom = pos;
  auto shared = std::make_unique<SharedState>();
  std::string bad;
  if (!unpackShared(r, *shared, bad)) return fail("has a damaged value of " + bad);
  const std::size_t sharedTo = pos;
  std::string state;
  Random random;
  if (!r.getText(state) || !random.setState(state)) return fail("has a damaged random sequence");
  columns_ = std::move(columns);
  shared_.assign(in.data() + sharedFrom, sharedTo - sharedFrom);
  editing_.reset();
  random_ = random;
  return true;
}

}  // namespace quorl
