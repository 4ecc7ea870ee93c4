// Every per-body field of the body table and every shared value, declared once with its name and type.
// The driver's get, put and dump, the state hash and the reset at creation are all driven from here.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/bodies.h"
#include "sim/clock.h"
#include "sim/state.h"

namespace quorl {

// One stored value, of the width and type the table declares.
using FieldPtr = std::variant<double*, float*, std::int16_t*, i16*, i32*, bool*, std::string*, DateTime*>;

struct Field {
  std::string name;
  bool perBody = false;  // the last index is a body number 0..9999
  int outer = 0;         // entries of the first of two indexes (LifeCount: kinds 0..5), else 0
  int length = 0;        // entries of a shared array (FusionPair: 0..5); 0 for a scalar or a per-body field
  int resetFrom = -1;    // creation zeroes this field of every row (kinds resetFrom.. of a two-index one); -1: no
  std::function<FieldPtr(BodyTable&, SharedState&, int k, int i)> at;
  // Mixes the field into an FNV-1a hash (per-body fields: rows 0..last).
  std::function<void(std::uint64_t& h, BodyTable&, SharedState&, int last)> hash;
  // Zeroes the field in every row (only for fields creation resets).
  std::function<void(BodyTable&)> reset;
  // The numbers play can leave in the field (always finite); the driver's put keeps to them, so a scene
  // never holds an index outside its table or a count below 0.
  double lo = -1.7976931348623157e308, hi = 1.7976931348623157e308;

  // How many indexes the name takes: Mass(7) one, LifeCount(5,7) two, BodyCount none.
  int indexes() const { return (outer > 0 ? 1 : 0) + (perBody || length > 0 ? 1 : 0); }
  // Whether (k, i) addresses a value of this field (k only for two-index fields).
  bool valid(int k, int i) const;
};

// Every field, per-body ones first, in the order the table declares them.
const std::vector<Field>& fields();
const Field* findField(std::string_view name);

// The value as the driver prints it: numbers in the shortest text that reads back to the same value,
// texts as they are, dates as "yyyy-mm-dd hh:mm:ss".
std::string fieldText(const FieldPtr& p);
// Writes a value from its text; false, with the reason, when the text does not fit the field's type.
bool setFieldText(const FieldPtr& p, std::string_view text, std::string& why);
// The same, for a value play can leave in the field (Field::lo..hi) only.
bool putFieldText(const Field& f, const FieldPtr& p, std::string_view text, std::string& why);

// FNV-1a over every field: per-body fields for rows 0..BodyCount, shared values whole. Every value goes in
// as its fixed-width bytes, lowest first, and a text's length as 64 bits, so every build gives the same hash.
std::uint64_t stateHash(BodyTable& b, SharedState& s);
// The same over the per-body fields alone: the system itself, whatever the clock or the panels say.
std::uint64_t tableHash(BodyTable& b, SharedState& s);
// Creation's reset of the old system's per-body data, for every row of the table.
void resetForCreation(BodyTable& b);

}  // namespace quorl
