// The kernels built for AVX-512.
#include "sim/pass_kernel_forms.h"

#if QUORL_X86
#include <immintrin.h>

// GCC 12 warns about the undefined source operand inside _mm512_sqrt_pd itself.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC target("avx512f")
#include "sim/lanes_avx512.h"
#include "sim/pass_kernel.h"

namespace quorl::pass {
constinit const Kernels kAvx512Kernels{&gravityKernel<Avx512Lanes>, &floorKernel<Avx512Lanes>};
}  // namespace quorl::pass
#endif
