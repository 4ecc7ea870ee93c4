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

// Every field is read as a number; an integer field takes it rounded, within its width.
template <typename T>
bool read(std::string_view t, T& out) {
  if (t.starts_with('+')) {
    t.remove_prefix(1);
    if (t.starts_with('-')) return false;
  }
  const char* end = t.data() + t.size();
  double v = 0;
  const auto res = std::from_chars(t.data(), end, v);
  if (t.empty() || res.ec != std::errc() || res.ptr != end || !std::isfinite(v)) return false;
  if constexpr (std::is_floating_point_v<T>) {
    out = v;
  } else {
    v = std::nearbyint(v);  // the default rounding: to the nearest, ties to even
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return false;
    out = static_cast<T>(v);
  }
  return true;
}

std::string_view afterMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

bool fieldEnd(char c) { return c == ',' || c == '\r' || c == '\n'; }

// Field k (from 0) of the first line, trimmed; false when the line ends before it.
bool field(std::string_view text, int k, std::string_view& out) {
  text = afterMark(text);
  std::size_t pos = 0;
  for (int i = 0; i < k; ++i) {
    while (pos < text.size() && !fieldEnd(text[pos])) ++pos;
    if (pos >= text.size() || text[pos] != ',') return false;
    ++pos;
  }
  std::size_t end = pos;
  while (end < text.size() && !fieldEnd(text[end])) ++end;
  out = trim(text.substr(pos, end - pos));
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
  text = afterMark(text);
  std::size_t pos = 0;
  for (int k = 0; k < kParamsFields; ++k) {
    std::size_t end = pos;
    while (end < text.size() && !fieldEnd(text[end])) ++end;
    const bool comma = end < text.size() && text[end] == ',';
    const std::string_view token = trim(text.substr(pos, end - pos));
    if (!std::visit([&](auto m) { return read(token, out.*m); }, kParamsOrder[k])) return k;
    if (k < kParamsFields - 1 && !comma) return k + 1;
    pos = end + 1;
  }
  return kParamsFields;
}

bool parseParamsBest(std::string_view text, std::int32_t& best) {
  std::string_view token;
  return field(text, kParamsBestField, token) && read(token, best);
}

std::string paramsFailure(std::string_view text, int fieldsRead) {
  if (fieldsRead >= kParamsFields) return {};
  if (afterMark(text).empty()) return "the file is empty";
  const std::string what = "field " + std::to_string(fieldsRead + 1) + " (" + kParamsNames[fieldsRead] + ")";
  std::string_view token;
  if (!field(text, fieldsRead, token)) return what + " is missing";
  std::string shown;
  for (const char ch : token.substr(0, 24)) shown += ch >= 0x20 && ch < 0x7f ? ch : '?';
  return what + " \"" + shown + (token.size() > 24 ? "...\"" : "\"") + " cannot be read";
}

}  // namespace quorl
