// The kernels of each vector form; each form's are built in a file of its own for its instruction set.
#pragma once
#include "sim/pass_kernels.h"

#if defined(__x86_64__) || defined(__i386__)
#define QUORL_X86 1
#endif
#if defined(__wasm_simd128__)
#define QUORL_WASM128 1
#endif

namespace quorl::pass {

struct Kernels {
  void (*gravity)(const Lanes& bodies, const Pullers& pullers, double proximity, GravitySlice& slice);
  void (*floor)(const Lanes& bodies, const Pullers& pullers, int from, int to, double* sx, double* sy, double* sz);
};

#if QUORL_X86
extern const Kernels kAvx2Kernels, kAvx512Kernels;
#endif
#if QUORL_WASM128
extern const Kernels kWasm128Kernels;
#endif

}  // namespace quorl::pass
