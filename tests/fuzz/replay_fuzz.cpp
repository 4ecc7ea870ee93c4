// libFuzzer target: the replay reader on arbitrary bytes.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/replay_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = quorl::fuzz::checkReplayInput({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
