// libFuzzer target: the tallyho.txt reader and Val on arbitrary bytes.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/params_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = quorl::fuzz::checkParamsInput({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
