// tallyho.txt as text. Numbers go through to_chars/from_chars, which never look at the locale.
#include "io/params_file.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace quorl {

namespace {

template <typename T>
void put(std::string& line, T v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  line.append(buf, res.ptr);
}

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view t) {
  while (!t.empty() && blank(t.front())) t.remove_prefix(1);
  while (!t.empty() && blank(t.back())) t.remove_suffix(1);
  return t;
}

template <typename T>
bool read(std::string_view t, T& out) {
  const char* end = t.data() + t.size();
  if constexpr (std::is_floating_point_v<T>) {
    double v = 0;
    const auto res = std::from_chars(t.data(), end, v);
    if (res.ec != std::errc() || res.ptr != end || !std::isfinite(v)) return false;
    out = v;
  } else {
    long long v = 0;
    const auto res = std::from_chars(t.data(), end, v);
    if (res.ec != std::errc() || res.ptr != end || v < std::numeric_limits<T>::min() ||
        v > std::numeric_limits<T>::max())
      return false;
    out = static_cast<T>(v);
  }
  return !t.empty();
}

template <typename T>
const char* typeName() {
  if constexpr (std::is_floating_point_v<T>) return "a number";
  else if constexpr (sizeof(T) == 2) return "a 16-bit whole number";
  else return "a 32-bit whole number";
}

}  // namespace

std::string formatParams(const ParamsRecord& r) {
  std::string line;
  line.reserve(400);
  for (int k = 0; k < kParamsFields; ++k) {
    if (k > 0) line += ',';
    std::visit([&](auto m) { put(line, r.*m); }, kParamsOrder[k]);
  }
  line += "\r\n";
  return line;
}

ParamsParse parseParams(std::string_view text, ParamsRecord& out) {
  ParamsParse result;
  std::size_t pos = 0;
  for (int k = 0; k < kParamsFields; ++k) {
    const bool last = k == kParamsFields - 1;
    std::size_t end = pos;
    while (end < text.size() && text[end] != ',' && text[end] != '\r' && text[end] != '\n') ++end;
    const bool comma = end < text.size() && text[end] == ',';
    const bool lineEnd = end < text.size() && (text.substr(end, 2) == "\r\n" || text[end] == '\n');
    if (last && !lineEnd) {
      result.error = comma ? "more than " + std::to_string(kParamsFields) + " fields" : "the line has no end";
      return result;
    }
    const std::string_view token = trim(text.substr(pos, end - pos));
    const bool ok = std::visit(
        [&](auto m) {
          using T = std::remove_reference_t<decltype(out.*m)>;
          T v{};
          if (!read(token, v)) {
            result.error = "field " + std::to_string(k + 1) + " is not " + typeName<T>();
            return false;
          }
          out.*m = v;
          return true;
        },
        kParamsOrder[k]);
    if (!ok) return result;
    result.fieldsRead = k + 1;
    if (!last && !comma) {
      result.error = "field " + std::to_string(k + 2) + " is missing";
      return result;
    }
    pos = end + 1;
  }
  return result;
}

}  // namespace quorl
