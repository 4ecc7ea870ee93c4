// The kernels built for WebAssembly SIMD.
#include "sim/pass_kernel_forms.h"

#if QUORL_WASM128
#include "sim/lanes_wasm128.h"
#include "sim/pass_kernel.h"

namespace quorl::pass {
constinit const Kernels kWasm128Kernels{&gravityKernel<Wasm128Lanes>, &floorKernel<Wasm128Lanes>};
}  // namespace quorl::pass
#endif
