// How the pass chooses its vector form and thread count: measured, or given by QUORL_SIMD and
// QUORL_THREADS; a value that cannot be used falls back to the automatic choice and says so.
#include "sim/pass_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace quorl::pass {
namespace {

int automaticThreads() { return std::min(coresAvailable(), 64); }

TEST(Engine, WithoutOverridesTheFastestMeasuredFormAndACoreEach) {
  const Engine e = chooseEngine(nullptr, nullptr);
  EXPECT_EQ(e.note, "");
  EXPECT_EQ(e.threads, automaticThreads());
  for (Simd f : kForms) {
    const double ns = e.nsPerPair[static_cast<int>(f)];
    if (!runs(f)) {
      EXPECT_EQ(ns, 0) << simdName(f);
      continue;
    }
    EXPECT_GT(ns, 0) << simdName(f);
    EXPECT_LE(e.nsPerPair[static_cast<int>(e.simd)], ns) << simdName(e.simd) << " chosen over " << simdName(f);
  }
}

TEST(Engine, OverridesAndValuesThatCannotBeUsed) {
  struct Case {
    const char* simd;
    const char* threads;
    Simd wantSimd;  // when the override holds
    int wantThreads;
    const char* noteHas;  // empty: no note
  };
  const int automatic = automaticThreads();
  const Case cases[] = {
      {"scalar", "3", Simd::Scalar, 3, ""},
      {"avx2", "1", Simd::Avx2, 1, ""},
      {"avx512", "64", Simd::Avx512, 64, ""},
      {"wasm128", "2", Simd::Wasm128, 2, ""},
      {"scalar", "0", Simd::Scalar, automatic, "QUORL_THREADS=0"},
      {"scalar", "65", Simd::Scalar, automatic, "QUORL_THREADS=65"},
      {"scalar", "2x", Simd::Scalar, automatic, "QUORL_THREADS=2x"},
      {"scalar", "", Simd::Scalar, automatic, "QUORL_THREADS="},
      {"scalar", "-4", Simd::Scalar, automatic, "QUORL_THREADS=-4"},
  };
  for (const Case& c : cases) {
    const Engine e = chooseEngine(c.simd, c.threads);
    if (!runs(c.wantSimd)) {
      EXPECT_NE(e.note.find("does not run it"), std::string::npos) << c.simd;
      continue;
    }
    EXPECT_EQ(e.simd, c.wantSimd) << c.simd;
    EXPECT_EQ(e.threads, c.wantThreads) << c.threads;
    if (*c.noteHas == '\0') EXPECT_EQ(e.note, "") << c.simd << " " << c.threads;
    else EXPECT_NE(e.note.find(c.noteHas), std::string::npos) << e.note;
  }
}

TEST(Engine, AnUnknownFormIsMeasuredInstead) {
  for (const char* wrong : {"sse9", "", "AVX2", "avx2 "}) {
    const Engine e = chooseEngine(wrong, nullptr);
    EXPECT_NE(e.note.find(std::string("QUORL_SIMD=") + wrong + " is not"), std::string::npos) << e.note;
    EXPECT_GT(e.nsPerPair[static_cast<int>(e.simd)], 0) << wrong;
    EXPECT_EQ(e.threads, automaticThreads());
  }
}

}  // namespace
}  // namespace quorl::pass
