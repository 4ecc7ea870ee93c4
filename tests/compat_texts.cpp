// 400,000 doubles written with std::to_chars and read back with std::from_chars, hashed: every build
// must give the hash the native library gives, the WebAssembly build through sim/compat.h on its own
// C library. Half are random bit patterns, half short decimals read from text.
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The native library's hash (glibc, libstdc++ 12).
constexpr std::uint64_t kNative = 0xb783011cd4b5a733ull;
constexpr int kValues = 400000;

std::uint64_t seed = 0x5157524c;
std::uint64_t next() {  // splitmix64: the same sequence everywhere
  std::uint64_t z = (seed += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

std::uint64_t hash = 14695981039346656037ull;
void mix(const void* data, std::size_t n) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (std::size_t k = 0; k < n; ++k) hash = (hash ^ p[k]) * 1099511628211ull;
}

// Hashes what a reading gives: its end, its error and the value's bits.
void read(const char* first, const char* last) {
  double v = -1.25;
  const auto r = std::from_chars(first, last, v);
  const std::int64_t parts[3] = {r.ptr - first, static_cast<std::int64_t>(r.ec), std::bit_cast<std::int64_t>(v)};
  mix(parts, sizeof parts);
}

}  // namespace

int main() {
  char text[64];
  for (int k = 0; k < kValues; ++k) {
    double v;
    if (k % 2 == 0) {
      v = std::bit_cast<double>(next());
    } else {
      std::uint64_t mantissa = next() % 100000000000000000ull;
      for (std::uint64_t digits = next() % 17; digits > 0; --digits) mantissa /= 10;
      const int n = std::snprintf(text, sizeof text, "%s%llue%d", k % 4 == 1 ? "-" : "",
                                  static_cast<unsigned long long>(mantissa), static_cast<int>(next() % 61) - 30);
      read(text, text + n);
      std::from_chars(text, text + n, v);
    }
    const auto r = std::to_chars(text, text + sizeof text, v);
    mix(text, static_cast<std::size_t>(r.ptr - text));
    read(text, r.ptr);
  }
  std::printf("%d doubles written and read back: hash %016llx\n", kValues, static_cast<unsigned long long>(hash));
  if (hash == kNative) return 0;
  std::printf("the native library's hash is %016llx\n", static_cast<unsigned long long>(kNative));
  return 1;
}
