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
  return true;
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

int parseParams(std::string_view text, ParamsRecord& out) {
  std::size_t pos = 0;
  for (int k = 0; k < kParamsFields; ++k) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != ',' && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view rest = text.substr(end);
    const bool comma = rest.starts_with(','), lineEnd = rest.starts_with("\r\n") || rest.starts_with('\n');
    if (k == kParamsFields - 1 && !lineEnd) return k;
    const std::string_view token = trim(text.substr(pos, end - pos));
    if (!std::visit([&](auto m) { return read(token, out.*m); }, kParamsOrder[k])) return k;
    if (k < kParamsFields - 1 && !comma) return k + 1;
    pos = end + 1;
  }
  return kParamsFields;
}

}  // namespace quorl
