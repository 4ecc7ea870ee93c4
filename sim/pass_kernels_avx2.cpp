// The kernels built for AVX2.
#include "sim/pass_kernel_forms.h"

#if QUORL_X86
#include <immintrin.h>

#pragma GCC target("avx2")
#include "sim/lanes_avx2.h"
#include "sim/pass_kernel.h"

namespace quorl::pass {
constinit const Kernels kAvx2Kernels{&gravityKernel<Avx2Lanes>, &floorKernel<Avx2Lanes>};
}  // namespace quorl::pass
#endif
