// Little binary pieces for the files that hold a snapshot (little-endian, as every build of the game is).
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace quorl::binary {

template <typename T>
void put(std::string& out, const T& v) {
  static_assert(std::is_trivially_copyable_v<T>);
  out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

inline void putText(std::string& out, std::string_view t) {
  put(out, static_cast<std::uint32_t>(t.size()));
  out += t;
}

// Reads from `pos` on; every get is false once the input runs out.
struct Reader {
  std::string_view in;
  std::size_t& pos;
  template <typename T>
  bool get(T& v) {
    static_assert(std::is_trivially_copyable_v<T>);
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
  bool getFlag(bool& v) {
    std::uint8_t byte = 0;
    if (!get(byte) || byte > 1) return false;
    v = byte == 1;
    return true;
  }
};

}  // namespace quorl::binary
